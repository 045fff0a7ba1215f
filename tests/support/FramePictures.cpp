#include "tests/support/FramePictures.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace testing_support {

namespace {

rt::PictureRef MakePicture(int width, int height, const std::function<COLORREF(int, int)>& colour) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return {};
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            pixels[static_cast<size_t>(y) * width + x] =
                0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    GdiFlush();
    return rt::StdPicture::FromBitmap(bitmap);
}

}  // namespace

COLORREF CaptionTestColour(int x, int y) { return RGB(x % 256, (x / 256) * 80 + y, 0x20); }

COLORREF BorderTestColour(int x, int y) { return RGB(x * 3, y * 20 + 5, 0xC0); }

rt::PictureRef MakeCaptionTestPicture(int width, int height) {
    return MakePicture(width, height, CaptionTestColour);
}

rt::PictureRef MakeBorderTestPicture(int width, int height) {
    return MakePicture(width, height, BorderTestColour);
}

Pixels PicturePixels(const rt::StdPicture& picture) { return CaptureBitmap(picture.Bitmap()); }

HMENU MakeMainWindowMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"Mirovast缤纷界面");
    AppendMenuW(file, MF_STRING, 102, L"Sembrel");
    HMENU pictures = CreatePopupMenu();
    AppendMenuW(pictures, MF_STRING, 201, L"打开");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(pictures), L"图片资料阅览");
    AppendMenuW(bar, MF_STRING, 301, L"Mirovast声明");
    return bar;
}

int MainWindowCaptionColumn(int x, int width, bool active, int rightEnd) {
    constexpr int kLeftEnd = 90, kMiddleStart = 90, kPiece = 52, kRightStart = 140, kInactive = 400;
    constexpr int kLastColumn = 599;
    const int rw = rightEnd - kRightStart + 1;
    const int rx = std::max(width - rw + 1, rw);
    int column;
    if (x < kLeftEnd) column = x;
    else if (x < rx) column = kLeftEnd + 1 + (x - kMiddleStart) % kPiece;
    else column = kRightStart + (x - rx);
    return std::min(column + (active ? 0 : kInactive), kLastColumn);
}

}  // namespace testing_support
