#pragma once
// An option button. The option buttons of one container form one group: selecting one
// (by a click, by the arrow keys or by setting Value) clears the others. Click is raised
// when the button becomes selected. Tab reaches the group at its selected button. A click
// selects the button even when its release was already queued as the press arrived, and only
// when it was released on the button.
#include <functional>
#include <string>
#include <vector>

#include "runtime/forms/Control.h"

namespace rt {

class OptionButton : public BasicControl<OptionButton> {
public:
    OptionButton();

    const std::wstring& Caption() const { return m_caption; }
    OptionButton& Caption(std::wstring caption);
    bool Value() const { return m_value; }
    OptionButton& Value(bool selected);

    std::function<void()> Click;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    std::optional<LRESULT> OnCommand(UINT notifyCode) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool JoinsPreviousGroup() const override { return true; }

private:
    std::vector<OptionButton*> Group() const;
    void UpdateGroupTabStops() const;
    void FinishQuickClick();

    std::wstring m_caption;
    bool m_value = false;
    bool m_clicking = false;  // inside BM_CLICK: its press is no user's
};

}  // namespace rt
