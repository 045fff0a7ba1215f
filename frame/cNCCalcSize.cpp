#include "frame/cNCCalcSize.h"

#include <windowsx.h>

#include <cwchar>
#include <iterator>

#include "frame/MSubclass.h"
#include "frame/NCHitZone.h"
#include "frame/ObjectFromPtr.h"
#include "frame/cMemDC.h"
#include "frame/mDeclares.h"
#include "runtime/forms/DoEvents.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/forms/PrimaryButton.h"
#include "runtime/gdi/Screen.h"

namespace {

// The non-client messages the engine takes over, in attachment order. WM_SIZE is taken only
// for an MDI child. Last come WM_GETMINMAXINFO (the smallest size the painter draws whole) and
// WM_SYSCOMMAND (the menu keys).
constexpr UINT kEngineMessages[] = {
    WM_NCCALCSIZE,    WM_NCPAINT,     WM_NCACTIVATE,   WM_NCLBUTTONDOWN, WM_NCLBUTTONUP,
    WM_NCLBUTTONDBLCLK, WM_NCHITTEST, WM_SETCURSOR,    WM_INITMENU,      WM_INITMENUPOPUP,
    WM_STYLECHANGED,  WM_SETTEXT,     WM_ACTIVATEAPP,  WM_ENTERMENULOOP, WM_EXITMENULOOP,
    WM_SIZE,          WM_DESTROY,     WM_GETMINMAXINFO, WM_SYSCOMMAND,
};

constexpr UINT kRedrawFlags = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW;
// Without SWP_NOACTIVATE the recalculation would activate the window, a disabled one as well.
constexpr UINT kFrameChangedFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_NOACTIVATE;
constexpr UINT kDragMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER;
constexpr int kSurfaceCaptionRows = 4;  // the default caption strip is composed in this
constexpr int kClassNameLength = 260;
constexpr WPARAM kSysCommandMask = 0xFFF0;  // the low four bits are the system's own

// The screen point a mouse message carries (signed: left of or above the primary screen).
POINT MessagePoint(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

RECT AtOrigin(const RECT& r) { return RECT{0, 0, r.right - r.left, r.bottom - r.top}; }

// The window rectangle in its parent's client coordinates (screen coordinates for a
// top-level window), as SetWindowPos takes it.
RECT PlacementRect(HWND hWnd) {
    RECT r = {};
    GetWindowRect(hWnd, &r);
    if (HWND parent = GetParent(hWnd); parent && (GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

}  // namespace

cNCCalcSize::cNCCalcSize() = default;

cNCCalcSize::~cNCCalcSize() { Detach(); }

void cNCCalcSize::Redraw(HWND hWnd) { RedrawWindow(hWnd, nullptr, nullptr, kRedrawFlags); }

void cNCCalcSize::Display(HWND f) {
    // The form's own repaint first, then a frame recalculation so the margins apply.
    if (IsWindow(f)) {
        InvalidateRect(f, nullptr, TRUE);
        UpdateWindow(f);
    }
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, kFrameChangedFlags);
}

void cNCCalcSize::TitleBarMouseDown() {
    POINT p = {};
    GetCursorPos(&p);
    const LPARAM packed = MAKELPARAM(static_cast<SHORT>(p.x), static_cast<SHORT>(p.y));
    ReleaseCapture();
    SendMessageW(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, packed);
}

void cNCCalcSize::SysCommand(long eCmd) {
    PostMessageW(m_hWnd, WM_SYSCOMMAND, static_cast<WPARAM>(eCmd), 0);
}

void cNCCalcSize::Attach(INCAreaModifier* iTo, HMENU handedOver) {
    Detach();
    if (!iTo) return;
    m_hWnd = iTo->hWnd();
    m_hMenu = GetMenu(m_hWnd);
    if (!m_hMenu) m_hMenu = handedOver;
    m_bIsMDIChild = IsMDIChild(m_hWnd);
    AttachMessages();
    CreateSurface();
    SetPropW(m_hWnd, kNCImplementationProperty, static_cast<HANDLE>(iTo));
    m_painter = iTo;
    mDeclares::AttachKeyboardHook(this);
    // The painter's bar draws the menu from now on. Taking the native bar off here recalculates
    // the frame through this engine at once; left on, the native bar stays until the next
    // WM_SETCURSOR, and the window manager's own drawing meanwhile shows it.
    if (GetMenu(m_hWnd)) SetMenu(m_hWnd, nullptr);
}

void cNCCalcSize::Detach() {
    mDeclares::DetachKeyboardHook(this);
    if (m_hWnd) DetachMessages();
    DestroySurface();
    // Another painter may hold the window by now: its registration is not ours to remove.
    if (HoldsWindow()) RemovePropW(m_hWnd, kNCImplementationProperty);
    m_hWnd = nullptr;
    m_hMenu = nullptr;
    m_painter = nullptr;
}

bool cNCCalcSize::HoldsWindow() const {
    return m_hWnd && m_painter && GetPropW(m_hWnd, kNCImplementationProperty) == static_cast<HANDLE>(m_painter);
}

// Only messages that were really attached are detached again: an Attach ended by an error
// must not lower the window's attach count for messages it never listed.
void cNCCalcSize::AttachMessages() {
    for (UINT message : kEngineMessages) {
        if (message == WM_SIZE && !m_bIsMDIChild) continue;
        MSubclass::AttachMessage(this, m_hWnd, message);
        m_attached.push_back(message);
    }
}

void cNCCalcSize::DetachMessages() {
    for (UINT message : m_attached) MSubclass::DetachMessage(this, m_hWnd, message);
    m_attached.clear();
    m_bIsMDIChild = false;
}

void cNCCalcSize::CreateSurface() {
    m_surface = std::make_unique<cMemDC>();
    m_surface->Width(rt::Screen::Width() / rt::Screen::TwipsPerPixelX());
    m_surface->Height(kSurfaceCaptionRows * GetSystemMetrics(SM_CYCAPTION));
}

void cNCCalcSize::DestroySurface() { m_surface.reset(); }

bool cNCCalcSize::GetImplementation(std::shared_ptr<INCAreaModifier>& iTo) {
    iTo.reset();
    if (!m_hWnd) return false;
    auto* address = static_cast<INCAreaModifier*>(GetPropW(m_hWnd, kNCImplementationProperty));
    iTo = ObjectFromPtr(address);
    return iTo != nullptr;
}

long cNCCalcSize::AltKeyAccelerator(long vKey) {
    std::shared_ptr<INCAreaModifier> painter;
    if (!GetImplementation(painter)) return 0;
    return painter->AltKeyAccelerator(vKey);
}

// The window follows the pointer from the point where it was grabbed: a busy program that
// handles the press late still moves the window by all the travel made since the press.
void cNCCalcSize::DragMoveWindow(POINT grabbed) {
    RECT w = PlacementRect(m_hWnd);
    POINT last = grabbed;
    if (!rt::PrimaryButtonHeld()) return;
    // Event processing inside the loop may destroy the window, which detaches the engine.
    while (m_hWnd && m_bActive) {
        POINT p = {};
        GetCursorPos(&p);
        if (p.x != last.x || p.y != last.y) {
            SetWindowPos(m_hWnd, nullptr, w.left + p.x - last.x, w.top + p.y - last.y, 0, 0,
                         kDragMoveFlags);
            last = p;
            w = PlacementRect(m_hWnd);
        }
        rt::DoEvents();
        Sleep(1);
        if (!rt::PrimaryButtonHeld()) break;
    }
}

long cNCCalcSize::MsgResponse() const {
    switch (MSubclass::CurrentMessage()) {
        case WM_SIZE:
        case WM_SETTEXT:
        case WM_SETCURSOR:
        case WM_STYLECHANGED:
        case WM_NCHITTEST:
        case WM_NCPAINT:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_INITMENU:
        case WM_INITMENUPOPUP:
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_SYSCOMMAND:
            return ResponseClientOnly;
        default:
            return ResponseDefaultBefore;
    }
}

void cNCCalcSize::MsgResponse(long) {}

LRESULT cNCCalcSize::WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
        case WM_NCCALCSIZE: return OnNcCalcSize(hWnd, wParam, lParam);
        case WM_NCPAINT: return OnNcPaint(hWnd, iMsg, wParam, lParam);
        case WM_NCACTIVATE: return OnNcActivate(hWnd, iMsg, wParam, lParam);
        case WM_NCHITTEST: return OnNcHitTest(hWnd, iMsg, wParam, lParam);
        case WM_NCLBUTTONDOWN: return OnNcLButtonDown(hWnd, iMsg, wParam, lParam);
        case WM_NCLBUTTONUP: return OnNcLButtonUp(lParam);
        case WM_NCLBUTTONDBLCLK: return OnNcLButtonDblClk(hWnd, iMsg, wParam, lParam);
        case WM_SETTEXT:
        case WM_STYLECHANGED: return OnDefaultThenRepaint(hWnd, iMsg, wParam, lParam);
        case WM_SETCURSOR: return OnSetCursor(hWnd, iMsg, wParam, lParam);
        case WM_INITMENU:
        case WM_INITMENUPOPUP:
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_SIZE: return OnMenuMessage(hWnd, iMsg, wParam, lParam);
        case WM_ACTIVATEAPP: m_bAppActive = (wParam != 0); return 0;
        case WM_GETMINMAXINFO: return OnGetMinMaxInfo(lParam);
        case WM_SYSCOMMAND: return OnSysCommand(hWnd, iMsg, wParam, lParam);
        case WM_DESTROY: Detach(); return 0;
        default: return 0;
    }
}

bool cNCCalcSize::IsMDIChild(HWND hWnd) {
    wchar_t name[kClassNameLength] = {};
    if (GetClassNameW(GetParent(hWnd), name, kClassNameLength) <= 0) return false;
    return std::wcscmp(name, L"MDIClient") == 0;
}

POINT cNCCalcSize::PointInWindow(POINT screen, RECT& windowAtOrigin) const {
    RECT w = {};
    GetWindowRect(m_hWnd, &w);
    windowAtOrigin = AtOrigin(w);
    return POINT{screen.x - w.left, screen.y - w.top};
}

long cNCCalcSize::GetHitTest(POINT screen) {
    std::shared_ptr<INCAreaModifier> painter;
    if (!GetImplementation(painter)) return HTNOWHERE;
    const bool sizable = (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_THICKFRAME) != 0;
    RECT window = {};
    const POINT p = PointInWindow(screen, window);
    const NCMargins margins{m_lLeft, m_lTop, m_lRight, m_lBottom};
    long code = NCHitZone(p, window, margins, sizable, GetSystemMetrics(SM_CYCAPTION));
    painter->HitTest(p.x, p.y, code);
    return code;
}

bool cNCCalcSize::RefreshZoomedMDIChild() {
    m_bZoomedMDIChild = m_bIsMDIChild && IsZoomed(m_hWnd);
    return m_bZoomedMDIChild;
}

void cNCCalcSize::Repaint() {
    if (m_hWnd) WindowProc(m_hWnd, WM_NCPAINT, 0, 0);
}

// With wParam 0 the previous window procedure has already turned the window rectangle into
// its client rectangle (this message is answered "default before"); running it a second time
// would shrink the rectangle twice, so that one result stands.
LRESULT cNCCalcSize::OnNcCalcSize(HWND, WPARAM wParam, LPARAM lParam) {
    RefreshZoomedMDIChild();
    if (wParam == 0) return 0;
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    if (!params->lppos) return 0;
    NCCALCSIZE_PARAMS copy = *params;
    const WINDOWPOS pos = *copy.lppos;
    RECT& client = copy.rgrc[0];
    client = RECT{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};

    long left = GetSystemMetrics(SM_CXFRAME);
    long right = left;
    long top = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    long bottom = GetSystemMetrics(SM_CYFRAME);
    std::shared_ptr<INCAreaModifier> painter;
    if (!m_bZoomedMDIChild && GetImplementation(painter)) {
        painter->GetLeftMarginWidth(left);
        painter->GetTopMarginHeight(top);
        painter->GetRightMarginWidth(right);
        painter->GetBottomMarginHeight(bottom);
    }
    m_lLeft = left;
    m_lTop = top;
    m_lRight = right;
    m_lBottom = bottom;

    client.left += left;
    client.top += top;
    client.right -= right;
    client.bottom -= bottom;
    copy.rgrc[1] = client;
    *params = copy;
    return WVR_VALIDRECTS;
}

LRESULT cNCCalcSize::OnNcPaint(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindowVisible(m_hWnd)) return 0;
    if (RefreshZoomedMDIChild()) return MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    rt::WindowFrameDC dc(m_hWnd);
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    const RECT r = AtOrigin(window);
    std::shared_ptr<INCAreaModifier> painter;
    if (GetImplementation(painter)) {
        painter->NCPaint(dc.get(), r.left, r.top, r.right, r.bottom);
    } else {
        DefaultNCPaint(dc.get(), r.left, r.top, r.right, r.bottom);
    }
    return 0;
}

