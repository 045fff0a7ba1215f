#pragma once
// Pumping this thread's messages in tests, with a time bound.
#include <windows.h>

#include <functional>

namespace testing_support {

// Dispatches messages until condition() holds or timeoutMs passed; returns condition().
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Dispatches messages for the given time.
void PumpFor(DWORD ms);

}  // namespace testing_support
