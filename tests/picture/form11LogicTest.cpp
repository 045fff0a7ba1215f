// The picture player's arithmetic: size lines, the fitting rule, the 16-bit counters, the
// speed answer and the original-size view's outer size.
#include <gtest/gtest.h>

#include "picture/FittingRule.h"
#include "picture/InFolder.h"
#include "picture/OriginalViewSize.h"
#include "picture/SizeLine.h"
#include "picture/SlideCounters.h"

using ctl::PictureSizeMode;

TEST(form11SizeLine, IsWidthXHeightTabNameAndEachLineStartsWithCrLf) {
    EXPECT_EQ(SizeLine({640, 480}, L"a.jpg"), L"640 x 480\ta.jpg");
    EXPECT_EQ(SizeLine({70000, 3}, L"长图.png"), L"70000 x 3\t长图.png");
    EXPECT_EQ(SizeLine({}, L"notes.jpg"), L"0 x 0\tnotes.jpg");
    const std::wstring once = WithLineAppended(L"", L"1 x 1\ta");
    EXPECT_EQ(once, L"\r\n1 x 1\ta");
    EXPECT_EQ(WithLineAppended(once, L"1 x 1\ta"), L"\r\n1 x 1\ta\r\n1 x 1\ta");
}

TEST(form11InFolder, JoinsWithOneBackslashAlsoAtADrivesRoot) {
    EXPECT_EQ(InFolder(L"c:\\pics", L"a.jpg"), L"c:\\pics\\a.jpg");
    EXPECT_EQ(InFolder(L"c:\\", L"a.jpg"), L"c:\\a.jpg");
}

TEST(form11FittingRule, ZoomsWhatIsWiderOrTallerThanTheDisplayAndClipsTheRest) {
    EXPECT_EQ(FittingMode(549, 375, 549, 375), PictureSizeMode::Clip);  // exactly fits
    EXPECT_EQ(FittingMode(100, 80, 549, 375), PictureSizeMode::Clip);
    EXPECT_EQ(FittingMode(550, 10, 549, 375), PictureSizeMode::Zoom);  // one pixel wider
    EXPECT_EQ(FittingMode(10, 376, 549, 375), PictureSizeMode::Zoom);  // taller though narrow
    EXPECT_EQ(FittingMode(4000, 3000, 549, 375), PictureSizeMode::Zoom);
    EXPECT_EQ(FittingMode(0, 0, 549, 375), PictureSizeMode::Clip);
}

TEST(form11Counters, StopAtTheSixteenBitLimitAndTheShowWrapsToTheFirstSlide) {
    EXPECT_EQ(CountedUp(0), 1);
    EXPECT_EQ(CountedUp(32766), 32767);
    EXPECT_EQ(CountedUp(32767), 32767);
    EXPECT_EQ(NextSlide(0, 3), 1);
    EXPECT_EQ(NextSlide(2, 3), 3);
    EXPECT_EQ(NextSlide(3, 3), 1);
    EXPECT_EQ(NextSlide(5, 3), 1);  // the list shrank under the show
    EXPECT_EQ(NextSlide(0, 0), 0);
    EXPECT_EQ(NextSlide(32767, 32767), 1);
}

TEST(form11SpeedAnswer, OnlyWholeNumbersFromOneTo65535NameAnInterval) {
    EXPECT_EQ(IntervalFromAnswer(L"500"), 500);
    EXPECT_EQ(IntervalFromAnswer(L" 1500 "), 1500);
    EXPECT_EQ(IntervalFromAnswer(L"1"), 1);
    EXPECT_EQ(IntervalFromAnswer(L"65535"), 65535);
    for (const wchar_t* bad : {L"", L"   ", L"0", L"65536", L"99999999999999999999", L"1.5", L"-100", L"1e3",
                               L"abc", L"12abc", L"&H10", L"1 000"})
        EXPECT_FALSE(IntervalFromAnswer(bad).has_value()) << "accepted a bad answer";
}

TEST(form11OriginalView, OuterSizeIsHimetricOver18WideAnd17High) {
    const OuterSize inch = OriginalViewSize(2540, 2540);
    EXPECT_NEAR(inch.width, 1411.11, 0.01);
    EXPECT_NEAR(inch.height, 1494.12, 0.01);
    const OuterSize none = OriginalViewSize(0, 0);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
}
