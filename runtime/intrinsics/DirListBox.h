#pragma once
// A folder list: the folders from the drive's root down to Path, then Path's subfolders,
// indented by depth. Double-clicking an entry makes it the Path; an entry whose folder is gone
// makes the nearest existing folder the Path instead. Change is raised whenever Path changes,
// by the user or by the program.
#include <functional>
#include <string>
#include <vector>

#include "runtime/forms/Control.h"

namespace rt {

class DirListBox : public BasicControl<DirListBox> {
public:
    DirListBox();

    const std::wstring& Path() const { return m_path; }
    // A folder path or a drive ("d:", "d: [label]": that drive's current folder). A folder
    // that does not exist raises error 76 (path not found).
    DirListBox& Path(const std::wstring& path);

    // Subfolders of Path: ListCount of them, List(0) .. List(ListCount - 1) as full paths;
    // List(-1) is Path itself, List(-2) its parent and so on up to the root.
    int ListCount() const { return static_cast<int>(m_subfolders.size()); }
    std::wstring List(int index) const;

    // Reads the folders again from the disk. A Path gone since gives way to the nearest folder
    // still there, which raises Change.
    void Refresh() override;

    std::function<void()> Change;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    std::optional<LRESULT> OnCommand(UINT notifyCode) override;

private:
    void Fill();
    void Fill(HWND list) const;
    void ShowNearestExisting(const std::wstring& gone);

    std::wstring m_path;
    std::vector<std::wstring> m_chain;       // root .. m_path
    std::vector<std::wstring> m_subfolders;  // names
};

}  // namespace rt