LRESULT cNCCalcSize::OnNcActivate(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    m_bActive = (wParam != 0);
    const LRESULT result = MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    Repaint();
    return result;
}

LRESULT cNCCalcSize::OnNcHitTest(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<INCAreaModifier> painter;
    if (!GetImplementation(painter)) return MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    // Judged where the pointer was for this message: on a busy machine it may be elsewhere by now.
    const long code = GetHitTest(MessagePoint(lParam));
    m_lLastHitTest = code;
    // The menu band is drawn by the program: the window manager must treat it as client.
    return code == HTMENU ? HTCLIENT : code;
}

// A one-pixel nudge, alternating direction, so the pointer reports a move after the press.
// A pointer whose moves already wait behind the press reports one anyway, and is left alone:
// under Wine a relative move is reckoned from the last position the program has taken in, so
// it would pull a pointer that has travelled on since back there. Returns the move made.
POINT cNCCalcSize::NudgePointer() {
    if (HIWORD(GetQueueStatus(QS_MOUSEMOVE)) & QS_MOUSEMOVE) return POINT{0, 0};
    m_lNudgeX = -(m_lNudgeX == 0 ? 1 : m_lNudgeX);
    m_lNudgeY = -(m_lNudgeY == 0 ? 1 : m_lNudgeY);
    mouse_event(MOUSEEVENTF_MOVE, static_cast<DWORD>(m_lNudgeX), static_cast<DWORD>(m_lNudgeY), 0, 0);
    return POINT{m_lNudgeX, m_lNudgeY};
}

