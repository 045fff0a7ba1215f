#include "tests/banner/BannerTestSupport.h"

#include <algorithm>
#include <cmath>

#include "runtime/gdi/Screen.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"

namespace banner_tests {

namespace {

// The colour dialog's red box: it tells the colour dialog from a message box.
constexpr int kRedBox = 706;

}  // namespace

testing_support::DialogAnswers::Action ReadMessageBox(std::wstring& text) {
    return [&text](HWND dialog) {
        if (GetDlgItem(dialog, kRedBox)) return false;  // the colour dialog still closing
        text = testing_support::WindowText(dialog) + L"\n";
        for (const std::wstring& piece : testing_support::ChildTexts(dialog)) text += piece + L"\n";
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
    };
}

void CoverAndUncover(HWND window) {
    HWND parent = GetParent(window);
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    HWND cover = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    testing_support::PumpPending();
    DestroyWindow(cover);
    testing_support::PumpPending();
}

ColourSpot FindColour(const testing_support::Pixels& pixels, COLORREF colour, int tolerance) {
    ColourSpot spot;
    spot.bounds = RECT{pixels.width, pixels.height, -1, -1};
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (!testing_support::ColorNear(pixels.At(x, y), colour, tolerance)) continue;
            ++spot.count;
            spot.bounds.left = std::min<LONG>(spot.bounds.left, x);
            spot.bounds.top = std::min<LONG>(spot.bounds.top, y);
            spot.bounds.right = std::max<LONG>(spot.bounds.right, x);
            spot.bounds.bottom = std::max<LONG>(spot.bounds.bottom, y);
        }
    }
    return spot;
}

COLORREF GradientRowColour(const banner::GradientPlan& plan, int row) {
    const double twips = rt::Screen::TwipsPerPixelY();
    const auto pixel = [twips](int32_t y) { return static_cast<int>(std::nearbyint(y / twips)); };
    COLORREF colour = CLR_INVALID;
    for (const banner::GradientBand& band : plan.bands) {
        const int top = std::min(pixel(band.y1), pixel(band.y2));
        const int bottom = std::max(pixel(band.y1), pixel(band.y2));
        if (row >= top && row <= bottom) colour = banner::BandColor(band.red, band.green, band.blue);
    }
    return colour;
}

}  // namespace banner_tests
