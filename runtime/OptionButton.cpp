#include "runtime/OptionButton.h"

#include "runtime/ControlContainer.h"

namespace rt {

OptionButton::OptionButton() { InitColors(kButtonFace, kButtonText); }

OptionButton& OptionButton::Caption(std::wstring caption) {
    m_caption = std::move(caption);
    if (hWnd()) SetWindowTextW(hWnd(), m_caption.c_str());
    return *this;
}

std::vector<OptionButton*> OptionButton::Group() const {
    std::vector<OptionButton*> group;
    if (!Parent()) return group;
    for (Control* control : Parent()->Controls())
        if (auto* option = dynamic_cast<OptionButton*>(control)) group.push_back(option);
    return group;
}

OptionButton& OptionButton::Value(bool selected) {
    if (selected == m_value) return *this;
    m_value = selected;
    if (hWnd()) SendMessageW(hWnd(), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    if (selected) {
        for (OptionButton* other : Group())
            if (other != this && other->m_value) {
                other->m_value = false;
                if (other->hWnd()) SendMessageW(other->hWnd(), BM_SETCHECK, BST_UNCHECKED, 0);
            }
    }
    UpdateGroupTabStops();
    if (selected) Raise(Click);
    return *this;
}

void OptionButton::UpdateGroupTabStops() const {
    const auto group = Group();
    OptionButton* stop = nullptr;
    for (OptionButton* option : group)
        if (option->m_value) stop = option;
    if (!stop)
        for (OptionButton* option : group)
            if (!stop || option->TabIndex() < stop->TabIndex()) stop = option;
    for (OptionButton* option : group) {
        if (!option->hWnd()) continue;
        LONG_PTR style = GetWindowLongPtrW(option->hWnd(), GWL_STYLE);
        const bool tabStop = option == stop && option->TabStop();
        style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(option->hWnd(), GWL_STYLE, style);
    }
}

HWND OptionButton::CreateHwnd(HWND parent, const RECT& r, int id) {
    HWND hwnd = CreateWindowExW(0, L"BUTTON", m_caption.c_str(), WS_CHILD | BS_RADIOBUTTON, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    // Classic drawing: the themed look ignores the text colour.
    UseClassicLook(hwnd);
    return hwnd;
}

void OptionButton::Created() {
    if (m_value) SendMessageW(hWnd(), BM_SETCHECK, BST_CHECKED, 0);
    UpdateGroupTabStops();
}

std::optional<LRESULT> OptionButton::OnCommand(UINT notifyCode) {
    if (notifyCode != BN_CLICKED) return std::nullopt;
    Value(true);
    return 0;
}

}  // namespace rt