LRESULT cNCCalcSize::OnNcLButtonDown(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const POINT nudge = NudgePointer();
    // The press is judged where it happened, not where the pointer has got to since.
    const POINT pressed = MessagePoint(lParam);
    const long code = GetHitTest(pressed);
    std::shared_ptr<INCAreaModifier> painter;
    if (GetImplementation(painter)) {
        if (m_lLastHitTest == HTCAPTION) {
            if (!m_bActive) SetForegroundWindow(m_hWnd);
            // The nudge moved the pointer too: it is no travel of the user's.
            DragMoveWindow(POINT{pressed.x + nudge.x, pressed.y + nudge.y});
            return 0;
        }
        RECT window = {};
        const POINT p = PointInWindow(pressed, window);
        bool handled = false;
        {
            rt::WindowFrameDC dc(m_hWnd);
            painter->NCMouseDown(p.x, p.y, handled, dc.get(), window.left, window.top,
                                 window.right, window.bottom);
        }
        if (handled) return 0;
        // The press goes on with the engine's own hit-test code.
        wParam = static_cast<WPARAM>(code);
    }
    MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    Repaint();
    return 0;
}

LRESULT cNCCalcSize::OnNcLButtonUp(LPARAM lParam) {
    std::shared_ptr<INCAreaModifier> painter;
    if (!GetImplementation(painter)) return 0;
    RECT window = {};
    const POINT p = PointInWindow(MessagePoint(lParam), window);
    rt::WindowFrameDC dc(m_hWnd);
    bool handled = false;
    painter->NCMouseDown(p.x, p.y, handled, dc.get(), window.left, window.top, window.right,
                         window.bottom);
    painter->NCMouseUp(p.x, p.y, dc.get(), window.left, window.top, window.right, window.bottom);
    return 0;
}

