// The slider's change event on real input, and the list view's click event.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "controls/ImageList.h"
#include "controls/ListViewWindow.h"
#include "controls/SliderWindow.h"
#include "runtime/core/RuntimeError.h"
#include "tests/controls/TestPictures.h"
#include "tests/support/Input.h"
#include "tests/support/TestWindow.h"

using namespace controls_testing;
using namespace testing_support;

TEST(SliderInput, ChangeFollowsKeysAndClicksButNotTheDragUntilItEnds) {
    TestWindow window;
    ctl::SliderWindow slider(window.hwnd(), RECT{10, 10, 290, 40});
    std::vector<long> changes;
    slider.Change = [&] { changes.push_back(slider.Value()); };
    ASSERT_TRUE(FocusOn(window.hwnd(), slider.hwnd()));
    EXPECT_EQ(GetFocus(), slider.Inner());

    Key(VK_RIGHT);
    EXPECT_EQ(slider.Value(), 1);
    Key(VK_END);
    EXPECT_EQ(slider.Value(), 255);
    Key(VK_HOME);
    EXPECT_EQ(changes, (std::vector<long>{1, 255, 0}));

    // Dragging the thumb from the left end to the middle: one change, at the release.
    RECT thumb;
    SendMessageW(slider.Inner(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const POINT from = OnScreen(slider.Inner(), (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    changes.clear();
    MovePointer(from);
    PressAt(from);
    for (int dx = 20; dx <= 140; dx += 20) MovePointer(POINT{from.x + dx, from.y});
    EXPECT_TRUE(changes.empty()) << "changed during the drag";
    ReleaseAt(POINT{from.x + 140, from.y});
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_GT(changes[0], 80);
    EXPECT_LT(changes[0], 175);
    EXPECT_EQ(changes[0], static_cast<long>(SendMessageW(slider.Inner(), TBM_GETPOS, 0, 0)));

    // A program's new value raises the event too; an unchanged one or a refused one does not.
    changes.clear();
    slider.SetValue(200);
    slider.SetValue(200);
    EXPECT_THROW(slider.SetValue(256), rt::RuntimeError);
    EXPECT_EQ(changes, (std::vector<long>{200}));
}

namespace {

// Windows' list view passes WM_SETREDRAW on to the default window procedure, which takes the
// window out of input routing while redraw is off; Wine's does not, so the test adds that.
LRESULT CALLBACK RedrawAsOnWindows(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SETREDRAW) DefWindowProcW(hwnd, message, wParam, lParam);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

// Also while its drawing is held, as during a thumbnail run: the list stays in input routing.
TEST(ListViewInput, ClickingAnItemSelectsItAndRaisesClickAlsoWhileItsDrawingIsHeld) {
    TestWindow window;
    ctl::ListViewWindow view(window.hwnd(), RECT{10, 10, 370, 210});
    ASSERT_TRUE(SetWindowSubclass(view.Inner(), RedrawAsOnWindows, 1, 0));
    ctl::ImageList icons;
    icons.SetImageWidth(32);
    icons.SetImageHeight(32);
    view.SetIcons(&icons);
    for (int n = 1; n <= 3; ++n) {
        const std::wstring key = L"Image " + std::to_wstring(n);
        icons.Add(key, controls_testing::SolidPicture(32, 32, RGB(0, 60 * n, 0)));
        view.AddItem(L"", key, key);
    }
    int clicks = 0;
    int selectedAtClick = -1;
    view.Click = [&] {
        ++clicks;
        selectedAtClick = view.SelectedIndex();
    };
    ASSERT_TRUE(FocusOn(window.hwnd(), view.hwnd()));
    const RECT item = view.ItemRect(2);
    view.HoldDrawing(true);
    EXPECT_TRUE(IsWindowVisible(view.Inner()));
    Click(OnScreen(view.Inner(), (item.left + item.right) / 2, item.top + 16));
    view.HoldDrawing(false);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(selectedAtClick, 2);
    EXPECT_EQ(view.SelectedIndex(), 2);
}
