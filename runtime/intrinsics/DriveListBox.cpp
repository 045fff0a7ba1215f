#include "runtime/intrinsics/DriveListBox.h"

#include <cwctype>

#include "runtime/core/FileLists.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {
constexpr int kVisibleListItems = 8;
}  // namespace

DriveListBox::DriveListBox() : m_entries(DriveEntries()) {
    InitColors(kWindowBackground, kWindowText);
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    m_index = IndexOfLetter(current[0]);
}

int DriveListBox::IndexOfLetter(wchar_t letter) const {
    letter = static_cast<wchar_t>(std::towlower(letter));
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i][0] == letter) return static_cast<int>(i);
    return -1;
}

std::wstring DriveListBox::Drive() const { return m_index >= 0 ? m_entries[static_cast<size_t>(m_index)] : L""; }

DriveListBox& DriveListBox::Drive(const std::wstring& text) {
    const int index = text.empty() ? -1 : IndexOfLetter(text[0]);
    if (index < 0) rt::Raise(err::kDeviceUnavailable);
    const std::wstring root = m_entries[static_cast<size_t>(index)].substr(0, 2) + L"\\";
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0))
        rt::Raise(err::kDeviceUnavailable);
    if (index == m_index) return *this;
    m_index = index;
    if (hWnd()) SendMessageW(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Raise(Change);
    return *this;
}

const std::wstring& DriveListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) rt::Raise(err::kInvalidPropertyArrayIndex);
    return m_entries[static_cast<size_t>(index)];
}

int DriveListBox::DroppedHeight() const {
    const RECT r = PixelRect();
    return (r.bottom - r.top) * (kVisibleListItems + 1);
}

HWND DriveListBox::CreateHwnd(HWND parent, const RECT& r, int id) {
    return CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST, r.left,
                           r.top, r.right - r.left, DroppedHeight(), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void DriveListBox::Reposition() {
    const RECT r = PixelRect();
    MoveWindow(hWnd(), r.left, r.top, r.right - r.left, DroppedHeight(), TRUE);
}

void DriveListBox::Created() {
    for (const auto& entry : m_entries) SendMessageW(hWnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageW(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(m_index), 0);
}

std::optional<LRESULT> DriveListBox::OnCommand(UINT notifyCode) {
    if (notifyCode != CBN_SELCHANGE) return std::nullopt;
    const int index = static_cast<int>(SendMessageW(hWnd(), CB_GETCURSEL, 0, 0));
    if (index >= 0 && index != m_index) {
        m_index = index;
        Raise(Change);
    }
    return 0;
}

std::optional<LRESULT> DriveListBox::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX || msg == WM_CTLCOLORSTATIC)
        return OnControlColor(reinterpret_cast<HDC>(wParam));
    return std::nullopt;
}

}  // namespace rt
