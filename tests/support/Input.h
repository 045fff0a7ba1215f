#pragma once
// Real input for tests (SendInput): it goes through Wine's input path, so hooks and the modal
// menu loop see it just as they see a user's. Coordinates are screen pixels.
#include <windows.h>

#include <initializer_list>

namespace testing_support {

void MoveMouseTo(int x, int y);
void ClickAt(int x, int y);            // left button down and up
void MouseDownAt(int x, int y);
void MouseUpAt(int x, int y);
// Presses the modifiers, taps the key, releases the modifiers in reverse order.
void TapKey(WORD vk, std::initializer_list<WORD> modifiers = {});
// Brings a window to the foreground and waits until it is there.
bool MakeForeground(HWND hwnd);

}  // namespace testing_support
