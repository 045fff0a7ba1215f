#include "frame/cMemDC.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include "runtime/gdi/Gdi.h"
#include "tests/support/GdiCount.h"
#include "tests/support/Pixels.h"

using testing_support::CaptureDC;
using testing_support::GdiObjectCount;

namespace {

// A 32-bit picture whose pixel colour encodes its position.
COLORREF PatternAt(int x, int y) { return RGB((x * 7) & 0xFF, (y * 13) & 0xFF, (x + y) & 0xFF); }

rt::Bitmap MakePattern(int width, int height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    rt::Bitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = PatternAt(x, y);
            pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    return bitmap;
}

void ExpectPattern(const cMemDC& surface, int width, int height) {
    const auto pixels = CaptureDC(surface.hDC(), 0, 0, width, height);
    ASSERT_EQ(pixels.width, width);
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (pixels.At(x, y) != PatternAt(x, y)) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace

TEST(cMemDC, GrowsOnlyAndRecreatesTheSurface) {
    cMemDC surface;
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 0);
    EXPECT_EQ(surface.hDC(), nullptr);

    // Width first, height second: the surface ends at full size with a real bitmap.
    surface.Width(100);
    EXPECT_EQ(surface.Width(), 100);
    surface.Height(40);
    EXPECT_EQ(surface.Height(), 40);
    ASSERT_NE(surface.hDC(), nullptr);
    BITMAP bm = {};
    ASSERT_EQ(GetObjectW(GetCurrentObject(surface.hDC(), OBJ_BITMAP), sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmWidth, 100);
    EXPECT_EQ(bm.bmHeight, 40);

    const HDC before = surface.hDC();
    surface.Width(50);
    surface.Height(40);
    EXPECT_EQ(surface.Width(), 100);
    EXPECT_EQ(surface.Height(), 40);
    EXPECT_EQ(surface.hDC(), before);

    surface.Height(60);
    ASSERT_EQ(GetObjectW(GetCurrentObject(surface.hDC(), OBJ_BITMAP), sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmWidth, 100);
    EXPECT_EQ(bm.bmHeight, 60);
}

TEST(cMemDC, FilledFromAPictureHoldsItsPixels) {
    const rt::Bitmap picture = MakePattern(600, 55);
    cMemDC surface;
    surface.CreateFromPicture(picture.get());
    EXPECT_EQ(surface.Width(), 600);
    EXPECT_EQ(surface.Height(), 55);
    ExpectPattern(surface, 600, 55);

    // A larger surface keeps its size and gets the picture in its top-left corner.
    cMemDC larger;
    larger.Width(700);
    larger.Height(80);
    larger.CreateFromPicture(picture.get());
    EXPECT_EQ(larger.Width(), 700);
    EXPECT_EQ(larger.Height(), 80);
    ExpectPattern(larger, 600, 55);

    // Anything that is not a bitmap leaves the surface alone.
    cMemDC empty;
    empty.CreateFromPicture(static_cast<HBITMAP>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 0);
}

TEST(cMemDC, FilledFromAnAutomationPicture) {
    rt::Bitmap picture = MakePattern(64, 20);
    PICTDESC desc = {};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = picture.get();
    IPicture* pic = nullptr;
    ASSERT_EQ(OleCreatePictureIndirect(&desc, IID_IPicture, FALSE, reinterpret_cast<void**>(&pic)), S_OK);
    cMemDC surface;
    surface.CreateFromPicture(pic);
    pic->Release();
    EXPECT_EQ(surface.Width(), 64);
    EXPECT_EQ(surface.Height(), 20);
    ExpectPattern(surface, 64, 20);
}

TEST(cMemDC, ReleasesEverythingItMade) {
    const rt::Bitmap picture = MakePattern(120, 30);
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 500; ++i) {
        cMemDC surface;
        surface.Width(10 + i % 7);
        surface.Height(20);
        surface.Height(25);
        surface.CreateFromPicture(picture.get());
    }
    EXPECT_LE(GdiObjectCount(), before + 2);
}
