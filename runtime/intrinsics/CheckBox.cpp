#include "runtime/intrinsics/CheckBox.h"

#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

WPARAM CheckState(int value) {
    switch (value) {
        case CheckBox::kChecked: return BST_CHECKED;
        case CheckBox::kGrayed: return BST_INDETERMINATE;
        default: return BST_UNCHECKED;
    }
}
}  // namespace

CheckBox::CheckBox() { InitColors(kButtonFace, kButtonText); }

CheckBox& CheckBox::Caption(std::wstring caption) {
    m_caption = std::move(caption);
    if (hWnd()) SetWindowTextW(hWnd(), m_caption.c_str());
    return *this;
}

CheckBox& CheckBox::Value(int value) {
    if (value < kUnchecked || value > kGrayed) rt::Raise(err::kInvalidPropertyValue);
    if (value == m_value) return *this;
    m_value = value;
    if (hWnd()) SendMessageW(hWnd(), BM_SETCHECK, CheckState(value), 0);
    Raise(Click);
    return *this;
}

HWND CheckBox::CreateHwnd(HWND parent, const RECT& r, int id) {
    HWND hwnd = CreateWindowExW(0, L"BUTTON", m_caption.c_str(), WS_CHILD | WS_CLIPSIBLINGS | BS_3STATE, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    // Classic drawing: the themed look ignores the text colour.
    UseClassicLook(hwnd);
    return hwnd;
}

void CheckBox::Created() { SendMessageW(hWnd(), BM_SETCHECK, CheckState(m_value), 0); }

std::optional<LRESULT> CheckBox::OnCommand(UINT notifyCode) {
    if (notifyCode != BN_CLICKED) return std::nullopt;
    Value(m_value == kChecked ? kUnchecked : kChecked);
    return 0;
}

}  // namespace rt
