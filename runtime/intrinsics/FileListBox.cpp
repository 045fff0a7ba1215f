#include "runtime/intrinsics/FileListBox.h"

#include "runtime/core/FileLists.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

FileListBox::FileListBox() {
    InitColors(kWindowBackground, kWindowText);
    m_path = NormalizeFolderPath(L".");
    m_files = MatchingFiles(m_path, m_pattern);
}

FileListBox& FileListBox::Path(const std::wstring& path) {
    const std::wstring normalized = NormalizeFolderPath(path);
    if (!FolderExists(normalized)) rt::Raise(err::kPathNotFound);
    m_path = normalized;
    Fill();
    return *this;
}

FileListBox& FileListBox::Pattern(std::wstring pattern) {
    m_pattern = std::move(pattern);
    Fill();
    return *this;
}

const std::wstring& FileListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) rt::Raise(err::kInvalidPropertyArrayIndex);
    return m_files[static_cast<size_t>(index)];
}

bool FileListBox::Selected(int index) const {
    if (index < 0 || index >= ListCount()) rt::Raise(err::kInvalidPropertyArrayIndex);
    return index == m_index;
}

FileListBox& FileListBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) rt::Raise(err::kInvalidPropertyValue);
    if (index == m_index) return *this;
    m_index = index;
    if (hWnd()) SendMessageW(hWnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Raise(Click);
    return *this;
}

std::wstring FileListBox::FileName() const { return m_index >= 0 ? m_files[static_cast<size_t>(m_index)] : L""; }

void FileListBox::Refresh() {
    Fill();
    Control::Refresh();
}

void FileListBox::Fill() {
    m_files = MatchingFiles(m_path, m_pattern);
    m_index = -1;
    if (!hWnd()) return;
    SendMessageW(hWnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(hWnd(), LB_RESETCONTENT, 0, 0);
    for (const auto& file : m_files) SendMessageW(hWnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
    SendMessageW(hWnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

HWND FileListBox::CreateHwnd(HWND parent, const RECT& r, int id) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                           WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                           r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void FileListBox::Created() {
    const int index = m_index;
    Fill();
    if (index >= 0 && index < ListCount()) {
        m_index = index;
        SendMessageW(hWnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

std::optional<LRESULT> FileListBox::OnCommand(UINT notifyCode) {
    if (notifyCode != LBN_SELCHANGE) return std::nullopt;
    const int index = static_cast<int>(SendMessageW(hWnd(), LB_GETCURSEL, 0, 0));
    if (index != m_index) {
        m_index = index;
        m_clickReported = true;
        Raise(Click);
    }
    return 0;
}

std::optional<LRESULT> FileListBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The second press of a double click arrives as WM_LBUTTONDBLCLK: a click all the same.
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) m_clickReported = false;
    if (msg != WM_LBUTTONUP) return std::nullopt;
    // A click on the file already selected changes no selection but is a click all the same.
    const LRESULT result = DefaultMessage(msg, wParam, lParam);
    const LRESULT hit = SendMessageW(hWnd(), LB_ITEMFROMPOINT, 0, lParam);
    const bool onItem = HIWORD(hit) == 0;
    if (!m_clickReported && onItem && static_cast<int>(LOWORD(hit)) == m_index) Raise(Click);
    m_clickReported = true;
    return result;
}

}  // namespace rt
