#include "tests/support/Input.h"

#include "runtime/forms/Forms.h"
#include "tests/support/MessagePump.h"

namespace testing_support {

namespace {

constexpr DWORD kPointerWait = 20000;
constexpr DWORD kFocusWait = 20000;

// The program's loop hands keys to the form's navigation first; a window of a test that asks
// for dialog navigation gets the dialog manager the same way.
bool TranslateLikeProgram(MSG& msg) {
    if (rt::Forms::TranslateFormMessage(msg)) return true;
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    if (rt::Form::FromHwnd(msg.hwnd)) return false;  // the form's navigation has decided
    const HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (!top || !(GetWindowLongPtrW(top, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return false;
    return IsDialogMessageW(top, &msg) != FALSE;
}

bool PumpUntilIn(Processing how, const std::function<bool()>& condition, DWORD timeoutMs) {
    if (how == Processing::Plain) return PumpUntil(condition, timeoutMs);
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateLikeProgram(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

std::vector<INPUT> KeyTap(WORD vk, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, true));
    return inputs;
}

void SendMouseNow(DWORD flags, int x, int y) {
    SendInputs({MouseInput(flags, POINT{x, y})});
    PumpPending();
}

bool PointerAt(POINT p) {
    POINT now = {};
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

}  // namespace

void Pump(Processing how, DWORD ms) {
    PumpUntilIn(how, [] { return false; }, ms);
}

void PumpPending(Processing how) {
    PumpUntilIn(how, [] { return true; }, 0);
}

POINT OnScreen(HWND hwnd, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

POINT CentreOf(HWND hwnd) {
    RECT rc = {};
    GetClientRect(hwnd, &rc);
    return OnScreen(hwnd, rc.right / 2, rc.bottom / 2);
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    // Absolute coordinates are normalised to 0..65535 across the primary screen; the extra
    // unit keeps the rounding on the intended pixel.
    in.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
}

void SendInputs(const std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
}

bool MovePointer(POINT to, Processing how) {
    SendInputs({MouseInput(0, to)});
    return PumpUntilIn(how, [to] { return PointerAt(to); }, kPointerWait);
}

void PressAt(POINT at, Processing how) {
    MovePointer(at, how);
    SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN, at)});
    PumpPending(how);
}

void ReleaseAt(POINT at, Processing how) {
    SendInputs({MouseInput(MOUSEEVENTF_LEFTUP, at)});
    PumpPending(how);
}

void Click(POINT at, Processing how) {
    MovePointer(at, how);
    SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN, at), MouseInput(MOUSEEVENTF_LEFTUP, at)});
    PumpPending(how);
}

void Key(WORD vk, std::initializer_list<WORD> modifiers, Processing how) {
    SendInputs(KeyTap(vk, modifiers));
    PumpPending(how);
}

void MoveMouseTo(int x, int y) { SendMouseNow(0, x, y); }
void MouseDownAt(int x, int y) { SendMouseNow(MOUSEEVENTF_LEFTDOWN, x, y); }
void MouseUpAt(int x, int y) { SendMouseNow(MOUSEEVENTF_LEFTUP, x, y); }

void ClickAt(int x, int y) {
    MouseDownAt(x, y);
    MouseUpAt(x, y);
}

void TapKey(WORD vk, std::initializer_list<WORD> modifiers) {
    SendInputs(KeyTap(vk, modifiers));
    PumpPending();
}

bool MakeForeground(HWND hwnd) {
    SetForegroundWindow(hwnd);
    return PumpUntil([&] { return GetForegroundWindow() == hwnd; }, kFocusWait);
}

bool FocusOn(HWND top, HWND target) {
    auto focused = [&] {
        const HWND focus = GetFocus();
        return GetForegroundWindow() == top && focus && (focus == target || IsChild(target, focus));
    };
    return PumpUntilIn(Processing::Program, [&] {
        if (focused()) return true;
        if (GetForegroundWindow() != top) SetForegroundWindow(top);
        if (GetForegroundWindow() == top) SetFocus(target);
        return false;
    }, kFocusWait);
}

}  // namespace testing_support
