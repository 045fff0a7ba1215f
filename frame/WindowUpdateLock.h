#pragma once
// LockWindowUpdate for the length of a scope, released on every way out: an error of the
// subclassing service while a skin is put on must not leave the desktop's updates locked.
// Only the lock that took effect releases it: a nested lock (the bar's Attach inside the
// painter's) fails and must not end the outer one early.
#include <windows.h>

class WindowUpdateLock {
public:
    explicit WindowUpdateLock(HWND hwnd) : m_locked(LockWindowUpdate(hwnd) != FALSE) {}
    ~WindowUpdateLock() {
        if (m_locked) LockWindowUpdate(nullptr);
    }
    WindowUpdateLock(const WindowUpdateLock&) = delete;
    WindowUpdateLock& operator=(const WindowUpdateLock&) = delete;

private:
    bool m_locked;
};
