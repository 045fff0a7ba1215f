#pragma once
// Real input for the control tests, processed the way a form's message loop processes it (the
// dialog manager sees the keys first, so Tab and Enter navigate). Input is sent in one batch and
// pumped afterwards, and keys are sent only once the focus is where the test wants it: keys sent
// into a window without focus stay queued and reach whatever window comes next.
#include <windows.h>

#include "runtime/Forms.h"

#include <initializer_list>
#include <vector>

namespace controls_testing {

inline void PumpForm(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (rt::Forms::TranslateFormMessage(msg)) continue;
            const HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            if (top && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && IsDialogMessageW(top, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Brings top to the foreground and the focus to target (or a window inside it), retrying
// while the desktop settles.
inline bool FocusOn(HWND top, HWND target) {
    const DWORD end = GetTickCount() + 3000;
    for (;;) {
        if (GetForegroundWindow() != top) SetForegroundWindow(top);
        if (GetForegroundWindow() == top) SetFocus(target);
        PumpForm(20);
        const HWND focus = GetFocus();
        if (GetForegroundWindow() == top && focus && (focus == target || IsChild(target, focus))) return true;
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    }
}

inline INPUT KeyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

inline void Key(WORD vk, std::initializer_list<WORD> modifiers = {}) {
    std::vector<INPUT> keys;
    for (WORD m : modifiers) keys.push_back(KeyInput(m, false));
    keys.push_back(KeyInput(vk, false));
    keys.push_back(KeyInput(vk, true));
    for (auto it = modifiers.end(); it != modifiers.begin();) keys.push_back(KeyInput(*--it, true));
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    PumpForm(80);
}

inline INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
}

inline void Mouse(DWORD flags, POINT screen, DWORD pumpMs = 40) {
    INPUT in = MouseInput(flags, screen);
    SendInput(1, &in, sizeof(INPUT));
    PumpForm(pumpMs);
}

inline void Click(POINT screen) {
    Mouse(0, screen, 30);
    INPUT both[] = {MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)};
    SendInput(2, both, sizeof(INPUT));
    PumpForm(100);
}

// A point of a window's client area in screen pixels.
inline POINT OnScreen(HWND hwnd, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

inline POINT CentreOf(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return OnScreen(hwnd, rc.right / 2, rc.bottom / 2);
}

}  // namespace controls_testing
