#pragma once
// The state of the user's primary mouse button, and the "held" bit of the key state.
#include <windows.h>

namespace rt {

// The high bit of GetKeyState and GetAsyncKeyState: the key or button is down.
constexpr SHORT kKeyHeld = static_cast<SHORT>(0x8000);

// True while the logical primary button (the one that gives WM_LBUTTONDOWN) is down.
// GetAsyncKeyState reads the physical buttons: with a left-handed (swapped) mouse the
// primary one is VK_RBUTTON.
bool PrimaryButtonHeld();

}  // namespace rt
