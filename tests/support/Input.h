#pragma once
// Real input for tests (SendInput): it goes through Wine's input path, so hooks, the modal
// menu loop and the controls see it just as they see a user's. Coordinates are screen pixels.
//
// Sending input puts it into this thread's queue at once (when a window of this thread has the
// focus or the pointer); a helper then processes the messages waiting, until none is left, in
// one of two ways:
// - Processing::Plain dispatches them (PumpPending): enough for the test's own windows and for
//   code that runs modal loops of its own;
// - Processing::Program processes them as the program's message loop does: a form's keyboard
//   navigation (Tab, arrows, access keys) sees keys first, and the dialog manager those of a
//   window that asks for it (WS_EX_CONTROLPARENT).
// The pointer helpers move the pointer and wait until the system reports it there before they
// press, so a press lands where the test means it even while the desktop lags behind.
#include <windows.h>

#include <initializer_list>
#include <vector>

namespace testing_support {

enum class Processing { Plain, Program };

// Processes messages for the given time in the given way: only where the time is the subject.
void Pump(Processing how, DWORD ms);
// Processes the messages waiting, until none is left, in the given way.
void PumpPending(Processing how);

// A point of a window's client area, and the middle of that area, in screen pixels.
POINT OnScreen(HWND hwnd, int x, int y);
POINT CentreOf(HWND hwnd);

// Input records, for a test that sends a sequence of its own in one batch.
INPUT KeyInput(WORD vk, bool up);
INPUT MouseInput(DWORD flags, POINT screen);
void SendInputs(const std::vector<INPUT>& inputs);

// Moves the pointer and processes messages until it is there (at most 20 s).
bool MovePointer(POINT to, Processing how = Processing::Program);
// The left button goes down where the pointer was moved to, or up (wherever the pointer is
// sent, without waiting: a release ends a drag there).
void PressAt(POINT at, Processing how = Processing::Program);
void ReleaseAt(POINT at, Processing how = Processing::Program);
// The pointer moved there and waited for, then press and release in one batch.
void Click(POINT at, Processing how = Processing::Program);
// Presses the modifiers, taps the key, releases the modifiers in reverse order, in one batch.
void Key(WORD vk, std::initializer_list<WORD> modifiers = {}, Processing how = Processing::Program);

// Brings a window to the foreground and waits until it is there.
bool MakeForeground(HWND hwnd);
// Brings top to the foreground and the focus to target (or a window inside it), retrying
// while the desktop settles; processes as the program does. Keys sent into a window without
// the focus stay queued and reach whatever window comes next, so a test sends keys only once
// this returned true.
bool FocusOn(HWND top, HWND target);

// The older plain helpers of the frame tests: each sends its input at once (the press moves
// the pointer and presses in one event) and dispatches the messages waiting.
void MoveMouseTo(int x, int y);
void MouseDownAt(int x, int y);
void MouseUpAt(int x, int y);
void ClickAt(int x, int y);  // MouseDownAt, then MouseUpAt
void TapKey(WORD vk, std::initializer_list<WORD> modifiers = {});

}  // namespace testing_support
