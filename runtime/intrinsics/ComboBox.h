#pragma once
// A combo box: a drop-down list (the text is always one of the items) or a drop-down combo
// (an editable text with a list). Click is raised when the selected item changes, by the
// user or by setting ListIndex.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/forms/Control.h"

namespace rt {

enum class ComboStyle { DropdownCombo = 0, DropdownList = 2 };

class ComboBox : public BasicControl<ComboBox> {
public:
    ComboBox();

    ComboStyle Style() const { return m_style; }
    ComboBox& Style(ComboStyle style);

    // Adds an item at the end, or before index.
    ComboBox& AddItem(std::wstring item, std::optional<int> index = {});
    ComboBox& Clear();
    int ListCount() const { return static_cast<int>(m_items.size()); }
    // An item's text; error 381 for an index out of range.
    const std::wstring& List(int index) const;
    // The selected item, -1 for none. Another value than -1 to ListCount - 1 raises 380.
    int ListIndex() const { return m_listIndex; }
    ComboBox& ListIndex(int index);

    std::wstring Text() const;
    ComboBox& Text(std::wstring text);

    std::function<void()> Click;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    void Reposition() override;
    std::optional<LRESULT> OnCommand(UINT notifyCode) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int DroppedHeight() const;

    ComboStyle m_style = ComboStyle::DropdownCombo;
    std::vector<std::wstring> m_items;
    int m_listIndex = -1;
    std::wstring m_text;  // until the window exists, and the item being chosen
    bool m_reportingChoice = false;
};

}  // namespace rt
