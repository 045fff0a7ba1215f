// The progress bar's floating-point range and its errors.
#include <gtest/gtest.h>

#include "controls/ProgressBarWindow.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

namespace {
}  // namespace

TEST(ProgressBarWindow, ValuesOutsideTheRangeAndAnEmptyRangeRaise380) {
    TestWindow window;
    ctl::ProgressBarWindow bar(window.hwnd(), RECT{10, 10, 200, 30});
    EXPECT_EQ(bar.Min(), 0.0f);
    EXPECT_EQ(bar.Max(), 100.0f);
    EXPECT_EQ(ErrorOf([&] { bar.SetValue(101.0f); }), 380);
    EXPECT_EQ(ErrorOf([&] { bar.SetValue(-0.5f); }), 380);
    EXPECT_EQ(ErrorOf([&] { bar.SetMax(0.0f); }), 380);  // not above Min
    EXPECT_EQ(ErrorOf([&] { bar.SetMin(100.0f); }), 380);
    EXPECT_EQ(bar.Max(), 100.0f);
    EXPECT_EQ(bar.Min(), 0.0f);

    // The media player's sequence: Max = length, Min = 1 while the value is 0.
    bar.SetMax(2000.0f);
    bar.SetMin(1.0f);
    EXPECT_EQ(bar.Value(), 1.0f);
    EXPECT_EQ(ErrorOf([&] { bar.SetValue(0.0f); }), 380);
    EXPECT_EQ(bar.Value(), 1.0f) << "a refused value leaves the bar as it was";
    bar.SetValue(2000.0f);
    EXPECT_EQ(bar.Value(), bar.Max());
    EXPECT_EQ(bar.ShownStep(), ctl::kProgressSteps);
    bar.SetValue(1000.5f);
    EXPECT_EQ(bar.ShownStep(), ctl::kProgressSteps / 2);

    // A zero length is no range: the old one stays.
    EXPECT_EQ(ErrorOf([&] { bar.SetMax(0.0f); }), 380);
    EXPECT_EQ(bar.Max(), 2000.0f);

    // A smaller Max pulls the value down with it.
    bar.SetMax(3.0f);
    EXPECT_EQ(bar.Value(), 3.0f);
    EXPECT_EQ(rt::StandardDescription(380), L"无效的属性值");
}
