// Travelling along the drawn menu bar inside the real modal menu loop, with real keys and
// mouse moves: Left and Right move from drop-down to drop-down and wrap around, Right on an
// entry with a submenu opens the submenu, the mouse moving onto a neighbouring button
// switches without a click, a click on the open button keeps its drop-down, Esc ends it all.
#include <gtest/gtest.h>

#include "frame/cToolbarMenu.h"
#include "tests/frame/MenuBarHarness.h"
#include "tests/support/Input.h"

using namespace menubar_test;
using namespace testing_support;

namespace {

void MoveAway() { MoveMouseTo(1200, 1000); }

// The menu's drop-down is shown and drawn.
bool Shows(HMENU menu) {
    return WaitFor([&] {
        const HWND popup = VisiblePopup(menu);
        return popup && Painted(popup);
    });
}
bool Stays(HMENU menu, DWORD ms = 300) {
    Sleep(ms);  // the time is the subject: the drop-down stays this long
    return VisiblePopup(menu) != nullptr;
}

// The drop-down View shows its entry with the submenu selected.
bool MoreSelected(const TestMenu& m) {
    for (int i = 0; i < GetMenuItemCount(m.view); ++i)
        if (GetSubMenu(m.view, i) == m.viewMore) return (GetMenuState(m.view, i, MF_BYPOSITION) & MF_HILITE) != 0;
    return false;
}

}  // namespace

TEST(cToolbarMenuInput, ArrowsMoveAlongTheBarWrapAroundAndRightOpensASubmenu) {
    const InputTurn turn;
    MoveAway();
    SkinnedWindow w(200, 150);
    ASSERT_TRUE(BringToFront(w.hwnd()));
    ASSERT_TRUE(PumpUntil([&] { return w.bar->Count() == 2; }));
    const TestMenu& m = w.menu();
    const POINT c = w.ButtonCentre(1);
    std::vector<std::string> steps;
    auto check = [&](bool ok, const char* what) { steps.push_back(std::string(ok ? "ok " : "FAILED ") + what); };
    const bool finished = RunInputScript([&] {
        ClickAt(c.x, c.y);
        check(Shows(m.file), "click opens File");
        // The pointer rests on File while the keys travel along the bar.
        TapKey(VK_RIGHT);
        check(Shows(m.view), "Right opens View");
        TapKey(VK_RIGHT);
        check(Shows(m.file), "Right on the last button wraps to File");
        TapKey(VK_LEFT);
        check(Shows(m.view), "Left on the first button wraps to View");
        TapKey(VK_DOWN);
        TapKey(VK_DOWN);  // onto "&More", which opens a submenu
        check(WaitFor([&] { return MoreSelected(m); }), "Down twice selects More");
        TapKey(VK_RIGHT);
        check(Shows(m.viewMore), "Right on an entry with a submenu opens the submenu");
        check(VisiblePopup(m.view) != nullptr, "the drop-down stays open under its submenu");
        TapKey(VK_LEFT);
        check(WaitFor([&] { return VisiblePopup(m.viewMore) == nullptr; }), "Left closes the submenu");
        check(Stays(m.view), "and stays in the same drop-down");
        TapKey(VK_ESCAPE);
        check(WaitFor([&] { return VisiblePopup() == nullptr; }), "Esc closes the drop-down");
    });
    ASSERT_TRUE(finished);
    for (const std::string& s : steps) EXPECT_EQ(s.rfind("ok ", 0), 0u) << s;
    EXPECT_EQ(steps.size(), 10u);
    // Tracking has ended with the button released and no hot button from the tracker.
    EXPECT_EQ(w.bar->DownIndex(), -1);
    EXPECT_TRUE(w.log().Commands().empty());
}

