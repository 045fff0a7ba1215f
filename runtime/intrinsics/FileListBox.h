#pragma once
// A file list: the visible files of Path that match Pattern ("*.jpg", or several patterns
// separated by ";"), sorted by name, one selectable at a time. Click is raised when the
// selection changes, by the user or by setting ListIndex.
#include <functional>
#include <string>
#include <vector>

#include "runtime/forms/Control.h"

namespace rt {

class FileListBox : public BasicControl<FileListBox> {
public:
    FileListBox();

    const std::wstring& Path() const { return m_path; }
    // A folder that does not exist raises error 76 (path not found).
    FileListBox& Path(const std::wstring& path);
    const std::wstring& Pattern() const { return m_pattern; }
    FileListBox& Pattern(std::wstring pattern);

    int ListCount() const { return static_cast<int>(m_files.size()); }
    const std::wstring& List(int index) const;
    bool Selected(int index) const;
    // The selected entry, -1 for none; another value than -1 to ListCount - 1 raises 380.
    int ListIndex() const { return m_index; }
    FileListBox& ListIndex(int index);
    // The selected file's name ("" for none).
    std::wstring FileName() const;

    // Reads the folder again.
    void Refresh() override;

    std::function<void()> Click;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    std::optional<LRESULT> OnCommand(UINT notifyCode) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Fill();

    std::wstring m_path;
    std::wstring m_pattern = L"*.*";
    std::vector<std::wstring> m_files;
    int m_index = -1;
    bool m_clickReported = true;
};

}  // namespace rt
