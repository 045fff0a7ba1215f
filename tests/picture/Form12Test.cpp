#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "picture/Form12.h"
#include "picture/OriginalViewSize.h"
#include "runtime/forms/Forms.h"
#include "runtime/gdi/Screen.h"
#include "runtime/picture/StdPicture.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Pixels.h"

using namespace testing_support;

namespace {

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

}  // namespace

TEST(Form12, OpensCentredWithItsCaptionIconAndClientSize) {
    Form12& f = rt::Forms::Get<Form12>();
    EXPECT_EQ(f.Caption(), L"图片原图");
    ASSERT_TRUE(f.Icon());
    EXPECT_EQ(f.Icon()->Type(), rt::PictureType::Icon);
    EXPECT_EQ(f.Icon()->PixelWidth(), 32);
    f.Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(f.hWnd()) != FALSE; }));
    RECT client{};
    GetClientRect(f.hWnd(), &client);
    EXPECT_EQ(client.right, rt::TwipsToPixelsX(9120));
    EXPECT_EQ(client.bottom, rt::TwipsToPixelsY(9465));
    const RECT window = WindowRect(f.hWnd());
    EXPECT_LE(std::abs(window.left + window.right - GetSystemMetrics(SM_CXSCREEN)), 2) << "centred across";
    EXPECT_LE(std::abs(window.top + window.bottom - GetSystemMetrics(SM_CYSCREEN)), 2) << "centred down";
    EXPECT_EQ(SendMessageW(f.hWnd(), WM_GETICON, ICON_BIG, 0) != 0, true) << "the window carries the icon";
    f.Unload();
}

// The picture player opens this view with a 1-inch picture (2540 x 2540 HIMETRIC): the
// window's outer height becomes 2540 / 1.7 twips; its width, 2540 / 1.8 twips, is narrower
// than the smallest captioned frame the platform allows, which it takes instead.
TEST(Form12, TakesThePlayersSizeAndDrawsThePictureOneToOneFromTheTopLeft) {
    const int side = rt::HimetricToPixelsX(2540);
    rt::PictureRef picture = rt::StdPicture::FromBitmap(CreatePatternBitmap(side, side));
    ASSERT_NEAR(picture->Width(), 2540, 30);
    ASSERT_NEAR(picture->Height(), 2540, 30);

    Form12& f = rt::Forms::Get<Form12>();
    f.Show();
    f.Picture(picture);
    f.Height(static_cast<float>(static_cast<std::int32_t>(picture->Height()) / 1.7));
    f.Width(static_cast<float>(static_cast<std::int32_t>(picture->Width()) / 1.8));
    PumpPending();

    const RECT window = WindowRect(f.hWnd());
    EXPECT_NEAR(window.bottom - window.top, picture->Height() / 1.7 / rt::Screen::TwipsPerPixelY(), 1.0);
    const double askedWidth = picture->Width() / 1.8 / rt::Screen::TwipsPerPixelX();
    ASSERT_LT(askedWidth, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(window.right - window.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_NEAR(f.Height(), 2540 / 1.7, rt::Screen::TwipsPerPixelY() + 20);

    const Pixels shown = CaptureClient(f.hWnd());
    ASSERT_GT(shown.width, 8);
    ASSERT_GT(shown.height, 8);
    const int right = std::min(shown.width, side) - 1;
    const int bottom = std::min(shown.height, side) - 1;
    const POINT probes[] = {{0, 0}, {1, 0}, {0, 1}, {5, 7}, {right / 2, bottom / 3}, {right, bottom}, {right, 0}};
    for (const POINT& p : probes) {
        EXPECT_EQ(shown.At(p.x, p.y), PatternColor(p.x, p.y)) << p.x << ", " << p.y;
    }
    f.Unload();
}

TEST(Form12, OpensWithoutAPicture) {
    Form12& f = rt::Forms::Get<Form12>();
    f.Show();
    f.Picture(nullptr);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(f.hWnd()) != FALSE; }));
    EXPECT_FALSE(f.Picture());
    f.Unload();
}

TEST(Form12, KeptOnTheWorkAreaAWindowMovesInOnlyAsFarAsItMustAndTakesAtMostTheAreasSize) {
    const auto same = [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; };
    const RECT work{0, 0, 1280, 990};
    EXPECT_TRUE(same(KeptOnWorkArea(RECT{100, 50, 400, 300}, work), RECT{100, 50, 400, 300}));
    EXPECT_TRUE(same(KeptOnWorkArea(RECT{336, 196, 3276, 2271}, work), work)) << "a huge picture's window";
    EXPECT_TRUE(same(KeptOnWorkArea(RECT{1200, -30, 1500, 270}, RECT{0, 20, 1280, 1024}), RECT{980, 20, 1280, 320}));
}
