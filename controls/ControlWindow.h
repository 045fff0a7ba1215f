#pragma once
// Base of the controls that own a window class: creates the control's child window under a
// parent at a pixel rectangle, bound to this object from WM_NCCREATE on (rt::WindowBinding),
// and routes every message to HandleMessage inside a callback guard.
#include <windows.h>

#include "runtime/forms/WindowBinding.h"

namespace ctl {

class ControlWindow : private rt::WindowBinding {
public:
    virtual ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    // The control's own window; nullptr once the parent destroyed it.
    HWND hwnd() const { return m_hwnd; }
    // Places the control in its parent's client pixels.
    void Move(int x, int y, int width, int height);
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    bool Enabled() const;

protected:
    ControlWindow() : WindowBinding(Role::Window) {}
    // Registers className once (with the given class style) and creates the child window.
    // id is the child window id its parent sees (a form gives each control one).
    void CreateChild(const wchar_t* className, UINT classStyle, HWND parent, const RECT& rect, int id, DWORD style,
                     DWORD exStyle = 0);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // For a window the control draws wholly: draws the client area with Draw through an
    // off-screen bitmap into target (WM_PRINTCLIENT's DC), or, for nullptr, into the window
    // itself (WM_PAINT).
    void PaintClient(HDC target);
    virtual void Draw(HDC /*dc*/, const RECT& /*client*/) {}

private:
    void WindowBound(HWND hwnd) override { m_hwnd = hwnd; }
    LRESULT WindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowGone() override { m_hwnd = nullptr; }

    HWND m_hwnd = nullptr;
};

// Width and height of a RECT.
inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }

}  // namespace ctl
