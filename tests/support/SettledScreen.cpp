// The screen once an area of it has stopped changing.
#include "tests/support/Pixels.h"

#include <utility>
#include <vector>

#include "tests/support/MessagePump.h"

namespace testing_support {

Pixels SettledScreen(const RECT& area) {
    constexpr DWORD kHeld = 150;  // Wine copies window pictures to the screen every 50 ms
    const int width = area.right - area.left, height = area.bottom - area.top;
    auto areaOf = [&] {
        HDC dc = GetDC(nullptr);
        Pixels pixels = CaptureDC(dc, area.left, area.top, width, height);
        ReleaseDC(nullptr, dc);
        return pixels.bgra;
    };
    std::vector<uint32_t> last = areaOf();
    DWORD since = GetTickCount();
    PumpUntil([&] {
        std::vector<uint32_t> now = areaOf();
        if (now == last) return GetTickCount() - since >= kHeld;
        last = std::move(now);
        since = GetTickCount();
        return false;
    });
    return CaptureScreen();
}

}  // namespace testing_support
