#include "controls/RainButton.h"

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

RainButton::RainButton() { InitColors(rt::kButtonFace, rt::kButtonText); }

RainButton::~RainButton() {
    // Emptied before the window object goes: its window's end calls Destroyed, which must
    // find nothing left to delete.
    m_window.reset();
}

RainButton& RainButton::Caption(std::wstring caption) {
    m_caption = std::move(caption);
    if (m_window) m_window->SetCaption(m_caption);
    return *this;
}

RainButton& RainButton::BackFill(short value) {
    if (value < 0 || value > 2) rt::Raise(err::kInvalidPropertyValue);
    m_backFill = value;
    if (m_window) m_window->SetBackFill(value);
    return *this;
}

RainButton& RainButton::BackGradient(OLE_COLOR color) {
    m_backGradient = color;
    if (m_window) m_window->SetBackGradient(color);
    return *this;
}

RainButton& RainButton::ButtonType(short value) {
    if (value < 0 || value > 1) rt::Raise(err::kInvalidPropertyValue);
    m_buttonType = value;
    if (m_window) m_window->SetButtonType(value);
    return *this;
}

HWND RainButton::CreateHwnd(HWND parent, const RECT& pixels, int id) {
    m_window = std::make_unique<RainButtonWindow>(parent, pixels, id);
    return m_window->hwnd();
}

void RainButton::Created() {
    Apply();
    m_window->Click = [this] { Raise(Click); };
}

void RainButton::Destroyed() { m_window.reset(); }

void RainButton::AppearanceChanged() {
    if (m_window) Apply();
    rt::BasicControl<RainButton>::AppearanceChanged();
}

void RainButton::Apply() {
    m_window->SetCaption(m_caption);
    m_window->SetBackColor(BackColor());
    m_window->SetForeColor(ForeColor());
    m_window->SetBackGradient(m_backGradient);
    m_window->SetBackFill(m_backFill);
    m_window->SetButtonType(m_buttonType);
    m_window->SetFont(Font());
}

}  // namespace ctl
