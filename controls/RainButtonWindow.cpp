#include "controls/RainButtonWindow.h"

#include <windowsx.h>

#include <utility>

#include "controls/ButtonCaption.h"
#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
constexpr wchar_t kClassName[] = L"LumescaRainButton";
constexpr int kFocusInset = 3;
constexpr int kPressedShift = 1;
// Bit 30 of a key message's flags: the key was already down (auto-repeat).
constexpr LPARAM kKeyWasDown = 1 << 30;

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
    TRIVERTEX v = {};
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(GetRValue(color) << 8);
    v.Green = static_cast<COLOR16>(GetGValue(color) << 8);
    v.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
    return v;
}
}  // namespace

RainButtonWindow::RainButtonWindow(HWND parent, const RECT& rect, int id)
    : m_backColor(rt::kButtonFace),
      m_foreColor(rt::kButtonText),
      m_backGradient(rt::kButtonFace),
      m_font(std::make_shared<rt::StdFont>()) {
    CreateChild(kClassName, CS_DBLCLKS, parent, rect, id, WS_VISIBLE | WS_TABSTOP);
}

void RainButtonWindow::SetCaption(std::wstring caption) {
    m_caption = std::move(caption);
    // The window text carries the caption too, for tools that read windows' texts.
    if (hwnd()) SetWindowTextW(hwnd(), m_caption.c_str());
    Redraw();
}

void RainButtonWindow::SetBackColor(OleColor color) {
    m_backColor = color;
    Redraw();
}

void RainButtonWindow::SetForeColor(OleColor color) {
    m_foreColor = color;
    Redraw();
}

void RainButtonWindow::SetBackGradient(OleColor color) {
    m_backGradient = color;
    Redraw();
}

void RainButtonWindow::SetBackFill(short value) {
    if (value < 0 || value > 2) rt::Raise(err::kInvalidPropertyValue);
    m_backFill = static_cast<ctl::BackFill>(value);
    Redraw();
}

void RainButtonWindow::SetButtonType(short value) {
    if (value < 0 || value > 1) rt::Raise(err::kInvalidPropertyValue);
    m_buttonType = static_cast<ctl::ButtonType>(value);
    Redraw();
}

void RainButtonWindow::SetFont(rt::FontRef font) {
    if (!font) rt::Raise(err::kInvalidPropertyValue);
    m_font = std::move(font);
    Redraw();
}

void RainButtonWindow::Redraw() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT RainButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT: PaintClient(nullptr); return 0;
    case WM_PRINTCLIENT: PaintClient(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnMouseDown(); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_LBUTTONUP: return OnMouseUp(pt);
    case WM_CAPTURECHANGED: OnCaptureLost(); return 0;
    case WM_KEYDOWN: return OnKeyDown(wParam, lParam);
    case WM_KEYUP: return OnKeyUp(wParam);
    case WM_GETDLGCODE: return OnGetDlgCode(reinterpret_cast<const MSG*>(lParam));
    case WM_SETFOCUS: Redraw(); return 0;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    case WM_ENABLE: Redraw(); return 0;
    default: return ControlWindow::HandleMessage(message, wParam, lParam);
    }
}

void RainButtonWindow::OnMouseDown() {
    SetFocus(hwnd());
    SetCapture(hwnd());
    m_mouseTracking = true;
    SetPressed(true);
}

void RainButtonWindow::OnMouseMove(POINT pt) {
    if (!m_mouseTracking) return;
    RECT rc;
    GetClientRect(hwnd(), &rc);
    SetPressed(PtInRect(&rc, pt) != FALSE);
}

void RainButtonWindow::OnCaptureLost() {
    m_mouseTracking = false;
    SetPressed(m_spaceDown);
}

void RainButtonWindow::OnKillFocus() {
    // A Space held while the focus leaves clicks nothing.
    m_spaceDown = false;
    SetPressed(m_mouseTracking);
    Redraw();
}

