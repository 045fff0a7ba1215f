#pragma once
// Real input into a window of another process (a running lumesca.exe), sent as a user gives it:
// each step only once the program has caught up with the one before.
#include <windows.h>

namespace testing_support {

// Returns once the window's program has taken every message and event that came before: what a
// user sees as a program that has caught up with the screen. A busy program that takes the
// pointer events of an earlier step only after the pointer's next move takes them for that
// move's (the events carry the older place), so a test that sends input must wait for this.
bool CaughtUp(HWND hwnd);

// Moves the pointer until the X server has it there too, as a user sees it there (at most 20 s).
bool PointerSettledAt(POINT to);

// A click at a screen point into the program that owns hwnd: the pointer goes there and is seen
// there, then the button goes down, and comes up once the program has taken the press.
bool ClickInProgram(HWND hwnd, POINT at);

}  // namespace testing_support
