#pragma once
// Pumping this thread's messages in tests, with a time bound.
#include <windows.h>

#include <functional>

namespace testing_support {

// Dispatches messages until condition() holds or timeoutMs passed; returns condition().
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

// Waits without dispatching, on a thread whose own messages do not matter (a script sending
// input while another thread runs a modal loop), until condition() holds or timeoutMs passed.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

// Dispatches the messages waiting now, paints included, until none is left: what a call made
// in this thread caused has then been handled.
void PumpPending();

// Dispatches messages for the given time: only where the time itself is the subject.
void PumpFor(DWORD ms);

}  // namespace testing_support