// The painter reports its drawn caption buttons as the system-menu zone, and the default
// double-click there closes the window. So the second click of a double-click on a drawn button
// presses that button again (its release gives the button's command); elsewhere the default
// double-click stands (caption: maximise or restore; icon: close).
LRESULT cNCCalcSize::OnNcLButtonDblClk(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<INCAreaModifier> painter;
    if (GetImplementation(painter)) {
        RECT window = {};
        const POINT p = PointInWindow(MessagePoint(lParam), window);
        bool handled = false;
        {
            rt::WindowFrameDC dc(m_hWnd);
            painter->NCMouseDown(p.x, p.y, handled, dc.get(), window.left, window.top, window.right,
                                 window.bottom);
        }
        if (handled) return 0;
    }
    return OnDefaultThenRepaint(hWnd, iMsg, wParam, lParam);
}

// The window manager has filled in its own limits (this message is answered "default before");
// the painter raises the smallest tracking size to what it can draw whole.
LRESULT cNCCalcSize::OnGetMinMaxInfo(LPARAM lParam) {
    std::shared_ptr<INCAreaModifier> painter;
    if (!lParam || m_bZoomedMDIChild || !GetImplementation(painter)) return 0;
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    long cx = info->ptMinTrackSize.x;
    long cy = info->ptMinTrackSize.y;
    painter->GetMinTrackSize(cx, cy);
    info->ptMinTrackSize = POINT{cx, cy};
    return 0;
}

