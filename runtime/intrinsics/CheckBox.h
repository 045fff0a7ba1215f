#pragma once
// A check box: Value 0 (cleared), 1 (ticked) or 2 (greyed). A click toggles between 0 and 1;
// Click is raised whenever the value changes, by the user or by the program.
#include <functional>
#include <string>

#include "runtime/forms/Control.h"

namespace rt {

class CheckBox : public BasicControl<CheckBox> {
public:
    static constexpr int kUnchecked = 0;
    static constexpr int kChecked = 1;
    static constexpr int kGrayed = 2;

    CheckBox();

    const std::wstring& Caption() const { return m_caption; }
    CheckBox& Caption(std::wstring caption);
    int Value() const { return m_value; }
    // Values other than 0, 1 and 2 raise error 380.
    CheckBox& Value(int value);

    std::function<void()> Click;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    std::optional<LRESULT> OnCommand(UINT notifyCode) override;

private:
    std::wstring m_caption;
    int m_value = kUnchecked;
};

}  // namespace rt
