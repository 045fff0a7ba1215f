// The banner screen's pure pieces: the automatic steps, the interval text, the line's text
// and the layout figures.
#include <gtest/gtest.h>

#include "banner/AutoStep.h"
#include "banner/BannerLayout.h"
#include "banner/BannerLine.h"
#include "banner/IntervalText.h"

namespace {

TEST(AutoStep, TurnsInTwentyFiveStepsWithColoursAndClearings) {
    int angle = 0;
    for (int i = 0; i < 24; ++i) angle = banner::NextStepAngle(angle, 0, 360, 15);
    EXPECT_EQ(angle, 360);
    EXPECT_EQ(banner::NextStepAngle(360, 0, 360, 15), 0);
    EXPECT_TRUE(banner::StepClears(0) && banner::StepClears(360) && !banner::StepClears(15));
    EXPECT_EQ(banner::StepColor(15), banner::kStepRed);
    EXPECT_EQ(banner::StepColor(30), banner::kStepGreen);
    EXPECT_EQ(banner::StepColor(360), banner::kStepBlue);
    EXPECT_FALSE(banner::StepColor(0).has_value());
    const POINT centre = banner::StepCentre(2.5, 10085);  // 2 after rounding; 10085 halved down
    EXPECT_EQ(centre.x, 1);
    EXPECT_EQ(centre.y, 5042);
}

TEST(IntervalText, NumbersAreTakenAndOddTextBecomesOne) {
    const struct {
        const wchar_t* text;
        int interval;
        bool showOne;
    } cases[] = {{L"10", 10, false}, {L"2.5", 2, false}, {L"65535", 65535, false}, {L"0", 0, true},
                 {L"0.6", 1, true},  {L"-20", 0, true},  {L"65536", 1, true},      {L"fast", 1, true}};
    for (const auto& c : cases) {
        const banner::IntervalSetting s = banner::ReadInterval(c.text);
        EXPECT_EQ(s.interval, c.interval) << c.text;
        EXPECT_EQ(s.showOne, c.showOne) << c.text;
    }
}

TEST(BannerLine, PiecesJoinWithNothingBetweenForAFixedClock) {
    EXPECT_EQ(banner::BannerLineText(L"******祝您生日快乐", L"9:05:07", L"2026/12/7"),
              L"******祝您生日快乐***@9:05:07||*   2026/12/7    * * *");
    SYSTEMTIME clock = {};
    clock.wYear = 2026;
    clock.wMonth = 3;
    clock.wDay = 4;
    clock.wHour = 17;
    clock.wMinute = 6;
    clock.wSecond = 9;
    EXPECT_EQ(banner::BannerLineText(L"Hi", clock), L"Hi***@17:06:09||*   2026/3/4    * * *");
}

TEST(BannerLayout, DesignSizeGivesTheDesignFigures) {
    const banner::BannerLayout out = banner::LayOutBanner({15240, 10815, 30, -30, 1005, 1575, 3165});
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
