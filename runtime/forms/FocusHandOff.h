#pragma once
// Where the keyboard focus goes when the window holding it (or one of its ancestors) stops
// taking input. The system leaves the focus on a control inside a hidden or disabled
// container, where no key can reach any visible control and the dialog manager's search for
// an access key, which walks only visible, enabled windows, never comes back to where it
// started. The runtime hands the focus on first, as a user expects: to the next control of
// the same top-level window in tab order that is visible, enabled and a tab stop, else to
// that top-level window itself.
#include <windows.h>

namespace rt {

// Call just before leaving is hidden or disabled: when the focus is on leaving or inside it,
// it moves on past leaving. Does nothing otherwise.
void HandFocusOnFrom(HWND leaving);

// For a focus already left behind (a key arrived for a window that no longer takes input):
// hands it on past the outermost hidden or disabled window that holds hwnd, below its
// top-level window. Returns the new focus, or nullptr when hwnd is not held so.
HWND HandFocusOnFromUnreachable(HWND hwnd);

// Whether hwnd and every ancestor up to its top-level window are visible and enabled.
bool TakesInput(HWND hwnd);

}  // namespace rt
