#include "runtime/intrinsics/CommandButton.h"

namespace rt {

namespace {
constexpr int kFocusInset = 4;
}

CommandButton::CommandButton() { InitColors(kButtonFace, kButtonText); }

CommandButton& CommandButton::Caption(std::wstring caption) {
    m_caption = std::move(caption);
    if (hWnd()) SetWindowTextW(hWnd(), m_caption.c_str());
    return *this;
}

CommandButton& CommandButton::Style(ButtonStyle style) {
    m_style = style;
    return *this;
}

HWND CommandButton::CreateHwnd(HWND parent, const RECT& r, int id) {
    const DWORD kind = m_style == ButtonStyle::Graphical ? BS_OWNERDRAW : BS_PUSHBUTTON;
    return CreateWindowExW(0, L"BUTTON", m_caption.c_str(), WS_CHILD | WS_CLIPSIBLINGS | kind, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

std::optional<LRESULT> CommandButton::OnCommand(UINT notifyCode) {
    if (notifyCode != BN_CLICKED) return std::nullopt;
    Raise(Click);
    return 0;
}

std::optional<LRESULT> CommandButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_style != ButtonStyle::Graphical) return std::nullopt;
    switch (msg) {
        case WM_GETDLGCODE:
            // Answered as a push button, the focused one as the default: the dialog manager
            // then presses it for Enter (its access key needs only DLGC_BUTTON).
            return DefaultMessage(msg, wParam, lParam) |
                   (GetFocus() == hWnd() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case BM_SETSTYLE:
            // The dialog manager makes a push button the default, or no longer the default,
            // as the focus moves; the new type would replace owner drawing by the plain look.
            return DefaultMessage(msg, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
        default: return std::nullopt;
    }
}

std::optional<LRESULT> CommandButton::OnDrawItem(DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &r, BackBrush());
    DrawEdge(item.hDC, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    RECT text = r;
    if (pressed) OffsetRect(&text, 1, 1);
    SelectGuard font(item.hDC, GdiFont());
    SetBkMode(item.hDC, TRANSPARENT);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    SetTextColor(item.hDC, disabled ? GetSysColor(COLOR_GRAYTEXT) : TranslateOleColor(kButtonText));
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
    DrawTextW(item.hDC, m_caption.c_str(), static_cast<int>(m_caption.size()), &text, format);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -kFocusInset, -kFocusInset);
        DrawFocusRect(item.hDC, &focus);
    }
    return TRUE;
}

}  // namespace rt
