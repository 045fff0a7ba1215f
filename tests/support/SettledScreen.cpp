// Pictures read once they have stopped changing.
#include "tests/support/Pixels.h"

#include <functional>
#include <utility>

#include "tests/support/MessagePump.h"

namespace testing_support {

Pixels Settled(const std::function<Pixels()>& capture) {
    constexpr DWORD kHeld = 150;  // Wine copies window pictures to the screen every 50 ms
    Pixels last = capture();
    DWORD since = GetTickCount();
    PumpUntil([&] {
        Pixels now = capture();
        if (now.bgra == last.bgra) return GetTickCount() - since >= kHeld;
        last = std::move(now);
        since = GetTickCount();
        return false;
    });
    return last;
}

Pixels SettledScreen(const RECT& area) {
    Settled([&] {
        HDC dc = GetDC(nullptr);
        Pixels pixels = CaptureDC(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
        ReleaseDC(nullptr, dc);
        return pixels;
    });
    return CaptureScreen();
}

}  // namespace testing_support
