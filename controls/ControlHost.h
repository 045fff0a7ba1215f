#pragma once
// A control window that holds one common control filling it. The common controls report to
// their parent (WM_NOTIFY, WM_HSCROLL); the host is that parent, so the wrapper hears them
// whatever window the control is placed on. Focus, fonts and colour requests pass through.
#include <windows.h>

#include "controls/ControlWindow.h"

namespace ctl {

class ControlHost : public ControlWindow {
public:
    // The common control inside.
    HWND Inner() const { return m_inner; }

protected:
    ControlHost() = default;
    // Creates the host under parent at rect and the common control of innerClass inside it.
    void CreateHosted(HWND parent, const RECT& rect, int id, const wchar_t* innerClass, DWORD innerStyle);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND m_inner = nullptr;
};

}  // namespace ctl
