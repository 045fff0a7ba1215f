#pragma once
// A command button. Its caption's "&" marks the access key (Alt+key clicks it). The
// graphical style draws the button in its back colour; the standard style ignores it.
#include <functional>
#include <string>

#include "runtime/forms/Control.h"

namespace rt {

enum class ButtonStyle { Standard = 0, Graphical = 1 };

class CommandButton : public BasicControl<CommandButton> {
public:
    CommandButton();

    const std::wstring& Caption() const { return m_caption; }
    CommandButton& Caption(std::wstring caption);
    ButtonStyle Style() const { return m_style; }
    CommandButton& Style(ButtonStyle style);

    std::function<void()> Click;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    std::optional<LRESULT> OnCommand(UINT notifyCode) override;
    std::optional<LRESULT> OnDrawItem(DRAWITEMSTRUCT& item) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::wstring m_caption;
    ButtonStyle m_style = ButtonStyle::Standard;
};

}  // namespace rt
