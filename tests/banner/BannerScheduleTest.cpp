// The banner screen's pure pieces: the automatic mode's steps, the interval text, the line's
// text and the layout figures.
#include <gtest/gtest.h>

#include "banner/AutoStep.h"
#include "banner/BannerLayout.h"
#include "banner/BannerLine.h"
#include "banner/IntervalText.h"
#include "runtime/core/ConvertDate.h"

namespace {

TEST(AutoStep, OneTurnIsTwentyFiveStepsClearingAt360AndAgainAt0) {
    int angle = 0;
    std::vector<int> seen;
    for (int i = 0; i < 26; ++i) {
        angle = banner::NextStepAngle(angle, 0, 360, 15);
        seen.push_back(angle);
    }
    EXPECT_EQ(seen[0], 15);
    EXPECT_EQ(seen[23], 360);
    EXPECT_EQ(seen[24], 0);
    EXPECT_EQ(seen[25], 15);
    EXPECT_TRUE(banner::StepClears(360));
    EXPECT_TRUE(banner::StepClears(0));
    EXPECT_FALSE(banner::StepClears(15));
    EXPECT_EQ(banner::NextStepAngle(350, 0, 360, 15), 360);
}

TEST(AutoStep, ColoursRunRedGreenBlueAndStayAtZero) {
    EXPECT_EQ(banner::StepColor(15), banner::kStepRed);
    EXPECT_EQ(banner::StepColor(30), banner::kStepGreen);
    EXPECT_EQ(banner::StepColor(45), banner::kStepBlue);
    EXPECT_EQ(banner::StepColor(60), banner::kStepRed);
    EXPECT_EQ(banner::StepColor(360), banner::kStepBlue);
    EXPECT_FALSE(banner::StepColor(0).has_value());
    EXPECT_FALSE(banner::StepColor(100).has_value());
}

TEST(AutoStep, CentreRoundsEachLengthThenHalvesDroppingTheRemainder) {
    const POINT a = banner::StepCentre(15210.0, 10085.0);
    EXPECT_EQ(a.x, 7605);
    EXPECT_EQ(a.y, 5042);
    const POINT b = banner::StepCentre(2.5, 3.5);  // 2 and 4 after rounding
    EXPECT_EQ(b.x, 1);
    EXPECT_EQ(b.y, 2);
}

TEST(IntervalText, NumbersAreTakenAndOddTextBecomesOne) {
    auto check = [](const wchar_t* text, int interval, bool showOne) {
        const banner::IntervalSetting s = banner::ReadInterval(text);
        EXPECT_EQ(s.interval, interval) << text;
        EXPECT_EQ(s.showOne, showOne) << text;
    };
    check(L"10", 10, false);
    check(L" 250 ", 250, false);
    check(L"2.5", 2, false);
    check(L"65535", 65535, false);
    check(L"0", 0, true);        // the timer keeps the 0 and stays silent
    check(L"0.6", 1, true);
    check(L"-20", 0, true);      // the timer takes nothing below 0
    check(L"65536", 1, true);
    check(L"1e9", 1, true);
    check(L"fast", 1, true);
    check(L"", 1, true);
}

TEST(BannerLine, PiecesJoinWithNothingBetween) {
    EXPECT_EQ(banner::BannerLineText(L"******祝您生日快乐", L"9:05:07", L"2026/12/7"),
              L"******祝您生日快乐***@9:05:07||*   2026/12/7    * * *");
    SYSTEMTIME clock = {};
    clock.wYear = 2026;
    clock.wMonth = 3;
    clock.wDay = 4;
    clock.wHour = 17;
    clock.wMinute = 6;
    clock.wSecond = 9;
    const std::wstring line = banner::BannerLineText(L"Hi", clock);
    EXPECT_EQ(line, L"Hi***@" + rt::TimeText(clock) + L"||*   " + rt::ShortDateText(clock) + L"    * * *");
    EXPECT_NE(line.find(L"@17:06:09||"), std::wstring::npos) << "time format of the zh-CN locale";
    EXPECT_NE(line.find(L"||*   2026/3/4    * * *"), std::wstring::npos);
}

TEST(BannerLayout, DesignSizeGivesTheDesignFigures) {
    banner::BannerLayoutInput in;
    in.clientWidth = 15240;
    in.clientHeight = 10815;
    in.scrollLeft = 30;
    in.pictureTop = -30;
    in.clearWidth = 1005;
    in.modeWidth = 1575;
    in.designerWidth = 3165;
    const banner::BannerLayout out = banner::LayOutBanner(in);
    EXPECT_EQ(out.scrollWidth, 15210);
    EXPECT_EQ(out.pictureLeft, 30);
    EXPECT_EQ(out.pictureTop, -30);
    EXPECT_EQ(out.pictureWidth, 15210);
    EXPECT_EQ(out.pictureHeight, 10085);
    EXPECT_EQ(out.clearLeft, 13975);
    EXPECT_EQ(out.modeLeft, 12385);
    EXPECT_EQ(out.designerLeft, 11995);
}

}  // namespace
