#include "tests/support/ProgramInput.h"

#include "tests/support/Input.h"

namespace testing_support {

bool CaughtUp(HWND hwnd) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result) != 0;
}

// SendInput moves Wine's own pointer at once, and the X pointer only when Wine's warp of it is
// let through (it is refused while another client holds the pointer); a program that asks where
// the pointer is (hover tracking reads GetCursorPos) is told the X pointer's place once Wine's
// own is 100 ms old. So the place is read past those 100 ms (that time is the subject of the
// wait), and a move the X server did not take is sent again.
bool PointerSettledAt(POINT to) {
    constexpr DWORD kWineAsksX = 150;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
        MovePointer(to, Processing::Plain);
        Pump(Processing::Plain, kWineAsksX);
        POINT now;
        if (GetCursorPos(&now) && now.x == to.x && now.y == to.y) return true;
    }
    return false;
}

bool ClickInProgram(HWND hwnd, POINT at) {
    // The program sees the pointer arrive first, as a user's pointer comes to rest before a click.
    if (!CaughtUp(hwnd) || !PointerSettledAt(at) || !CaughtUp(hwnd)) return false;
    // As a user's hand does, the button comes up once the program has taken the press.
    PressAt(at, Processing::Plain);
    if (!CaughtUp(hwnd)) return false;
    ReleaseAt(at, Processing::Plain);
    return CaughtUp(hwnd);
}

}  // namespace testing_support
