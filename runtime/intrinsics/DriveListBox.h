#pragma once
// A drive list: a drop-down list of the machine's drives ("c: [label]"). Change is raised
// when the selected drive changes, by the user or by setting Drive.
#include <functional>
#include <string>
#include <vector>

#include "runtime/forms/Control.h"

namespace rt {

class DriveListBox : public BasicControl<DriveListBox> {
public:
    DriveListBox();

    // The selected entry, as shown ("c: [label]" or "d:").
    std::wstring Drive() const;
    // Selects the drive named by the first letter of text ("d", "d:", "d:\x", "d: [..]").
    // A drive that is not in the list or not ready raises error 68 (device unavailable).
    DriveListBox& Drive(const std::wstring& text);

    int ListCount() const { return static_cast<int>(m_entries.size()); }
    const std::wstring& List(int index) const;
    int ListIndex() const { return m_index; }

    std::function<void()> Change;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    void Reposition() override;
    std::optional<LRESULT> OnCommand(UINT notifyCode) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int IndexOfLetter(wchar_t letter) const;
    int DroppedHeight() const;

    std::vector<std::wstring> m_entries;
    int m_index = -1;
};

}  // namespace rt
