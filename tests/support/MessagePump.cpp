#include "tests/support/MessagePump.h"

namespace testing_support {

namespace {
void DispatchPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
}  // namespace

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        DispatchPending();
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);  // the polling interval
    }
    return true;
}

void PumpPending() { DispatchPending(); }

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

}  // namespace testing_support
