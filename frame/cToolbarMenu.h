#pragma once
// cToolbarMenu: runs the drop-downs of the drawn menu bar. It opens a bar button's submenu
// under the button with the platform's popup-menu loop and, while the loop runs, watches the
// loop's input through the thread's message-filter hook: Left and Right and the mouse moving
// onto another bar button close the open drop-down and open the neighbouring one, so the user
// travels along the bar as along a native menu bar.
//
// The owner bar (cMenuBar) creates one (std::make_shared, see ISubclass.h), binds it with
// AttachOwner and unbinds it with DetachOwner before releasing it. The tracker keeps only a
// plain address of its bar and asks the bar, through IMenuBarButtons, for everything about the
// buttons, which it names by the bar's numbering (1..Count, 0 = no button). The bar keeps
// itself alive while a TrackPopup it started runs.
#include <windows.h>

#include "frame/IMenuBarButtons.h"
#include "frame/ISubclass.h"
#include "frame/mDeclares.h"

class cToolbarMenu : public ISubclass, public IMenuInput {
public:
    // Tracking states.
    static constexpr long kStateIdle = 0;
    static constexpr long kStatePopup = 2;

    cToolbarMenu() = default;
    ~cToolbarMenu() override;
    cToolbarMenu(const cToolbarMenu&) = delete;
    cToolbarMenu& operator=(const cToolbarMenu&) = delete;

    // Binds the tracker to the bar's window and the bar (unbinding first); listens to the
    // window's WM_MENUSELECT. Errors of MSubclass::AttachMessage reach the caller.
    void AttachOwner(HWND hWndOwner, IMenuBarButtons* owner);
    // Unbinds; safe when unbound.
    void DetachOwner();

    // Runs the drop-down of button i and then of every button the user moves to; returns
    // when no further drop-down is to open. The result is that of the last TrackPopupMenuEx
    // (nonzero when the last drop-down ran); 0 when the last button had no submenu, when no
    // owner is bound, or when a TrackPopup is already running.
    long TrackPopup(long i);

    // IMenuInput: every message of the menu loop while a drop-down is open.
    void MenuInput(MSG& msg, bool& bHandled) override;

    // State, for the bar and for inspection.
    long TrackingState() const { return m_iTrackingState; }
    long PopupButton() const { return m_iPopupButton; }
    bool InTracking() const { return m_bInTracking; }
    bool CanMoveLeft() const { return m_bCanMoveLeft; }
    bool CanMoveRight() const { return m_bCanMoveRight; }

    // ISubclass
    long MsgResponse() const override;
    void MsgResponse(long response) override;
    LRESULT WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnMenuSelect(HMENU hMenu, UINT item);
    long HitTestButton(POINT pt) const;
    void SwitchToButton(long b);
    POINT GetPopupPosition(const RECT& rc) const;
    IMenuBarButtons* GetOwner() const { return m_lOwnerPtr; }
    void PressButton(long b, bool state);
    void GetButtonRect(long b, RECT& rc) const;
    void SetHotButton(long b);
    long GetButtonCount() const;
    void SetTrackingState(long state, long b);
    long GetNextButton(long b, bool backward) const;

    long m_iTrackingState = kStateIdle;
    bool m_bCanMoveRight = false;
    bool m_bCanMoveLeft = false;
    HMENU m_hMenuTracking = nullptr;
    long m_iPopupButton = 0;
    long m_iNextButton = 0;
    bool m_bInTracking = false;
    HWND m_hWndOwner = nullptr;
    IMenuBarButtons* m_lOwnerPtr = nullptr;
    POINT m_ptLastMouse = {};  // the pointer as the menu loop last reported it
};
