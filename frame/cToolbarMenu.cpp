#include "frame/cToolbarMenu.h"

#include "frame/MSubclass.h"
#include "frame/MenuLayout.h"
#include "frame/ObjectFromPtr.h"

namespace {
constexpr UINT kTpmParamsSize = sizeof(TPMPARAMS);
constexpr long kNoButton = -1;
}  // namespace

cToolbarMenu::~cToolbarMenu() {
    // A tracker released while bound would leave its address listed for WM_MENUSELECT.
    if (m_hWndOwner) {
        try {
            DetachOwner();
        } catch (...) {
            // Detaching raises nothing; a destructor must not throw in any case.
        }
    }
}

void cToolbarMenu::AttachOwner(HWND hWndOwner, IMenuBarButtons* owner) {
    DetachOwner();
    m_hWndOwner = hWndOwner;
    SendMessageW(hWndOwner, WM_ENTERMENULOOP, 0, 0);
    try {
        MSubclass::AttachMessage(this, hWndOwner, WM_MENUSELECT);
    } catch (...) {
        // Not listed, so nothing to detach later: a DetachMessage now would lower the attach
        // count that the window's other clients rely on.
        m_hWndOwner = nullptr;
        throw;
    }
    m_lOwnerPtr = owner;
}

void cToolbarMenu::DetachOwner() {
    if (m_hWndOwner) {
        SendMessageW(m_hWndOwner, WM_EXITMENULOOP, 0, 0);
        MSubclass::DetachMessage(this, m_hWndOwner, WM_MENUSELECT);
    }
    m_hWndOwner = nullptr;
    m_lOwnerPtr = nullptr;
}

long cToolbarMenu::TrackPopup(long i) {
    if (m_bInTracking) return 0;
    m_bInTracking = true;
    m_iNextButton = i;
    // This tracker may be released by a handler that runs inside the menu loop; keep it alive
    // until the loop has been left. (A released owner unbinds first: GetOwner is then empty.)
    const auto self = ObjectFromPtr<ISubclass>(this);
    if (!GetOwner()) {
        m_bInTracking = false;
        return 0;
    }
    GetCursorPos(&m_ptLastMouse);
    long result = 0;
    while (m_iNextButton >= 0) {
        const long cur = m_iNextButton;
        m_iNextButton = kNoButton;
        result = 0;
        PressButton(cur, true);
        SetTrackingState(kStatePopup, cur);
        mDeclares::AttachMsgFilterHook(this);
        RECT rc;
        GetButtonRect(cur, rc);
        TPMPARAMS params = {};
        params.cbSize = kTpmParamsSize;
        params.rcExclude = rc;
        const POINT pt = GetPopupPosition(rc);
        IMenuBarButtons* bar = GetOwner();
        const HMENU hSub = bar ? bar->hSubMenu(cur) : nullptr;
        if (hSub) {
            m_hMenuTracking = hSub;
            result = TrackPopupMenuEx(hSub, TPM_VERTICAL, pt.x, pt.y, m_hWndOwner, &params);
        }
        mDeclares::DetachMsgFilterHook();
        PressButton(cur, false);
        SetTrackingState(kStateIdle, cur);
    }
    m_bInTracking = false;
    return result;
}

void cToolbarMenu::MenuInput(MSG& msg, bool& bHandled) {
    bHandled = false;
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_LEFT && m_bCanMoveLeft) {
            SwitchToButton(GetNextButton(m_iPopupButton, true));
            bHandled = true;
        } else if (msg.wParam == VK_RIGHT && m_bCanMoveRight) {
            SwitchToButton(GetNextButton(m_iPopupButton, false));
            bHandled = true;
        }
        break;
    case WM_MOUSEMOVE: {
        // A move to where the pointer already was is the window manager announcing a new
        // popup, not the user travelling: it must not pull the bar back to the button that
        // lies under a resting pointer after a keyboard switch.
        if (msg.pt.x == m_ptLastMouse.x && msg.pt.y == m_ptLastMouse.y) break;
        m_ptLastMouse = msg.pt;
        const long b = HitTestButton(msg.pt);
        if (b >= 1 && b != m_iPopupButton) SwitchToButton(b);
        break;
    }
    case WM_LBUTTONDOWN:
        if (HitTestButton(msg.pt) == m_iPopupButton) bHandled = true;
        break;
    default:
        break;
    }
}

long cToolbarMenu::MsgResponse() const {
    return MSubclass::CurrentMessage() == WM_MENUSELECT ? ResponseDefaultBefore : ResponseClientOnly;
}

void cToolbarMenu::MsgResponse(long) {}

LRESULT cToolbarMenu::WindowProc(HWND, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (iMsg == WM_MENUSELECT) OnMenuSelect(reinterpret_cast<HMENU>(lParam), LOWORD(wParam));
    return 0;
}

void cToolbarMenu::OnMenuSelect(HMENU hMenu, UINT item) {
    if (m_iTrackingState <= kStateIdle) return;
    // The item number is a position for an entry that opens a submenu and an identifier for
    // a command; either way an entry with a submenu keeps Right for the menu loop.
    m_bCanMoveRight = GetSubMenu(hMenu, static_cast<int>(item)) == nullptr;
    m_bCanMoveLeft = hMenu == m_hMenuTracking;
}

long cToolbarMenu::HitTestButton(POINT pt) const {
    IMenuBarButtons* bar = GetOwner();
    return bar ? bar->HitTest(pt) : 0;
}

void cToolbarMenu::SwitchToButton(long b) {
    IMenuBarButtons* bar = GetOwner();
    if (b <= 0 || b == m_iPopupButton || !bar || !bar->hSubMenu(b)) return;
    // The switch is posted: the loop ends, and TrackPopup opens b once the hook is gone.
    PostMessageW(m_hWndOwner, WM_CANCELMODE, 0, 0);
    m_iNextButton = b;
}

POINT cToolbarMenu::GetPopupPosition(const RECT& rc) const { return {rc.left, rc.bottom}; }

void cToolbarMenu::PressButton(long b, bool state) {
    IMenuBarButtons* bar = GetOwner();
    if (bar && b >= 1 && b <= bar->Count()) bar->PressButton(b, state);
}

void cToolbarMenu::GetButtonRect(long b, RECT& rc) const {
    rc = {0, 0, 0, 0};
    IMenuBarButtons* bar = GetOwner();
    if (bar && b >= 1 && b <= bar->Count()) bar->GetButtonRect(b, rc);
}

void cToolbarMenu::SetHotButton(long b) {
    if (IMenuBarButtons* bar = GetOwner()) bar->HotIndex(b);
}

long cToolbarMenu::GetButtonCount() const {
    IMenuBarButtons* bar = GetOwner();
    return bar ? bar->Count() : 0;
}

void cToolbarMenu::SetTrackingState(long state, long b) {
    if (state == m_iTrackingState) return;
    SetHotButton(state != kStateIdle ? b : kNoButton);
    if (state == kStatePopup) {
        m_bCanMoveRight = true;
        m_bCanMoveLeft = true;
        m_iPopupButton = b;
    }
    m_iTrackingState = state;
}

long cToolbarMenu::GetNextButton(long b, bool backward) const {
    // Every bar button counts as enabled, so the first step is the answer.
    return MenuLayout::NextButton(b, backward, GetButtonCount());
}
