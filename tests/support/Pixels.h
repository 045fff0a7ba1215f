#pragma once
// Reading back pixels: from a window (client or whole frame), a DC, the screen or a bitmap.
// Colours come back as COLORREF (0x00BBGGRR) so they compare directly with RGB().
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> bgra;  // top-down rows, 0xAARRGGBB as GDI stores it

    COLORREF At(int x, int y) const;
    bool Empty() const { return width == 0 || height == 0; }
    // Writes a 24-bit BMP that any viewer opens.
    bool SaveBmp(const std::wstring& path) const;
};

// Copies a rectangle of a DC (x, y in the DC's pixels).
Pixels CaptureDC(HDC dc, int x, int y, int width, int height);
// The client area, through GetDC.
Pixels CaptureClient(HWND hwnd);
// The whole window with its frame, through GetWindowDC.
Pixels CaptureWindowFrame(HWND hwnd);
// The whole screen (the Wine desktop), through GetDC(nullptr).
Pixels CaptureScreen();
// What capture() reads once it has stopped changing (messages are dispatched meanwhile), and
// the screen once an area of it has: what this thread's windows drew there has reached it.
Pixels Settled(const std::function<Pixels()>& capture);
Pixels SettledScreen(const RECT& area);
// A bitmap's pixels, whatever DC it is selected into.
Pixels CaptureBitmap(HBITMAP bitmap);

// True when every component of a and b differs by at most tolerance.
bool ColorNear(COLORREF a, COLORREF b, int tolerance = 0);

}  // namespace testing_support