LRESULT RainButtonWindow::OnMouseUp(POINT pt) {
    if (!m_mouseTracking) return 0;
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const bool inside = PtInRect(&rc, pt) != FALSE;
    ReleaseCapture();  // clears the tracking through WM_CAPTURECHANGED
    m_mouseTracking = false;
    SetPressed(m_spaceDown);
    if (inside) FireClick();
    return 0;
}

LRESULT RainButtonWindow::OnKeyDown(WPARAM key, LPARAM flags) {
    if (flags & kKeyWasDown) return 0;
    if (key == VK_SPACE) {
        m_spaceDown = true;
        SetPressed(true);
    } else if (key == VK_RETURN) {
        FireClick();
    }
    return 0;
}

LRESULT RainButtonWindow::OnKeyUp(WPARAM key) {
    if (key != VK_SPACE || !m_spaceDown) return 0;
    m_spaceDown = false;
    SetPressed(m_mouseTracking);
    FireClick();
    return 0;
}

LRESULT RainButtonWindow::OnGetDlgCode(const MSG* msg) {
    // A dialog manager would turn Enter into its default button's command: the focused
    // gradient button takes Enter itself, as a focused push button does.
    const bool enter = msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN;
    return DLGC_BUTTON | (enter ? DLGC_WANTMESSAGE : 0);
}

void RainButtonWindow::SetPressed(bool pressed) {
    if (m_pressed == pressed) return;
    m_pressed = pressed;
    Redraw();
    if (hwnd()) UpdateWindow(hwnd());
}

void RainButtonWindow::FireClick() {
    // The handler may destroy the button: nothing of this object is touched after it.
    if (Click) {
        auto handler = Click;
        handler();
    }
}

HFONT RainButtonWindow::GdiFont(HDC dc) {
    if (!m_gdiFont || m_gdiFontOf != m_font.get() || m_gdiFontRevision != m_font->Revision()) {
        m_gdiFont = rt::CreateGdiFont(*m_font, dc);
        m_gdiFontOf = m_font.get();
        m_gdiFontRevision = m_font->Revision();
    }
    return m_gdiFont.get();
}

void RainButtonWindow::Draw(HDC dc, const RECT& client) {
    PaintFace(dc, client);
    PaintCaption(dc, client);
}

void RainButtonWindow::PaintFace(HDC dc, const RECT& rc) {
    COLORREF start = TranslateOleColor(m_backColor);
    COLORREF end = m_backFill == ctl::BackFill::Solid ? start : TranslateOleColor(m_backGradient);
    if (m_pressed) std::swap(start, end);
    if (m_backFill == ctl::BackFill::Solid) {
        rt::Brush brush(CreateSolidBrush(start));
        FillRect(dc, &rc, brush.get());
    } else {
        TRIVERTEX vertices[2] = {Vertex(rc.left, rc.top, start), Vertex(rc.right, rc.bottom, end)};
        GRADIENT_RECT gradient = {0, 1};
        GradientFill(dc, vertices, 2, &gradient, 1,
                     m_backFill == ctl::BackFill::Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    }
    RECT edge = rc;
    if (m_buttonType == ctl::ButtonType::Raised) {
        DrawEdge(dc, &edge, m_pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else {
        rt::Brush frame(CreateSolidBrush(TranslateOleColor(m_foreColor)));
        FrameRect(dc, &edge, frame.get());
    }
}

void RainButtonWindow::PaintCaption(HDC dc, const RECT& rc) {
    RECT text = rc;
    if (m_pressed) OffsetRect(&text, kPressedShift, kPressedShift);
    const std::wstring words = VisibleCaption(m_caption);
    {
        rt::SelectGuard font(dc, GdiFont(dc));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, IsWindowEnabled(hwnd()) ? TranslateOleColor(m_foreColor) : GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, words.c_str(), static_cast<int>(words.size()), &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (GetFocus() == hwnd()) {
        RECT focus = rc;
        InflateRect(&focus, -kFocusInset, -kFocusInset);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace ctl
