#include "frame/GSubclass.h"

#include "frame/MSubclass.h"

void GSubclass::AttachMessage(ISubclass* iwp, HWND hWnd, UINT iMsg) {
    MSubclass::AttachMessage(iwp, hWnd, iMsg);
}

void GSubclass::DetachMessage(ISubclass* iwp, HWND hWnd, UINT iMsg) {
    MSubclass::DetachMessage(iwp, hWnd, iMsg);
}

UINT GSubclass::CurrentMessage() const { return MSubclass::CurrentMessage(); }

LRESULT GSubclass::CallOldWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    return MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
}
