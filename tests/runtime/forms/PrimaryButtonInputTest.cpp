// The primary button with real input: on a left-handed (swapped) mouse it is the physical
// right button. Wine never swaps the messages, but keeps the setting and the physical state.
#include "runtime/forms/PrimaryButton.h"

#include <gtest/gtest.h>

#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

TEST(PrimaryButtonInput, IsThePhysicalRightButtonOnASwappedMouse) {
    struct Unswap { ~Unswap() { SwapMouseButton(FALSE); } } unswap;
    TestWindow window;  // the presses land on a window of ours that ignores them
    ASSERT_TRUE(MakeForeground(window.hwnd()));
    const POINT at = CentreOf(window.hwnd());
    ASSERT_TRUE(MovePointer(at, Processing::Plain));
    for (const bool swapped : {false, true}) {
        SwapMouseButton(swapped);
        for (const bool right : {false, true}) {
            const int physical = right ? VK_RBUTTON : VK_LBUTTON;
            SendInputs({MouseInput(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, at)});
            auto held = [&] { return (GetAsyncKeyState(physical) & rt::kKeyHeld) != 0; };
            ASSERT_TRUE(PumpUntil(held));
            EXPECT_EQ(rt::PrimaryButtonHeld(), right == swapped) << "swapped " << swapped << ", right " << right;
            SendInputs({MouseInput(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, at)});
            ASSERT_TRUE(PumpUntil([&] { return !held(); }));
        }
    }
}
