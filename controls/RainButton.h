#pragma once
// The gradient push button as a control of a form: its stored properties ("caption",
// "backcolor", "forecolor", "font", "backfill", "backgradient", "buttontype") are kept before
// the form loads and handed to the button window (RainButtonWindow, which documents the look)
// when it is made. Click has no parameters.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/RainButtonWindow.h"
#include "runtime/forms/Control.h"

namespace ctl {

class RainButton : public rt::BasicControl<RainButton> {
public:
    RainButton();
    ~RainButton() override;

    const std::wstring& Caption() const { return m_caption; }
    RainButton& Caption(std::wstring caption);
    short BackFill() const { return m_backFill; }
    RainButton& BackFill(short value);
    OLE_COLOR BackGradient() const { return m_backGradient; }
    RainButton& BackGradient(OLE_COLOR color);
    short ButtonType() const { return m_buttonType; }
    RainButton& ButtonType(short value);

    // The button's window while the form is loaded, else nullptr.
    RainButtonWindow* Window() const { return m_window.get(); }

    std::function<void()> Click;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    void Destroyed() override;
    void AppearanceChanged() override;

private:
    void Apply();

    std::unique_ptr<RainButtonWindow> m_window;
    std::wstring m_caption;
    short m_backFill = 0;
    OLE_COLOR m_backGradient = rt::kButtonFace;
    short m_buttonType = 0;
};

}  // namespace ctl
