// The colour dialog's record as the banner screen fills it, and the real dialog it opens.
#include "banner/MCommDialogTest.h"

#include <gtest/gtest.h>

#include "tests/banner/BannerTestSupport.h"
#include "tests/support/TestWindow.h"

using testing_support::Cancel;
using testing_support::DialogAnswers;

TEST(MCommDialogTest, RecordIsFilledAsTheBannerScreenFillsItAndCancelReturnsZero) {
    testing_support::TestWindow owner;
    COLORREF custom[16];
    for (auto& c : custom) c = 0;
    MCommDialogTest::ChooseColorRecord record = MCommDialogTest::FillChooseColor(owner.hwnd(), custom);
    EXPECT_EQ(record.lStructSize, 36u);
    EXPECT_EQ(record.hwndOwner, owner.hwnd());
    EXPECT_EQ(record.rgbResult, 0u);
    EXPECT_EQ(record.Flags, 0u);
    EXPECT_EQ(record.lpCustColors, custom);
    {
        DialogAnswers answers({Cancel()});
        EXPECT_EQ(MCommDialogTest::ChooseColorWith(record), 0);
    }
    // OK hands back the colour the dialog holds.
    record.rgbResult = RGB(0xDE, 0x12, 0x69);
    record.Flags = CC_RGBINIT;
    DialogAnswers answers({[](HWND dialog) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return true;
    }});
    EXPECT_EQ(MCommDialogTest::ChooseColorWith(record), 1);
    EXPECT_EQ(record.rgbResult, RGB(0xDE, 0x12, 0x69));
}
