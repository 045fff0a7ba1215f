#include "banner/MCommDialogTest.h"

#include <gtest/gtest.h>

#include "tests/banner/BannerTestSupport.h"
#include "tests/support/TestWindow.h"

namespace {

TEST(ChooseColorRecord, IsFilledAnewAsTheBannerScreenHandsItOver) {
    testing_support::TestWindow owner;
    COLORREF custom[16] = {};
    MCommDialogTest::ChooseColorRecord record = MCommDialogTest::FillChooseColor(owner.hwnd(), custom);
    EXPECT_EQ(record.lStructSize, 36u);
    EXPECT_EQ(record.hwndOwner, owner.hwnd());
    EXPECT_EQ(record.hInstance, nullptr);
    EXPECT_EQ(record.rgbResult, 0u);
    EXPECT_EQ(record.lpCustColors, custom);
    EXPECT_EQ(record.Flags, 0u);
    EXPECT_EQ(record.lCustData, 0);
    EXPECT_EQ(record.lpfnHook, nullptr);
    EXPECT_EQ(record.lpTemplateName, nullptr);

    banner_tests::DialogAnswers answers({banner_tests::ChooseColour(RGB(12, 34, 56))});
    EXPECT_NE(MCommDialogTest::ChooseColorWith(record), 0);
    EXPECT_EQ(record.rgbResult, RGB(12, 34, 56));
}

}  // namespace
