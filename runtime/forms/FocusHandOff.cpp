#include "runtime/forms/FocusHandOff.h"

#include <algorithm>
#include <vector>

namespace rt {

namespace {

bool InsideOrSame(HWND outer, HWND hwnd) { return hwnd == outer || IsChild(outer, hwnd); }

// Every descendant of parent, depth first in z-order: the order the dialog manager's Tab walk
// follows, which the containers set from the tab indexes.
void CollectInTabOrder(HWND parent, std::vector<HWND>& windows) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        windows.push_back(child);
        CollectInTabOrder(child, windows);
    }
}

bool CanTakeFocus(HWND hwnd, HWND leaving) {
    return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP) && !InsideOrSame(leaving, hwnd) && TakesInput(hwnd);
}

HWND NextFocusable(HWND top, HWND leaving) {
    std::vector<HWND> order;
    CollectInTabOrder(top, order);
    const auto from = std::find(order.begin(), order.end(), leaving);
    if (from == order.end()) return nullptr;
    std::rotate(order.begin(), from, order.end());
    const auto next = std::find_if(order.begin(), order.end(), [&](HWND w) { return CanTakeFocus(w, leaving); });
    return next == order.end() ? nullptr : *next;
}

// The outermost child window from hwnd up that is hidden or disabled itself.
HWND OutermostShutOff(HWND hwnd) {
    HWND shutOff = nullptr;
    for (HWND w = hwnd; w; w = GetParent(w)) {
        const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
        if (!(style & WS_CHILD)) break;
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) shutOff = w;
    }
    return shutOff;
}

}  // namespace

HWND HandFocusOnFromUnreachable(HWND hwnd) {
    const HWND shutOff = OutermostShutOff(hwnd);
    if (!shutOff) return nullptr;
    HandFocusOnFrom(shutOff);
    const HWND focus = GetFocus();
    return focus && !InsideOrSame(shutOff, focus) ? focus : nullptr;
}

bool TakesInput(HWND hwnd) {
    for (HWND w = hwnd; w; w = (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
        if (!IsWindowVisible(w) || !IsWindowEnabled(w)) return false;
    return hwnd != nullptr;
}

void HandFocusOnFrom(HWND leaving) {
    const HWND focus = GetFocus();
    if (!leaving || !focus || !InsideOrSame(leaving, focus)) return;
    const HWND top = GetAncestor(leaving, GA_ROOT);
    if (!top || top == leaving) return;
    const HWND next = NextFocusable(top, leaving);
    SetFocus(next ? next : top);
}

}  // namespace rt
