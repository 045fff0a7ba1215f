#include "runtime/gdi/Screen.h"

#include <windows.h>

#include <cmath>

namespace rt {

namespace {

int PixelsPerInch(int axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int Screen::TwipsPerPixelX() { return kTwipsPerInch / PixelsPerInch(LOGPIXELSX); }
int Screen::TwipsPerPixelY() { return kTwipsPerInch / PixelsPerInch(LOGPIXELSY); }
int Screen::Width() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
int Screen::Height() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / Screen::TwipsPerPixelX())); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / Screen::TwipsPerPixelY())); }
double PixelsToTwipsX(int pixels) { return static_cast<double>(pixels) * Screen::TwipsPerPixelX(); }
double PixelsToTwipsY(int pixels) { return static_cast<double>(pixels) * Screen::TwipsPerPixelY(); }

}  // namespace rt
