#include "runtime/intrinsics/DirListBox.h"

#include "runtime/core/FileLists.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {
constexpr int kIndentPerLevel = 2;  // spaces

std::wstring LastName(const std::wstring& path) {
    if (path.size() <= 3) return path;  // a root: "c:\"
    return path.substr(path.find_last_of(L'\\') + 1);
}

// "c:\a\b" -> "c:\a", "c:\a" -> "c:\"; a root has none ("").
std::wstring ParentFolder(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    if (path.size() <= 3 || slash == std::wstring::npos || slash == 0) return {};
    return path.substr(0, slash == 2 ? 3 : slash);
}

// The folder itself when it exists, else its nearest ancestor that does ("" when none does).
std::wstring NearestExistingFolder(std::wstring path) {
    while (!path.empty() && !FolderExists(path)) path = ParentFolder(path);
    return path;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}
}  // namespace

DirListBox::DirListBox() {
    InitColors(kWindowBackground, kWindowText);
    m_path = NormalizeFolderPath(L".");
    Fill();
}

DirListBox& DirListBox::Path(const std::wstring& path) {
    const std::wstring normalized = NormalizeFolderPath(path);
    if (!FolderExists(normalized)) rt::Raise(err::kPathNotFound);
    if (SameFolder(normalized, m_path)) return *this;
    m_path = normalized;
    Fill();
    if (hWnd()) Fill(hWnd());
    Raise(Change);
    return *this;
}

std::wstring DirListBox::List(int index) const {
    if (index >= 0 && index < ListCount()) {
        const std::wstring separator = m_path.back() == L'\\' ? L"" : L"\\";
        return m_path + separator + m_subfolders[static_cast<size_t>(index)];
    }
    const int up = -index - 1;  // 0 = Path, 1 = parent ...
    if (index < 0 && up < static_cast<int>(m_chain.size())) return m_chain[m_chain.size() - 1 - static_cast<size_t>(up)];
    rt::Raise(err::kInvalidPropertyArrayIndex);
}

void DirListBox::Refresh() {
    if (!FolderExists(m_path)) {
        const std::wstring nearest = NearestExistingFolder(m_path);
        if (!nearest.empty()) Path(nearest);
        return;
    }
    Fill();
    if (hWnd()) Fill(hWnd());
    Control::Refresh();
}

void DirListBox::Fill() {
    m_chain = FolderChain(m_path);
    m_subfolders = SubfolderNames(m_path);
}

void DirListBox::Fill(HWND list) const {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    size_t depth = 0;
    for (const auto& folder : m_chain) {
        const std::wstring text = std::wstring(depth * kIndentPerLevel, L' ') + LastName(folder);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ++depth;
    }
    for (const auto& name : m_subfolders) {
        const std::wstring text = std::wstring(depth * kIndentPerLevel, L' ') + name;
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, LB_SETCURSEL, m_chain.empty() ? static_cast<WPARAM>(-1) : m_chain.size() - 1, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

HWND DirListBox::CreateHwnd(HWND parent, const RECT& r, int id) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                           WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                           r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void DirListBox::Created() { Fill(hWnd()); }

std::optional<LRESULT> DirListBox::OnCommand(UINT notifyCode) {
    if (notifyCode != LBN_DBLCLK) return std::nullopt;
    const int row = static_cast<int>(SendMessageW(hWnd(), LB_GETCURSEL, 0, 0));
    if (row < 0) return 0;
    const int chainRows = static_cast<int>(m_chain.size());
    const std::wstring target =
        row < chainRows ? m_chain[static_cast<size_t>(row)] : List(row - chainRows);
    if (FolderExists(target)) Path(target);
    else ShowNearestExisting(target);
    return 0;
}

// The entry's folder went (deleted or renamed) after the list was filled: the list moves to
// the nearest folder that is still there and is read again. Change is raised even when that is
// Path itself, so that whoever lists Path's files reads them again too.
void DirListBox::ShowNearestExisting(const std::wstring& gone) {
    std::wstring nearest = NearestExistingFolder(gone);
    if (nearest.empty()) nearest = NearestExistingFolder(m_path);
    if (nearest.empty() || !SameFolder(nearest, m_path)) {
        if (!nearest.empty()) Path(nearest);
        return;
    }
    Fill();
    if (hWnd()) Fill(hWnd());
    Raise(Change);
}

}  // namespace rt
