#pragma once
// Keeps every shown owned form above its owner, and a modal form above every other window of
// the program, on screen as well as in the window manager's order.
//
// Windows keeps owned windows above their owner by itself, but nothing keeps a modal form above
// the program's windows it does not own (the banner while the skin chooser runs modally), and
// SetForegroundWindow activates and raises a disabled window like any other. A form only reports
// the few events that can upset the order (its place in the z-order changed, it was activated or
// deactivated, enabled or disabled, or the user ended a move); the program's order is then read
// once (EnumThreadWindows) and a window found out of place is put just above the window of the
// program it belongs over, never above a window of another application lying there. On Windows
// nothing runs for a focus move between the controls of a form.
//
// Wine keeps its own order right too, but its X windows are restacked only when a window
// becomes the topmost one, and other X requests can lift an owner's X window over the forms it
// owns: opening a platform dialog or message box, or a focus move inside the owner (even a
// Tab). There, after such an event, the windows that own nothing are raised once more, bottom
// first, each through a real move to the top; only while the program is in the foreground, so
// that a pass firing in the background lifts nothing over the application the user is in.
#include <windows.h>

#include <optional>

namespace rt::stacking {

// A form's place, activation or enabled state changed; form is its top-level window.
void FormChanged(HWND form);

// The focus moved to the form or one of its controls. Only Wine needs to hear of it, and only
// for a form that owns a shown form.
void FocusMoved(HWND form);

// The modal loop of a form starts and ends (loops nest).
void ModalStarted(HWND form);
void ModalEnded(HWND form);

// Whether the program may bring form forward (activate and raise it) now: not while it is hidden
// or disabled, as the owner of a running modal form is.
bool MayBringForward(HWND form);

// For the focus bench: the work can be switched off.
void SetEnabled(bool enabled);

// How the screen follows the window order. Wine cannot act Windows out, so a test chooses;
// nullopt gives the platform's own back.
enum class ScreenStacking { kFollowsOrder, kOnlyOnRaise };  // Windows, Wine
void SetScreenStackingForTest(std::optional<ScreenStacking> stacking);

// What the stacking work did so far. It uses no hook and no timer.
struct Counts {
    long reports = 0;   // events reported by forms
    long checks = 0;    // readings of the window order
    long restacks = 0;  // windows moved
};
Counts CountsSoFar();

}  // namespace rt::stacking