TEST(cToolbarMenuInput, TheMouseSwitchesDropDownsWithoutAClickAndAClickOnTheOpenButtonKeepsIt) {
    const InputTurn turn;
    SkinnedWindow w(220, 170);
    ASSERT_TRUE(BringToFront(w.hwnd()));
    ASSERT_TRUE(PumpUntil([&] { return w.bar->Count() == 2; }));
    const TestMenu& m = w.menu();
    const POINT c2 = w.ButtonCentre(2);
    const RECT b2 = w.ButtonOnScreen(2);
    // The pointer starts on the band beyond the buttons. (Wine moves the X pointer for
    // injected moves only while no menu holds the pointer grab, and each new popup reports
    // the X pointer's place as a move; starting off the buttons keeps that place harmless.)
    const POINT rest = {b2.right + 40, c2.y};
    ASSERT_TRUE(MovePointer(rest, Processing::Plain));
    RECT viewRect = {};
    std::vector<std::string> steps;
    auto check = [&](bool ok, const char* what) { steps.push_back(std::string(ok ? "ok " : "FAILED ") + what); };
    const bool finished = RunInputScript([&] {
        TapKey('F', {VK_MENU});
        check(Shows(m.file), "Alt+F opens File");
        MoveMouseTo(c2.x, c2.y);
        check(Shows(m.view), "moving onto View opens it");
        check(VisiblePopup(m.file) == nullptr, "and closes File");
        if (HWND popup = VisiblePopup(m.view)) GetWindowRect(popup, &viewRect);
        MoveMouseTo(b2.right + 20, c2.y);  // a part of the band with no button
        check(Stays(m.view), "bar without a button changes nothing");
        ClickAt(c2.x, c2.y);
        check(Stays(m.view), "a click on the open button keeps its drop-down");
        TapKey(VK_ESCAPE);
        check(WaitFor([&] { return VisiblePopup() == nullptr; }), "Esc closes it");
    });
    ASSERT_TRUE(finished);
    for (const std::string& s : steps) EXPECT_EQ(s.rfind("ok ", 0), 0u) << s;
    EXPECT_EQ(steps.size(), 6u);
    EXPECT_EQ(viewRect.left, b2.left);
    EXPECT_EQ(viewRect.top, b2.bottom);
    EXPECT_EQ(w.bar->DownIndex(), -1);
    MoveAway();
}

TEST(cToolbarMenuInput, ChoosingACommandEndsTrackingWithTheButtonReleased) {
    const InputTurn turn;
    MoveAway();
    SkinnedWindow w(190, 160);
    ASSERT_TRUE(BringToFront(w.hwnd()));
    ASSERT_TRUE(PumpUntil([&] { return w.bar->Count() == 2; }));
    const POINT c2 = w.ButtonCentre(2);
    RECT zoom = {};
    const bool finished = RunInputScript([&] {
        ClickAt(c2.x, c2.y);
        if (!Shows(w.menu().view)) return;
        GetMenuItemRect(nullptr, w.menu().view, 0, &zoom);
        ClickAt((zoom.left + zoom.right) / 2, (zoom.top + zoom.bottom) / 2);
        WaitFor([&] { return VisiblePopup() == nullptr; });
    });
    ASSERT_TRUE(finished);
    PumpUntil([&] { return !w.log().Commands().empty(); });
    EXPECT_EQ(w.log().Commands(), std::vector<UINT>{kIdZoom});
    EXPECT_EQ(w.bar->DownIndex(), -1);
    EXPECT_EQ(w.bar->ItemStore().Count(), 0);
    MoveAway();
}

TEST(cToolbarMenuInput, WithOneButtonLeftAndRightAreUsedUpAndNothingChanges) {
    const InputTurn turn;
    MoveAway();
    HMENU only = nullptr;
    SkinnedWindow w(170, 150, 500, 300, [&] {
        TestMenu m;
        m.bar = CreateMenu();
        only = CreatePopupMenu();
        AppendMenuW(only, MF_STRING, 601, L"&Single");
        AppendMenuW(m.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(only), L"&Only");
        return m;
    });
    ASSERT_TRUE(BringToFront(w.hwnd()));
    ASSERT_TRUE(PumpUntil([&] { return w.bar->Count() == 1; }));
    const POINT c = w.ButtonCentre(1);
    bool opened = false, stayedRight = false, stayedLeft = false;
    const bool finished = RunInputScript([&] {
        ClickAt(c.x, c.y);
        opened = Shows(only);
        TapKey(VK_RIGHT);
        stayedRight = Stays(only);
        TapKey(VK_LEFT);
        stayedLeft = Stays(only);
        TapKey(VK_ESCAPE);
        WaitFor([&] { return VisiblePopup() == nullptr; });
    });
    ASSERT_TRUE(finished);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(stayedRight);
    EXPECT_TRUE(stayedLeft);
    EXPECT_EQ(w.bar->DownIndex(), -1);
}

TEST(cToolbarMenu, TrackPopupWithoutAnOwnerAnswersZero) {
    auto tracker = std::make_shared<cToolbarMenu>();
    EXPECT_EQ(tracker->TrackPopup(1), 0);
    EXPECT_FALSE(tracker->InTracking());
    EXPECT_EQ(tracker->TrackingState(), cToolbarMenu::kStateIdle);
}
