#include "tests/support/Watchdog.h"

#include <cstdio>

namespace testing_support {

namespace {
constexpr UINT kHungExitCode = 3;
}

Watchdog::Watchdog(DWORD timeoutMs, std::string what)
    : m_timeoutMs(timeoutMs),
      m_what(std::move(what)),
      m_done(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_thread(CreateThread(nullptr, 0, Watch, this, 0, nullptr)) {}

Watchdog::~Watchdog() {
    SetEvent(m_done);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    CloseHandle(m_done);
}

DWORD WINAPI Watchdog::Watch(void* self) {
    auto* dog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(dog->m_done, dog->m_timeoutMs) != WAIT_TIMEOUT) return 0;
    std::fprintf(stderr, "\nHUNG: %s did not come back within %lu ms\n", dog->m_what.c_str(),
                 static_cast<unsigned long>(dog->m_timeoutMs));
    std::fflush(stderr);
    // The hung thread holds no lock we need: end the whole program at once.
    TerminateProcess(GetCurrentProcess(), kHungExitCode);
    return 0;
}

}  // namespace testing_support
