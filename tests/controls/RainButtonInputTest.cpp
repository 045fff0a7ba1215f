// The gradient button answers real input: a mouse click, Space and Enter click it, and Tab
// moves the focus between buttons.
#include <gtest/gtest.h>

#include <optional>

#include "controls/RainButtonWindow.h"
#include "tests/controls/TestPictures.h"
#include "tests/support/Input.h"
#include "tests/support/TestWindow.h"

using namespace controls_testing;
using namespace testing_support;

TEST(RainButtonInput, MouseSpaceAndEnterClickAndTabMovesTheFocus) {
    WindowOptions options;
    options.exStyle = WS_EX_CONTROLPARENT;
    // The dialog manager turns Tab into WM_NEXTDLGCTL for the window; a form moves the focus
    // then, and so does this window.
    TestWindow window(options, [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_NEXTDLGCTL) return std::nullopt;
        SetFocus(GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0));
        return 0;
    });
    ctl::RainButtonWindow first(window.hwnd(), RECT{20, 20, 140, 50});
    ctl::RainButtonWindow second(window.hwnd(), RECT{20, 70, 140, 100});
    first.SetCaption(L"   确定选择   ");
    second.SetCaption(L"   退  出   ");
    int firstClicks = 0, secondClicks = 0;
    first.Click = [&] { ++firstClicks; };
    second.Click = [&] { ++secondClicks; };
    ASSERT_TRUE(FocusOn(window.hwnd(), window.hwnd()));

    Click(CentreOf(first.hwnd()));
    EXPECT_EQ(firstClicks, 1);
    EXPECT_EQ(GetFocus(), first.hwnd()) << "a click takes the focus";

    // Pressed while the button is down, released off the button: no click.
    PressAt(CentreOf(first.hwnd()));
    EXPECT_TRUE(first.Pressed());
    ReleaseAt(OnScreen(window.hwnd(), 300, 200));
    EXPECT_FALSE(first.Pressed());
    EXPECT_EQ(firstClicks, 1);

    ASSERT_TRUE(FocusOn(window.hwnd(), first.hwnd()));
    Key(VK_SPACE);
    EXPECT_EQ(firstClicks, 2);
    Key(VK_RETURN);
    EXPECT_EQ(firstClicks, 3);

    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), second.hwnd());
    Key(VK_RETURN);
    Key(VK_SPACE);
    EXPECT_EQ(secondClicks, 2);
    EXPECT_EQ(firstClicks, 3);

    // The focus cue: a dotted frame 3 pixels inside the focused button, gone with the focus.
    const testing_support::Pixels focused = PrintClient(second.hwnd());
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), first.hwnd());
    const testing_support::Pixels unfocused = PrintClient(second.hwnd());
    int differing = 0;
    for (int x = 3; x < focused.width - 3; ++x) differing += focused.At(x, 3) != unfocused.At(x, 3) ? 1 : 0;
    EXPECT_GT(differing, (focused.width - 6) / 3);
}
