#include "runtime/intrinsics/PictureBox.h"

#include <windowsx.h>

#include "runtime/gdi/Screen.h"

namespace rt {

namespace {

int ShiftState(WPARAM keys) {
    int shift = 0;
    if (keys & MK_SHIFT) shift |= kShiftMask;
    if (keys & MK_CONTROL) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

}  // namespace

PictureBox::PictureBox() {
    InitColors(kButtonFace, kButtonText);
    m_surface.SetBackColor(BackColor());
    m_surface.SetForeColor(ForeColor());
}

PictureBox& PictureBox::BorderStyle(rt::BorderStyle style) {
    m_borderStyle = style;
    return *this;
}

PictureBox& PictureBox::AutoRedraw(bool persistent) {
    m_surface.SetAutoRedraw(persistent);
    return *this;
}

PictureBox& PictureBox::Picture(PictureRef picture) {
    m_surface.SetPicture(std::move(picture));
    return *this;
}

PictureBox& PictureBox::CurrentX(double x) {
    m_surface.SetCurrentX(x);
    return *this;
}

PictureBox& PictureBox::CurrentY(double y) {
    m_surface.SetCurrentY(y);
    return *this;
}

PictureBox& PictureBox::ScaleMode(rt::ScaleMode mode) {
    m_surface.SetScaleMode(mode);
    return *this;
}

double PictureBox::ScaleWidth() const {
    if (hWnd()) return m_surface.ScaleWidth();
    // Before loading: the inner area of the defined extent.
    const int border = m_borderStyle == rt::BorderStyle::FixedSingle ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
    return m_surface.FromPixelsX(TwipsToPixelsX(Width()) - border);
}

double PictureBox::ScaleHeight() const {
    if (hWnd()) return m_surface.ScaleHeight();
    const int border = m_borderStyle == rt::BorderStyle::FixedSingle ? 2 * GetSystemMetrics(SM_CYEDGE) : 0;
    return m_surface.FromPixelsY(TwipsToPixelsY(Height()) - border);
}

void PictureBox::Refresh() {
    if (hWnd()) m_surface.Refresh();
}

HWND PictureBox::CreateHwnd(HWND parent, const RECT& r, int id) {
    const DWORD exStyle = m_borderStyle == rt::BorderStyle::FixedSingle ? WS_EX_CLIENTEDGE : 0;
    return CreateContainerWindow(parent, r, id, 0, exStyle);
}

void PictureBox::SyncSurface() {
    if (m_surface.BackColor() != BackColor()) m_surface.SetBackColor(BackColor());
    if (m_surface.ForeColor() != ForeColor()) m_surface.SetForeColor(ForeColor());
    const FontRef font = Font();
    if (m_surface.Font() != font) m_surface.SetFont(font);
}

void PictureBox::ContainerCreated() {
    SyncSurface();
    m_surface.Attach(hWnd());
}

void PictureBox::ContainerDestroyed() { m_surface.Detach(); }

void PictureBox::AppearanceChanged() {
    SyncSurface();
    if (hWnd()) InvalidateRect(hWnd(), nullptr, FALSE);
}

void PictureBox::PaintContent(HDC dc, const RECT& client) { m_surface.Paint(dc, client); }

void PictureBox::AfterPaint() {
    if (!m_surface.AutoRedraw()) Raise(Paint);
}

void PictureBox::RaiseMouse(const std::function<void(int, int, double, double)>& handler, int button, WPARAM keys,
                            LPARAM lParam) {
    Raise(handler, button, ShiftState(keys), m_surface.FromPixelsX(GET_X_LPARAM(lParam)),
          m_surface.FromPixelsY(GET_Y_LPARAM(lParam)));
}

std::optional<LRESULT> PictureBox::OwnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            m_surface.Resize(LOWORD(lParam), HIWORD(lParam));
            return std::nullopt;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            m_pressedHere = true;
            SetCapture(hWnd());  // the release belongs to this box wherever it happens
            RaiseMouse(MouseDown, msg == WM_LBUTTONDOWN ? kLeftButton : msg == WM_RBUTTONDOWN ? kRightButton : kMiddleButton,
                       wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const bool wasPressed = m_pressedHere;
            m_pressedHere = false;
            if (GetCapture() == hWnd()) ReleaseCapture();
            RaiseMouse(MouseUp, msg == WM_LBUTTONUP ? kLeftButton : msg == WM_RBUTTONUP ? kRightButton : kMiddleButton,
                       wParam, lParam);
            if (wasPressed && msg == WM_LBUTTONUP) {
                RECT client;
                GetClientRect(hWnd(), &client);
                const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (PtInRect(&client, point)) Raise(Click);
            }
            return 0;
        }
        default: return std::nullopt;
    }
}

}  // namespace rt
