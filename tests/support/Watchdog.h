#pragma once
// A bound on a step that could hang the thread for good (a message loop that never comes
// back): if the watchdog is not destroyed within its time, it reports what hung and ends the
// test program with a failing exit code, so the run goes on with the next test program.
#include <windows.h>

#include <string>

namespace testing_support {

class Watchdog {
public:
    Watchdog(DWORD timeoutMs, std::string what);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self);

    DWORD m_timeoutMs;
    std::string m_what;
    HANDLE m_done;
    HANDLE m_thread;
};

}  // namespace testing_support
