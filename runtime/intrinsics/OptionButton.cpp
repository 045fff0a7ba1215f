#include "runtime/intrinsics/OptionButton.h"

#include <windowsx.h>

#include "runtime/forms/ControlContainer.h"
#include "runtime/forms/PrimaryButton.h"

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
    HWND hwnd = CreateWindowExW(0, L"BUTTON", m_caption.c_str(), WS_CHILD | WS_CLIPSIBLINGS | BS_AUTORADIOBUTTON, r.left,
                                r.top, r.right - r.left, r.bottom - r.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    // Classic drawing: the themed look ignores the text colour.
    UseClassicLook(hwnd);
    return hwnd;
}

void OptionButton::Created() {
    if (m_value) SendMessageW(hWnd(), BM_SETCHECK, BST_CHECKED, 0);
    UpdateGroupTabStops();
}

// The automatic style lets the dialog manager select the option an arrow key moves to (with
// BM_CLICK, which the class turns into a press and release of its own).
std::optional<LRESULT> OptionButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == BM_CLICK) {
        m_clicking = true;
        const LRESULT result = DefaultMessage(msg, wParam, lParam);
        m_clicking = false;
        return result;
    }
    if (msg != WM_LBUTTONDOWN || m_clicking) return std::nullopt;
    const LRESULT result = DefaultMessage(msg, wParam, lParam);
    FinishQuickClick();
    return result;
}

// The button class clicks at the release, and only if it still holds the press then. When the
// press and release of a quick click arrive together, the release can be over before the class
// has taken the press, and then it never reaches the button (seen under Wine when both reach
// the program at once): the button keeps the focus and the capture but is not selected, and
// the next click anywhere lands on it. So when the button is already up again once the press
// is handled, the click ends here, judged where the release was: at the point of the release
// still waiting in the queue, else (it was lost) where the press was. Never where the pointer
// is now: it may already be on its way to the next control (a quick "option, then 确定选择"
// lost the option's click that way).
void OptionButton::FinishQuickClick() {
    if (GetCapture() != hWnd()) return;  // the class did not take this press
    if (PrimaryButtonHeld()) return;  // still held: the release will come
    const DWORD pressedAt = GetMessagePos();
    POINT releasedAt = {GET_X_LPARAM(pressedAt), GET_Y_LPARAM(pressedAt)};
    MSG release;
    if (PeekMessageW(&release, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE)) releasedAt = release.pt;
    RECT bounds = {};
    GetWindowRect(hWnd(), &bounds);
    ReleaseCapture();  // ends the class's press, so a late release cannot click a second time
    if (PtInRect(&bounds, releasedAt)) Value(true);
}

std::optional<LRESULT> OptionButton::OnCommand(UINT notifyCode) {
    if (notifyCode != BN_CLICKED) return std::nullopt;
    Value(true);
    return 0;
}

}  // namespace rt
