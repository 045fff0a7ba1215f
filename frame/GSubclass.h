#pragma once
// GSubclass: a public object wrapper of the subclassing service; each member forwards to the
// MSubclass routine of the same name.
#include <windows.h>

#include "frame/ISubclass.h"

class GSubclass {
public:
    // Start subclassing for a particular message.
    void AttachMessage(ISubclass* iwp, HWND hWnd, UINT iMsg);
    // Stop subclassing for a particular message.
    void DetachMessage(ISubclass* iwp, HWND hWnd, UINT iMsg);
    UINT CurrentMessage() const;
    LRESULT CallOldWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
};
