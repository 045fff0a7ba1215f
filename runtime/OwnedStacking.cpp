#include "runtime/OwnedStacking.h"

#include <algorithm>
#include <vector>

#include "runtime/Form.h"
#include "runtime/Forms.h"
#include "runtime/WindowBinding.h"
#include "runtime/core/RuntimeError.h"

namespace rt::stacking {

namespace {

constexpr wchar_t kAnchorClass[] = L"LumescaStackingAnchor";
constexpr UINT kRestackMessage = WM_APP + 0x51;
constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

struct State {
    bool enabled = true;
    bool moving = false;  // the moves made here are not reported back
    bool restackPosted = false;
    std::vector<HWND> modal;  // innermost last
    Counts counts;
};

State& TheState() {
    static State state;
    return state;
}

// Wine's X windows follow the window order only when a window becomes the topmost one.
bool StacksOnlyOnRaise() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

struct Shown {
    HWND hwnd;
    HWND owner;
};
using Order = std::vector<Shown>;

// Collects the shown top-level windows of this thread. Always-on-top ones (tips) are left out.
BOOL CALLBACK CollectShown(HWND hwnd, LPARAM data) {
    return GuardCallback([&]() -> BOOL {
        if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId() && IsWindowVisible(hwnd) &&
            !(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
            reinterpret_cast<Order*>(data)->push_back({hwnd, GetWindow(hwnd, GW_OWNER)});
        return TRUE;
    });
}

// The shown windows of the program, topmost first. EnumWindows works on a copy of the order,
// so windows that move meanwhile can neither make the walk loop nor hand it a destroyed window.
Order ShownTopFirst() {
    Order order;
    ++TheState().counts.checks;
    EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&order));
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

void Move(HWND hwnd, HWND after) {
    ++TheState().counts.restacks;
    SetWindowPos(hwnd, after, 0, 0, 0, 0, kKeepPlace);
}

// An owned form found below its owner goes back just above it. True when one moved.
bool PutOwnedAbove(const Order& order) {
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        const int owner = IndexOf(order, order[i].owner);
        if (owner < 0 || owner > i || !IsForm(order[i].hwnd)) continue;
        Move(order[i].hwnd, owner == 0 ? HWND_TOP : order[owner - 1].hwnd);
        return true;
    }
    return false;
}

// While a form runs modally, only the windows it owns (its dialogs) lie above it, and a window
// it disabled does not keep the activation. True when it moved.
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
            Move(form, HWND_TOP);
            return true;
        }
    return false;
}

// A hidden window of this module: put on top before each raise below, so that the raised
// window really moves to the top even when it already was the topmost one.
HWND Anchor();

// Wine: every shown window that owns none is raised once more, bottom first, from just above
// the lowest owner (or modal form) up. An owner cannot be raised past the windows it owns, and
// need not be.
void RaiseOnScreen(const Order& order) {
    int lowest = -1;
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        if (OwnsShown(order, order[i].hwnd)) lowest = i;
    for (const HWND form : TheState().modal) lowest = std::max(lowest, IndexOf(order, form) + 1);
    for (int i = lowest - 1; i >= 0; --i) {
        if (OwnsShown(order, order[i].hwnd)) continue;
        SetWindowPos(Anchor(), HWND_TOP, 0, 0, 0, 0, kKeepPlace);
        Move(order[i].hwnd, HWND_TOP);
    }
}

void Restack() {
    State& state = TheState();
    state.restackPosted = false;
    if (!state.enabled) return;
    state.moving = true;
    Order order = ShownTopFirst();
    for (int round = 0; round < 8 && (PutOwnedAbove(order) || PutModalOnTop(order)); ++round) order = ShownTopFirst();
    if (StacksOnlyOnRaise()) RaiseOnScreen(order);
    state.moving = false;
}

LRESULT CALLBACK AnchorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return GuardCallback([&]() -> LRESULT {
        if (msg != kRestackMessage) return DefWindowProcW(hwnd, msg, wParam, lParam);
        Restack();
        return 0;
    });
}

HWND Anchor() {
    static const HWND anchor = [] {
        RegisterWindowClass(kAnchorClass, 0, AnchorProc);
        return CreateWindowExW(WS_EX_TOOLWINDOW, kAnchorClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }();
    return anchor;
}

bool OwnsShownForm(HWND form) {
    for (const Form* other : Forms::detail::Loaded())
        if (other->hWnd() && GetWindow(other->hWnd(), GW_OWNER) == form && IsWindowVisible(other->hWnd())) return true;
    return false;
}

// Whether the form takes part in an owner relation with another shown form, or a form runs
// modally: only then can its event change anything here.
bool Involved(HWND form) {
    if (!TheState().modal.empty()) return true;
    const HWND owner = GetWindow(form, GW_OWNER);
    return (owner && IsWindowVisible(owner) && IsForm(owner)) || OwnsShownForm(form);
}

// The restack runs once after the event's own handling (a dialog shows only after it disabled
// its owner), however many events came meanwhile.
void PostRestack() {
    State& state = TheState();
    if (!state.restackPosted) state.restackPosted = PostMessageW(Anchor(), kRestackMessage, 0, 0) != FALSE;
}

}  // namespace

void FormChanged(HWND form) {
    State& state = TheState();
    if (!state.enabled || state.moving) return;
    ++state.counts.reports;
    if (Involved(form)) PostRestack();
}

void FocusMoved(HWND form) {
    State& state = TheState();
    if (!state.enabled || state.moving || !StacksOnlyOnRaise()) return;
    ++state.counts.reports;
    if (OwnsShownForm(form)) PostRestack();
}

void ModalStarted(HWND form) { TheState().modal.push_back(form); }

void ModalEnded(HWND form) {
    auto& modal = TheState().modal;
    modal.erase(std::remove(modal.begin(), modal.end(), form), modal.end());
}

void SetEnabled(bool enabled) { TheState().enabled = enabled; }

Counts CountsSoFar() { return TheState().counts; }

}  // namespace rt::stacking