// F10 and Alt pressed alone go to the painter's menu, as Alt+letter does. The default would
// enter the platform's menu mode on a window without a menu bar: it draws the platform's small
// window icon over the painted caption, and Right or Down then opens the system menu. The
// release of an Alt whose letter the hook used (the window never saw that key) asks for none.
LRESULT cNCCalcSize::OnSysCommand(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<INCAreaModifier> painter;
    if ((wParam & kSysCommandMask) != SC_KEYMENU || lParam != 0 || !GetImplementation(painter)) {
        return MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    }
    if (!mDeclares::TakeUsedAltKey()) painter->KeyMenu();
    return 0;
}

LRESULT cNCCalcSize::OnDefaultThenRepaint(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    Repaint();
    return result;
}

// The default cursor handling runs with the window's style as it is. Taking WS_VISIBLE off for
// it (to keep the default from drawing) hid the window from the routing of input for that
// moment: a click arriving then went to whatever lay behind, and under Wine the desktop took the
// activation. A native menu put back on the window meanwhile is taken off again here.
LRESULT cNCCalcSize::OnSetCursor(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    if (GetMenu(m_hWnd)) SetMenu(m_hWnd, nullptr);
    return result;
}

LRESULT cNCCalcSize::OnMenuMessage(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    Repaint();
    std::shared_ptr<INCAreaModifier> painter;
    if (iMsg == WM_INITMENUPOPUP && HIWORD(lParam) == 0 && GetImplementation(painter)) {
        painter->InitMenuPopup(wParam, lParam);
    } else if (iMsg == WM_EXITMENULOOP && GetImplementation(painter)) {
        painter->ExitMenuLoop();
    }
    return 0;
}

void cNCCalcSize::DefaultNCPaint(HDC hDC, long lLeft, long lTop, long lRight, long lBottom) {
    const long fx = GetSystemMetrics(SM_CXFRAME);
    const long fy = GetSystemMetrics(SM_CYFRAME);
    const long cy = GetSystemMetrics(SM_CYCAPTION);
    const HBRUSH caption = GetSysColorBrush(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const HBRUSH border = GetSysColorBrush(m_bActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
    const UINT captionFlags = m_bActive ? DC_ACTIVE : 0;

    const RECT borders[] = {
        {lLeft, fy, fx, lBottom - fy},
        {lLeft, lTop, lRight, fy},
        {lRight - fx, fy, lRight, lBottom - fy},
        {lLeft, lBottom - fy, lRight, lBottom},
        {lLeft, fx + cy - 1, lRight, fx + cy},
    };
    for (const RECT& r : borders) FillRect(hDC, &r, border);

    const RECT strip = {lLeft + fx, lTop + fy, lRight - fx, lTop + fy + cy - 1};
    const long w = strip.right - strip.left;
    const long h = strip.bottom - strip.top;
    const HDC surface = m_surface ? m_surface->hDC() : nullptr;
    if (surface && w > 0 && h > 0) {
        const long buttonsLeft = w - 3 * h - 2;
        const RECT text = {0, 0, buttonsLeft, h};
        DrawCaption(m_hWnd, surface, &text, captionFlags | DC_ICON | DC_TEXT);
        const RECT buttons = {buttonsLeft, 0, w, h};
        FillRect(surface, &buttons, caption);

        RECT box = {w - h, 2, w - 2, h - 2};
        const long boxWidth = box.right - box.left;
        DrawFrameControl(surface, &box, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        OffsetRect(&box, -(boxWidth + 2), 0);
        DrawFrameControl(surface, &box, DFC_CAPTION,
                         IsZoomed(m_hWnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX);
        OffsetRect(&box, -boxWidth, 0);
        DrawFrameControl(surface, &box, DFC_CAPTION, DFCS_CAPTIONMIN);
        BitBlt(hDC, strip.left, strip.top, w, h, surface, 0, 0, SRCCOPY);
    }
    RECT edge = {lLeft, lTop, lRight, lBottom};
    DrawEdge(hDC, &edge, EDGE_RAISED, BF_RECT);
}
