#include "runtime/intrinsics/ComboBox.h"

#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {
constexpr int kVisibleListItems = 8;
}  // namespace

ComboBox::ComboBox() { InitColors(kWindowBackground, kWindowText); }

ComboBox& ComboBox::Style(ComboStyle style) {
    m_style = style;
    return *this;
}

ComboBox& ComboBox::AddItem(std::wstring item, std::optional<int> index) {
    const int at = index.value_or(ListCount());
    if (at < 0 || at > ListCount()) rt::Raise(err::kInvalidProcedureCall);
    if (hWnd()) SendMessageW(hWnd(), CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(item.c_str()));
    m_items.insert(m_items.begin() + at, std::move(item));
    if (m_listIndex >= at) ++m_listIndex;
    return *this;
}

ComboBox& ComboBox::Clear() {
    m_items.clear();
    m_listIndex = -1;
    if (hWnd()) SendMessageW(hWnd(), CB_RESETCONTENT, 0, 0);
    return *this;
}

const std::wstring& ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount()) rt::Raise(err::kInvalidPropertyArrayIndex);
    return m_items[static_cast<size_t>(index)];
}

ComboBox& ComboBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) rt::Raise(err::kInvalidPropertyValue);
    if (index == m_listIndex) return *this;
    m_listIndex = index;
    if (hWnd()) SendMessageW(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index >= 0) m_text = m_items[static_cast<size_t>(index)];
    Raise(Click);
    return *this;
}

std::wstring ComboBox::Text() const {
    // While the user's choice is being reported the edit field still shows the old text.
    if (!hWnd() || m_reportingChoice) return m_text;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd())) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hWnd(), text.data(), static_cast<int>(text.size()))));
    return text;
}

ComboBox& ComboBox::Text(std::wstring text) {
    m_text = std::move(text);
    if (hWnd()) {
        if (m_style == ComboStyle::DropdownList) {
            // A list shows only its items: select the one with this text (error 383 otherwise).
            const LRESULT found = SendMessageW(hWnd(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(m_text.c_str()));
            if (found == CB_ERR) rt::Raise(rt::err::kReadOnlyProperty, {}, L"'Text' 属性为只读");
            ListIndex(static_cast<int>(found));
        } else {
            SetWindowTextW(hWnd(), m_text.c_str());
        }
    }
    return *this;
}

int ComboBox::DroppedHeight() const {
    const RECT r = PixelRect();
    return (r.bottom - r.top) * (kVisibleListItems + 1);
}

HWND ComboBox::CreateHwnd(HWND parent, const RECT& r, int id) {
    const DWORD kind = m_style == ComboStyle::DropdownList ? CBS_DROPDOWNLIST : (CBS_DROPDOWN | CBS_AUTOHSCROLL);
    return CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | kind, r.left, r.top,
                           r.right - r.left, DroppedHeight(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void ComboBox::Reposition() {
    const RECT r = PixelRect();
    MoveWindow(hWnd(), r.left, r.top, r.right - r.left, DroppedHeight(), TRUE);
}

void ComboBox::Created() {
    for (const auto& item : m_items)
        SendMessageW(hWnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (m_listIndex >= 0)
        SendMessageW(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(m_listIndex), 0);
    else if (m_style == ComboStyle::DropdownCombo)
        SetWindowTextW(hWnd(), m_text.c_str());
}

std::optional<LRESULT> ComboBox::OnCommand(UINT notifyCode) {
    if (notifyCode != CBN_SELCHANGE) return std::nullopt;
    const int index = static_cast<int>(SendMessageW(hWnd(), CB_GETCURSEL, 0, 0));
    if (index != m_listIndex) {
        m_listIndex = index;
        if (index >= 0) m_text = m_items[static_cast<size_t>(index)];
        m_reportingChoice = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{m_reportingChoice};
        Raise(Click);
    }
    return 0;
}

std::optional<LRESULT> ComboBox::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
    // The edit field and the dropped list ask the combo box itself for their colours.
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX || msg == WM_CTLCOLORSTATIC)
        return OnControlColor(reinterpret_cast<HDC>(wParam));
    return std::nullopt;
}

}  // namespace rt
