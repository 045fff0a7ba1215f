#include "runtime/forms/OwnedStacking.h"

#include <algorithm>
#include <vector>

#include "runtime/forms/Form.h"
#include "runtime/forms/Forms.h"
#include "runtime/forms/WindowBinding.h"
#include "runtime/core/RuntimeError.h"
#include "runtime/core/Wine.h"

namespace rt::stacking {

namespace {

constexpr wchar_t kAnchorClass[] = L"LumescaStackingAnchor";
constexpr UINT kRestackMessage = WM_APP + 0x51;
constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
// A raise that only brings the X window up (Wine): the window already lies above the others in
// the window manager's order, so nothing of it is uncovered there, and what the X server
// uncovers Wine repaints from the window's own surface, which keeps every pixel it drew.
constexpr UINT kRaiseOnScreen = kKeepPlace | SWP_NOSENDCHANGING | SWP_NOREDRAW | SWP_NOCOPYBITS;

struct State {
    bool enabled = true;
    bool moving = false;  // the moves made here are not reported back
    bool restackPosted = false;
    bool fullRestack = false;     // the pending pass reads the whole order
    HWND focusOwner = nullptr;    // else: the form whose focus moved
    std::vector<HWND> modal;  // innermost last
    std::optional<ScreenStacking> screen;  // set by a test
    Counts counts;
};

State& TheState() {
    static State state;
    return state;
}

// Wine's X windows follow the window order only when a window becomes the topmost one.
bool StacksOnlyOnRaise() {
    if (const auto& screen = TheState().screen) return *screen == ScreenStacking::kOnlyOnRaise;
    return RunningUnderWine();
}

// The user works in the program: the foreground window is one of its windows (all of them,
// dialogs and message boxes included, belong to its one GUI thread).
bool InForeground() {
    const HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) == GetCurrentThreadId();
}

// The raises to the top that Wine's X windows need are made only while the user works in the
// program: in the background they would lift its windows over the application in front.
bool RaisesOnScreenNow() { return StacksOnlyOnRaise() && InForeground(); }

struct Shown {
    HWND hwnd;
    HWND owner;
};
using Order = std::vector<Shown>;

// Collects the shown top-level windows of the thread. Always-on-top ones (tips) are left out.
BOOL CALLBACK CollectShown(HWND hwnd, LPARAM data) {
    return GuardCallback([&]() -> BOOL {
        if (IsWindowVisible(hwnd) && !(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
            reinterpret_cast<Order*>(data)->push_back({hwnd, GetWindow(hwnd, GW_OWNER)});
        return TRUE;
    });
}

// The shown windows of the program (its one GUI thread), topmost first. EnumThreadWindows
// walks a copy of the order taken before the first callback, so windows that move meanwhile
// can neither make the walk loop nor hand it a destroyed window.
Order ShownTopFirst() {
    Order order;
    ++TheState().counts.checks;
    EnumThreadWindows(GetCurrentThreadId(), CollectShown, reinterpret_cast<LPARAM>(&order));
    return order;
}

int IndexOf(const Order& order, HWND hwnd) {
    const auto it = std::find_if(order.begin(), order.end(), [hwnd](const Shown& s) { return s.hwnd == hwnd; });
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

bool IsForm(HWND hwnd) {
    const Form* form = Form::FromHwnd(hwnd);
    return form && form->hWnd() == hwnd;
}

bool OwnsShown(const Order& order, HWND hwnd) {
    return std::any_of(order.begin(), order.end(), [hwnd](const Shown& s) { return s.owner == hwnd; });
}

bool IsOwnedBy(HWND hwnd, HWND owner) {
    for (HWND up = GetWindow(hwnd, GW_OWNER); up; up = GetWindow(up, GW_OWNER))
        if (up == owner) return true;
    return false;
}

// Puts hwnd just above below, one of the program's windows: right under the window that lies
// directly above below in the desktop's order, which may be another application's and stays
// above. Only when nothing lies above below does hwnd go to the top.
void PutJustAbove(HWND hwnd, HWND below) {
    const HWND above = GetWindow(below, GW_HWNDPREV);
    if (above == hwnd) return;
    ++TheState().counts.restacks;
    SetWindowPos(hwnd, above ? above : HWND_TOP, 0, 0, 0, 0, kKeepPlace);
}

// An owned form found below its owner goes back just above it. True when one moved.
bool PutOwnedAbove(const Order& order) {
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        const int owner = IndexOf(order, order[i].owner);
        if (owner < 0 || owner > i || !IsForm(order[i].hwnd)) continue;
        PutJustAbove(order[i].hwnd, order[owner].hwnd);
        return true;
    }
    return false;
}

// While a form runs modally, only the windows it owns (its dialogs) lie above it among the
// program's windows, and a window it disabled does not keep the activation (in the background
// the program's active window is its own affair: SetActiveWindow brings nothing to the front
// there). True when it moved.
bool PutModalOnTop(const Order& order) {
    const auto& modal = TheState().modal;
    if (modal.empty()) return false;
    const HWND form = modal.back();
    const int at = IndexOf(order, form);
    if (at < 0) return false;
    if (const HWND active = GetActiveWindow(); active && active != form && !IsWindowEnabled(active))
        SetActiveWindow(form);
    for (int i = 0; i < at; ++i)
        if (!IsOwnedBy(order[i].hwnd, form)) {
            PutJustAbove(form, order[i].hwnd);
            return true;
        }
    return false;
}

// Two hidden windows of this module, kept at the top of the order while Wine needs raises: a
// window put just below one of them moves to the top of what is shown, so its X window is
// raised, also when it was the topmost shown window already. Alternating between the two makes
// each raise a single real move.
HWND Anchor(int which);

void RaiseToTop(HWND hwnd) {
    ++TheState().counts.restacks;
    const HWND first = Anchor(0), second = Anchor(1);
    if (GetTopWindow(nullptr) != first) {
        SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, kRaiseOnScreen);
        SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, kRaiseOnScreen);
    }
    const HWND after = GetWindow(first, GW_HWNDNEXT) == hwnd ? second : first;
    SetWindowPos(hwnd, after, 0, 0, 0, 0, kRaiseOnScreen);
}

// The platform lifts the windows an owner owns over it before the owner itself, which then is
// never the topmost shown window: they leave it for the length of its raise (they are raised
// after it anyway).
void RaiseOwnerToTop(HWND hwnd, const Order& order) {
    std::vector<HWND> owned;
    for (const Shown& s : order)
        if (s.owner == hwnd) owned.push_back(s.hwnd);
    for (HWND window : owned) SetWindowLongPtrW(window, GWLP_HWNDPARENT, 0);
    RaiseToTop(hwnd);
    for (HWND window : owned) SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwnd));
}

