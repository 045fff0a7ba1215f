// The gradient button's face and its caption rule, read back as pixels.
#include <gtest/gtest.h>

#include "controls/ButtonCaption.h"
#include "controls/RainButtonWindow.h"
#include "runtime/core/RuntimeError.h"
#include "tests/controls/TestPictures.h"
#include "tests/support/GdiCount.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

namespace {
constexpr COLORREF kBack = 0x00FF8080;
constexpr COLORREF kGradient = 0x00FF80FF;
constexpr COLORREF kFore = 0x0000FFFF;

Pixels Face(const ctl::RainButtonWindow& button) { return controls_testing::PrintClient(button.hwnd()); }

}  // namespace

TEST(ButtonCaption, ShowsOnlyTheWordsOfAPaddedCaption) {
    EXPECT_EQ(ctl::VisibleCaption(std::wstring(17, L' ') + L"确定选择" + std::wstring(32, L' ')), L"确定选择");
    // The stray "1" beyond a long run of blanks stays hidden; the spacing inside the words stays.
    EXPECT_EQ(ctl::VisibleCaption(std::wstring(23, L' ') + L"退  出" + std::wstring(36, L' ') + L"1"), L"退  出");
    EXPECT_EQ(ctl::VisibleCaption(L"添 加"), L"添 加");
    EXPECT_EQ(ctl::VisibleCaption(std::wstring(40, L' ')), L"");
    EXPECT_EQ(ctl::VisibleCaption(L""), L"");
}

TEST(RainButtonWindow, VerticalGradientRunsFromBackColourAtTheTopToGradientColourAtTheBottom) {
    TestWindow window;
    ctl::RainButtonWindow button(window.hwnd(), RECT{20, 20, 120, 60});
    button.SetBackColor(kBack);
    button.SetForeColor(kFore);
    button.SetBackGradient(kGradient);
    button.SetBackFill(2);
    const Pixels face = Face(button);
    ASSERT_EQ(face.width, 100);
    // Inside the 2-pixel edge, away from the centred caption.
    EXPECT_TRUE(ColorNear(face.At(5, 3), kBack, 24)) << std::hex << face.At(5, 3);
    EXPECT_TRUE(ColorNear(face.At(5, 36), kGradient, 24)) << std::hex << face.At(5, 36);
    // Halfway down the green component lies between the two ends... both share 0x80 green, so
    // look at red: 0x80 at the top, 0xFF at the bottom, rising steadily.
    int previousRed = -1;
    for (int y = 3; y <= 36; y += 3) {
        const int red = GetRValue(face.At(5, y));
        EXPECT_GE(red, previousRed);
        previousRed = red;
    }

    button.SetBackFill(1);
    const Pixels horizontal = Face(button);
    EXPECT_TRUE(ColorNear(horizontal.At(3, 20), kBack, 24));
    EXPECT_TRUE(ColorNear(horizontal.At(96, 20), kGradient, 24));

    button.SetBackFill(0);
    const Pixels solid = Face(button);
    EXPECT_EQ(solid.At(5, 5), kBack);
    EXPECT_EQ(solid.At(5, 34), kBack);
}

TEST(RainButtonWindow, CaptionIsDrawnCentredInTheForeColour) {
    TestWindow window;
    ctl::RainButtonWindow button(window.hwnd(), RECT{20, 20, 200, 60});
    button.SetBackColor(kBack);
    button.SetBackGradient(kBack);
    button.SetForeColor(kFore);
    button.SetBackFill(2);
    button.SetFont(std::make_shared<rt::StdFont>(L"宋体", 10.5, true));
    button.SetCaption(std::wstring(23, L' ') + L"退  出" + std::wstring(36, L' ') + L"1");
    const Pixels face = Face(button);
    int left = face.width, right = -1, top = face.height, bottom = -1;
    for (int y = 0; y < face.height; ++y) {
        for (int x = 0; x < face.width; ++x) {
            if (!ColorNear(face.At(x, y), kFore, 40)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, 0) << "no caption pixels";
    // Centred: the ink's margins left and right differ by a few pixels at most.
    EXPECT_NEAR(left, face.width - 1 - right, 4);
    EXPECT_NEAR(top, face.height - 1 - bottom, 4);
    EXPECT_GT(right - left, 20) << "the words are drawn, not a lone stray character";
}

TEST(RainButtonWindow, PressedLookAndFlatTypeDifferFromTheRaisedFace) {
    TestWindow window;
    ctl::RainButtonWindow button(window.hwnd(), RECT{20, 20, 120, 60});
    button.SetBackColor(kBack);
    button.SetBackGradient(kGradient);
    button.SetForeColor(RGB(0, 0, 255));
    button.SetBackFill(2);
    const Pixels raised = Face(button);
    // A raised edge: light top-left, dark bottom-right.
    EXPECT_GT(GetRValue(raised.At(0, 10)) + GetGValue(raised.At(0, 10)),
              GetRValue(raised.At(99, 10)) + GetGValue(raised.At(99, 10)));

    SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 20));
    EXPECT_TRUE(button.Pressed());
    const Pixels pressed = Face(button);
    // The gradient turns round while pressed.
    // (Inside where a focus cue would be drawn.)
    EXPECT_TRUE(ColorNear(pressed.At(8, 6), kGradient, 40)) << std::hex << pressed.At(8, 6);
    EXPECT_TRUE(ColorNear(pressed.At(8, 33), kBack, 40)) << std::hex << pressed.At(8, 33);
    SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    EXPECT_FALSE(button.Pressed());

    button.SetButtonType(1);
    const Pixels flat = Face(button);
    EXPECT_EQ(flat.At(0, 10), RGB(0, 0, 255));
    EXPECT_EQ(flat.At(99, 10), RGB(0, 0, 255));

    EXPECT_THROW(button.SetButtonType(2), rt::RuntimeError);
    EXPECT_THROW(button.SetBackFill(3), rt::RuntimeError);
    EXPECT_EQ(button.ButtonType(), 1);
    EXPECT_EQ(button.BackFill(), 2);
}

TEST(RainButtonWindow, RepaintingLeaksNoGdiObjects) {
    TestWindow window;
    ctl::RainButtonWindow button(window.hwnd(), RECT{20, 20, 120, 60});
    button.SetBackFill(2);
    button.SetCaption(L"  确定选择  ");
    Face(button);
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 300; ++i) {
        RedrawWindow(button.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    EXPECT_LE(GdiObjectCount(), before + 2);
}
