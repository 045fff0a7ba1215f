#pragma once
// INCAreaModifier: the painter of a window's non-client area. cNCCalcSize takes over the
// window's non-client messages and asks its painter for the margins, the painting, hit-test
// refinement, caption-button mouse handling, popup-menu preparation and Alt-key menu access.
//
// Lifetime: the engine stores only the painter's plain address (the window property
// "ostrCNCImplementation") and takes a counted reference with ObjectFromPtr for each message
// it hands on, so a painter owned by a std::shared_ptr (std::make_shared) stays alive for the
// length of a call into it. The painter detaches its engine before it goes away.
//
// All lengths and coordinates are pixels; the painting and mouse rectangles are the window
// rectangle moved to (0, 0).
#include <windows.h>

#include <memory>

class INCAreaModifier : public std::enable_shared_from_this<INCAreaModifier> {
public:
    virtual ~INCAreaModifier() = default;

    // The window to take over; read once, by cNCCalcSize::Attach.
    virtual HWND hWnd() = 0;

    // Margins, asked on every WM_NCCALCSIZE in the order left, top, right, bottom; each
    // argument arrives holding the engine's default and leaves holding the margin.
    virtual void GetTopMarginHeight(long& cy) = 0;
    virtual void GetLeftMarginWidth(long& cx) = 0;
    virtual void GetRightMarginWidth(long& cx) = 0;
    // Also the thickness of the top and bottom resize zones.
    virtual void GetBottomMarginHeight(long& cy) = 0;

    // Paints the whole non-client area on the window DC, which the engine releases.
    virtual void NCPaint(HDC hDC, long lLeft, long lTop, long lRight, long lBottom) = 0;

    // Refines a hit-test: (x, y) relative to the window's top-left corner; eHitTest arrives
    // holding the engine's code and leaves holding the final one.
    virtual void HitTest(long x, long y, long& eHitTest) = 0;

    // A left press in the non-client area (not on the caption band) and, on release, again
    // right before NCMouseUp. Setting bHandled on a press stops the default processing.
    virtual void NCMouseDown(long x, long y, bool& bHandled, HDC hDC, long lLeft, long lTop,
                             long lRight, long lBottom) = 0;
    virtual void NCMouseUp(long x, long y, HDC hDC, long lLeft, long lTop, long lRight,
                           long lBottom) = 0;

    // WM_INITMENUPOPUP of a popup that is not the window menu, after the default processing.
    virtual void InitMenuPopup(WPARAM wParam, LPARAM lParam) = 0;
    // WM_EXITMENULOOP, after the default processing.
    virtual void ExitMenuLoop() = 0;

    // Alt+vKey from the thread keyboard hook; non-zero: the key was used and is swallowed.
    virtual long AltKeyAccelerator(long vKey) = 0;

    // F10 or Alt pressed alone (SC_KEYMENU without a character); non-zero when the painter
    // opened its menu. The platform's menu mode never runs on the painted frame either way.
    virtual long KeyMenu() { return 0; }

    // WM_GETMINMAXINFO: cx and cy arrive holding the window manager's smallest tracking size
    // and leave holding the smallest size the painter can draw whole. Unchanged by default.
    virtual void GetMinTrackSize(long& /*cx*/, long& /*cy*/) {}

protected:
    INCAreaModifier() = default;
    INCAreaModifier(const INCAreaModifier&) = default;
    INCAreaModifier& operator=(const INCAreaModifier&) = default;
};
