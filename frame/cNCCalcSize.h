#pragma once
// cNCCalcSize: the non-client area engine of one top-level window. It subclasses the window's
// non-client messages through MSubclass, sets the non-client margins, answers hit-testing,
// drags the window by its caption band itself, keeps the native menu bar off the window, and
// hands painting and mouse handling to the window's INCAreaModifier painter (registered in
// the window property "ostrCNCImplementation"). With no painter registered it paints a plain
// system-coloured frame (DefaultNCPaint). It registers with the thread keyboard hook so that
// Alt+key presses reach the painter; F10 and Alt alone reach it as SC_KEYMENU.
//
// Create it with std::make_shared (see ISubclass.h for why); the painter owns it.
#include <windows.h>

#include <memory>
#include <vector>

#include "frame/INCAreaModifier.h"
#include "frame/ISubclass.h"

class cMemDC;

// The window property holding the painter's address.
inline constexpr wchar_t kNCImplementationProperty[] = L"ostrCNCImplementation";

class cNCCalcSize : public ISubclass {
public:
    cNCCalcSize();
    ~cNCCalcSize() override;
    cNCCalcSize(const cNCCalcSize&) = delete;
    cNCCalcSize& operator=(const cNCCalcSize&) = delete;

    // RedrawWindow with invalidate, internal paint, all children, update now.
    void Redraw(HWND hWnd);
    // Repaints the form f, then has the frame recalculated and repainted (SWP_FRAMECHANGED).
    void Display(HWND f);
    // The last WM_NCACTIVATE state.
    bool WindowActive() const { return m_bActive; }
    // The last WM_ACTIVATEAPP state.
    bool AppActive() const { return m_bAppActive; }
    // Starts a caption drag by the window manager from the current cursor position.
    void TitleBarMouseDown();
    // Posts WM_SYSCOMMAND eCmd to the window (SC_CLOSE, SC_MAXIMIZE, ...).
    void SysCommand(long eCmd);

    // Takes over the window of iTo (detaching first; no painter only detaches). The window's
    // menu is kept, or handedOver when the window has none (a painter it came from held it).
    // Errors of MSubclass::AttachMessage end it at that message; the messages attached before
    // stay attached.
    void Attach(INCAreaModifier* iTo, HMENU handedOver = nullptr);
    // The window's menu at Attach.
    HMENU hMenu() const { return m_hMenu; }
    // Gives the window back; safe to call when detached. The painter's registration is
    // removed only while it still names this engine's painter.
    void Detach();
    // True while the window's registered painter is the one this engine was attached for.
    bool HoldsWindow() const;

    // The system-look frame: border, caption with icon, title and caption buttons, raised edge.
    void DefaultNCPaint(HDC hDC, long lLeft, long lTop, long lRight, long lBottom);
    // The window's registered painter; false (and iTo empty) when none is registered.
    bool GetImplementation(std::shared_ptr<INCAreaModifier>& iTo);

    // For the keyboard hook: the painter's AltKeyAccelerator, 0 without a painter.
    long AltKeyAccelerator(long vKey);
    // Moves the window with the pointer, from the screen point where it was grabbed, while the
    // left button is down and the window active.
    void DragMoveWindow(POINT grabbed);

    // ISubclass
    long MsgResponse() const override;
    void MsgResponse(long response) override;
    LRESULT WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

    // True when the parent of hWnd is an MDI client window ("MDIClient").
    static bool IsMDIChild(HWND hWnd);
    // The hit-test code of a screen point (HTNOWHERE without a painter).
    long GetHitTest(POINT screen);

private:
    LRESULT OnNcCalcSize(HWND hWnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaint(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivate(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDown(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonUp(LPARAM lParam);
    LRESULT OnNcLButtonDblClk(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(LPARAM lParam);
    LRESULT OnSysCommand(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnDefaultThenRepaint(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuMessage(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    void Repaint();
    void AttachMessages();
    void DetachMessages();
    void CreateSurface();
    void DestroySurface();
    bool RefreshZoomedMDIChild();
    POINT PointInWindow(POINT screen, RECT& windowAtOrigin) const;
    POINT NudgePointer();

    HWND m_hWnd = nullptr;
    INCAreaModifier* m_painter = nullptr;  // the painter of the last Attach (not owned)
    bool m_bIsMDIChild = false;
    HMENU m_hMenu = nullptr;
    bool m_bActive = false;
    bool m_bAppActive = false;
    bool m_bZoomedMDIChild = false;
    std::unique_ptr<cMemDC> m_surface;  // where DefaultNCPaint composes the caption strip
    long m_lLeft = 0;
    long m_lTop = 0;
    long m_lRight = 0;
    long m_lBottom = 0;
    long m_lLastHitTest = 0;
    long m_lNudgeX = 0;
    long m_lNudgeY = 0;
    std::vector<UINT> m_attached;  // messages listed by the last Attach, in order
};
