#include "tests/support/Input.h"

#include <vector>

#include "tests/support/MessagePump.h"

namespace testing_support {

namespace {

void SendMouse(DWORD flags, int x, int y) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    // Absolute coordinates are normalised to 0..65535 across the primary screen.
    in.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(in));
    PumpFor(20);
}

INPUT Key(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

}  // namespace

void MoveMouseTo(int x, int y) { SendMouse(0, x, y); }
void MouseDownAt(int x, int y) { SendMouse(MOUSEEVENTF_LEFTDOWN, x, y); }
void MouseUpAt(int x, int y) { SendMouse(MOUSEEVENTF_LEFTUP, x, y); }

void ClickAt(int x, int y) {
    MouseDownAt(x, y);
    MouseUpAt(x, y);
}

void TapKey(WORD vk, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(Key(m, false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(Key(*--it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(30);
}

bool MakeForeground(HWND hwnd) {
    SetForegroundWindow(hwnd);
    return PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 3000);
}

}  // namespace testing_support
