#pragma once
// LockWindowUpdate for the length of a scope, released on every way out: an error of the
// subclassing service while a skin is put on must not leave the desktop's updates locked.
#include <windows.h>

class WindowUpdateLock {
public:
    explicit WindowUpdateLock(HWND hwnd) { LockWindowUpdate(hwnd); }
    ~WindowUpdateLock() { LockWindowUpdate(nullptr); }
    WindowUpdateLock(const WindowUpdateLock&) = delete;
    WindowUpdateLock& operator=(const WindowUpdateLock&) = delete;
};
