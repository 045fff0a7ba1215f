// The picture display's two size modes, read back as pixels.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/PictureDisplayWindow.h"
#include "controls/PictureScaling.h"
#include "runtime/core/RuntimeError.h"
#include "tests/controls/TestPictures.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;
using controls_testing::MakePicture;

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// 200 x 100: red left half, blue right half, a green 10 x 10 square in the top-left corner.
rt::PictureRef Halves() {
    return MakePicture(200, 100, [](int x, int y) { return x < 10 && y < 10 ? kGreen : x < 100 ? kRed : kBlue; });
}

Pixels Shown(const ctl::PictureDisplayWindow& display) { return controls_testing::PrintClient(display.hwnd()); }
}  // namespace

TEST(ZoomRect, FitsKeepingProportionsAndCentres) {
    const RECT wide = ctl::ZoomRect(200, 100, RECT{0, 0, 100, 100});
    EXPECT_EQ(wide.left, 0);
    EXPECT_EQ(wide.right, 100);
    EXPECT_EQ(wide.top, 25);
    EXPECT_EQ(wide.bottom, 75);
    const RECT tall = ctl::ZoomRect(30, 60, RECT{10, 10, 110, 60});  // a small picture grows
    EXPECT_EQ(tall.bottom - tall.top, 50);
    EXPECT_EQ(tall.right - tall.left, 25);
    EXPECT_EQ(tall.left, 10 + (100 - 25) / 2);
    const RECT none = ctl::ZoomRect(0, 0, RECT{0, 0, 10, 10});
    EXPECT_EQ(none.right - none.left, 0);
}

TEST(PictureDisplay, ZoomScalesToFitKeepingProportionsCentred) {
    TestWindow window;
    ctl::PictureDisplayWindow display(window.hwnd(), RECT{10, 10, 110, 110});
    display.SetPicture(Halves());
    display.SetPictureSizeMode(3);
    const Pixels p = Shown(display);
    ASSERT_EQ(p.width, 100);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // A 2:1 picture in a square: full width, half height, centred.
    int top = -1, bottom = -1;
    for (int y = 0; y < p.height; ++y) {
        if (!ColorNear(p.At(30, y), face, 8)) {
            if (top < 0) top = y;
            bottom = y;
        }
    }
    EXPECT_NEAR(top, 25, 1);
    EXPECT_NEAR(bottom, 74, 1);
    EXPECT_TRUE(ColorNear(p.At(30, 50), kRed, 8));
    EXPECT_TRUE(ColorNear(p.At(80, 50), kBlue, 8));
    EXPECT_TRUE(ColorNear(p.At(1, 27), kGreen, 40)) << std::hex << p.At(1, 27);
    EXPECT_TRUE(ColorNear(p.At(50, 10), face, 0));
    EXPECT_TRUE(ColorNear(p.At(50, 90), face, 0));
}

TEST(PictureDisplay, ZoomScalesSmoothly) {
    TestWindow window;
    ctl::PictureDisplayWindow display(window.hwnd(), RECT{10, 10, 110, 110});
    // A one-pixel checkerboard halved: smooth scaling gives grey, dropping pixels gives black
    // and white.
    display.SetPicture(
        MakePicture(200, 200, [](int x, int y) { return (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0); }));
    display.SetPictureSizeMode(3);
    const Pixels p = Shown(display);
    int grey = 0;
    for (int y = 20; y < 80; ++y)
        for (int x = 20; x < 80; ++x) grey += ColorNear(p.At(x, y), RGB(128, 128, 128), 40) ? 1 : 0;
    EXPECT_GT(grey, 60 * 60 * 9 / 10);
}

TEST(PictureDisplay, ClipShowsTheTopLeftCornerAtItsOwnSize) {
    TestWindow window;
    ctl::PictureDisplayWindow display(window.hwnd(), RECT{10, 10, 110, 90});
    const rt::PictureRef picture = Halves();
    display.SetPicture(picture);
    display.SetPictureSizeMode(0);
    const Pixels p = Shown(display);
    ASSERT_EQ(p.width, 100);
    ASSERT_EQ(p.height, 80);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const COLORREF expected = x < 10 && y < 10 ? kGreen : kRed;
            ASSERT_EQ(p.At(x, y), expected) << "at " << x << ", " << y;
        }
    }
    EXPECT_EQ(display.PictureRect().right, 200);

    EXPECT_THROW(display.SetPictureSizeMode(1), rt::RuntimeError);
    EXPECT_EQ(display.PictureSizeMode(), 0);
    display.SetPicture(nullptr);
    EXPECT_EQ(Shown(display).At(50, 50), GetSysColor(COLOR_BTNFACE));
}

// See-through parts of a picture show the display's back colour, zoomed or at its own size.
TEST(PictureDisplay, TranslucentPicturesShowTheBackColourThrough) {
    TestWindow window;
    ctl::PictureDisplayWindow display(window.hwnd(), RECT{10, 10, 110, 110});
    display.SetBackColor(0x00FFFFFF);
    void* bits = nullptr;
    HBITMAP bitmap = rt::CreateTopDownDib(50, 50, &bits).release();
    std::fill_n(static_cast<uint32_t*>(bits), 50 * 50, rt::Premultiplied(0x50FF0000u));  // red at alpha 80
    display.SetPicture(rt::StdPicture::FromBitmap(bitmap, true));
    for (short mode : {0, 3}) {
        display.SetPictureSizeMode(mode);
        const Pixels p = Shown(display);
        EXPECT_TRUE(ColorNear(p.At(25, 25), RGB(255, 175, 175), 6)) << mode << " " << std::hex << p.At(25, 25);
    }
}