// Wine: every shown window above the lowest owner (or the modal form) is raised once more,
// bottom first, so that the X windows take the window manager's order.
void RaiseOnScreen(const Order& order) {
    int lowest = -1;
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        if (OwnsShown(order, order[i].hwnd)) lowest = i;
    for (const HWND form : TheState().modal) lowest = std::max(lowest, IndexOf(order, form) + 1);
    for (int i = lowest - 1; i >= 0; --i) {
        if (OwnsShown(order, order[i].hwnd))
            RaiseOwnerToTop(order[i].hwnd, order);
        else
            RaiseToTop(order[i].hwnd);
    }
}

std::vector<HWND> ShownFormsOwnedBy(HWND owner) {
    std::vector<HWND> owned;
    for (const Form* form : Forms::detail::Loaded())
        if (form->hWnd() && GetWindow(form->hWnd(), GW_OWNER) == owner && IsWindowVisible(form->hWnd()))
            owned.push_back(form->hWnd());
    return owned;
}

// Wine lifts the X window of a form whenever the focus moves inside it, over the forms it
// owns. One owned form that owns none itself goes back up without reading the order.
void RaiseOwnedOf(HWND owner) {
    const std::vector<HWND> owned = ShownFormsOwnedBy(owner);
    if (owned.size() == 1 && ShownFormsOwnedBy(owned.front()).empty())
        RaiseToTop(owned.front());
    else if (!owned.empty())
        RaiseOnScreen(ShownTopFirst());
}

void RestoreOrder() {
    Order order = ShownTopFirst();
    for (int round = 0; round < 8 && (PutOwnedAbove(order) || PutModalOnTop(order)); ++round) order = ShownTopFirst();
    if (RaisesOnScreenNow()) RaiseOnScreen(order);
}

void Restack() {
    State& state = TheState();
    const bool full = state.fullRestack;
    const HWND focusOwner = state.focusOwner;
    state.restackPosted = state.fullRestack = false;
    state.focusOwner = nullptr;
    if (!state.enabled) return;
    state.moving = true;
    if (full)
        RestoreOrder();
    else if (focusOwner && IsWindow(focusOwner) && RaisesOnScreenNow())
        RaiseOwnedOf(focusOwner);
    state.moving = false;
}

LRESULT CALLBACK AnchorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return GuardCallback([&]() -> LRESULT {
        if (msg != kRestackMessage) return DefWindowProcW(hwnd, msg, wParam, lParam);
        Restack();
        return 0;
    });
}

HWND Anchor(int which) {
    static const HWND anchors[2] = {[] {
        RegisterWindowClass(kAnchorClass, 0, AnchorProc);
        return CreateWindowExW(WS_EX_TOOLWINDOW, kAnchorClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }(), CreateWindowExW(WS_EX_TOOLWINDOW, kAnchorClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr)};
    return anchors[which];
}

// Whether the form takes part in an owner relation with another shown form, or a form runs
// modally: only then can its event change anything here.
bool Involved(HWND form) {
    if (!TheState().modal.empty()) return true;
    const HWND owner = GetWindow(form, GW_OWNER);
    return (owner && IsWindowVisible(owner) && IsForm(owner)) || !ShownFormsOwnedBy(form).empty();
}

// The restack runs once after the event's own handling (a dialog shows only after it disabled
// its owner), however many events came meanwhile.
void PostRestack() {
    State& state = TheState();
    if (!state.restackPosted && Anchor(0)) state.restackPosted = PostMessageW(Anchor(0), kRestackMessage, 0, 0) != FALSE;
}

}  // namespace

void FormChanged(HWND form) {
    State& state = TheState();
    if (!state.enabled || state.moving) return;
    ++state.counts.reports;
    if (!Involved(form)) return;
    state.fullRestack = true;
    PostRestack();
}

void FocusMoved(HWND form) {
    State& state = TheState();
    if (!state.enabled || state.moving || !StacksOnlyOnRaise()) return;
    ++state.counts.reports;
    if (ShownFormsOwnedBy(form).empty()) return;
    if (state.focusOwner && state.focusOwner != form) state.fullRestack = true;
    state.focusOwner = form;
    PostRestack();
}

void ModalStarted(HWND form) { TheState().modal.push_back(form); }

void ModalEnded(HWND form) {
    auto& modal = TheState().modal;
    modal.erase(std::remove(modal.begin(), modal.end(), form), modal.end());
}

bool MayBringForward(HWND form) { return IsWindowVisible(form) && IsWindowEnabled(form); }

void SetEnabled(bool enabled) { TheState().enabled = enabled; }

void SetScreenStackingForTest(std::optional<ScreenStacking> stacking) { TheState().screen = stacking; }

Counts CountsSoFar() { return TheState().counts; }

}  // namespace rt::stacking
