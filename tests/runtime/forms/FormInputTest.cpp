// Forms under real input: tabbing moves the focus in tab order with got/lost focus events,
// typing raises change events, mouse clicks reach buttons and labels, access keys press
// buttons, and a disabled frame takes no input for what it holds.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "runtime/forms/Forms.h"
#include "runtime/gdi/Screen.h"
#include "tests/runtime/forms/FormTestForms.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"

using namespace form_tests;
using namespace testing_support;

namespace {

struct FormsCleanup {
    ~FormsCleanup() {
        for (rt::Form* form : rt::Forms::detail::Loaded()) form->Unload();
        PumpPending();
    }
};

void Pump() { PumpPending(Processing::Program); }

// True when upper lies above lower among the top-level windows.
bool Above(HWND upper, HWND lower) {
    for (HWND next = GetWindow(upper, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
        if (next == lower) return true;
    return false;
}

// From inside the modal loop of frmFields: another form of the program is raised and
// activated (as a skin change does to the main window); the modal form must come back on top.
void CALLBACK RaiseSampleLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND sample = rt::Forms::Get<frmSample>().hWnd();
    const HWND modal = rt::Forms::Get<frmFields>().hWnd();
    SetWindowPos(sample, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const bool back = PumpUntil([&] { return Above(modal, sample) && GetActiveWindow() == modal; }, 10000);
    Log().push_back(back ? L"modal on top" : L"modal covered");
    SendMessageW(rt::Forms::Get<frmFields>().Command1.hWnd(), BM_CLICK, 0, 0);
}

}  // namespace

TEST(FormInput, TabMovesFocusInTabOrderWithFocusEvents) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmFields>();
    form.Show();
    ASSERT_TRUE(MakeForeground(form.hWnd()));
    form.FieldBoxes(0).SetFocus();
    Pump();
    Log().clear();
    Key(VK_TAB);
    Pump();
    Key(VK_TAB);
    Pump();
    EXPECT_EQ(GetFocus(), form.FieldBoxes(2).hWnd());
    Key(VK_TAB);  // out of the multi-line box too: no tab character goes in
    Pump();
    EXPECT_EQ(GetFocus(), form.Command1.hWnd());
    EXPECT_EQ(form.FieldBoxes(2).Text(), L"");
    Key(VK_TAB, {VK_SHIFT});
    Pump();
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"FieldBoxes_LostFocus 0", L"FieldBoxes_GotFocus 1",
                                                L"FieldBoxes_LostFocus 1", L"FieldBoxes_GotFocus 2",
                                                L"FieldBoxes_LostFocus 2", L"FieldBoxes_GotFocus 2"}));
}

TEST(FormInput, TypingRaisesChangeAndMaxLengthLimitsIt) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmFields>();
    form.Show();
    ASSERT_TRUE(MakeForeground(form.hWnd()));
    form.FieldBoxes(1).MaxLength(2);
    form.FieldBoxes(1).SetFocus();
    Pump();
    Log().clear();
    for (WORD key : {'A', 'B', 'C'}) Key(key);
    Pump();
    EXPECT_EQ(form.FieldBoxes(1).Text(), L"ab");
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"FieldBoxes_Change 1", L"FieldBoxes_Change 1"}));
    // Enter in the multi-line box starts a new line.
    form.FieldBoxes(2).SetFocus();
    Key('X');
    Key(VK_RETURN);
    Key('Y');
    Pump();
    EXPECT_EQ(form.FieldBoxes(2).Text(), L"x\r\ny");
}

TEST(FormInput, ClicksAndAccessKeysReachButtonsAndLabels) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    ASSERT_TRUE(MakeForeground(form.hWnd()));
    Log().clear();
    Click(CentreOf(form.Command1.hWnd()));
    Pump();
    const RECT label = form.Label1.PixelRect();
    Click(OnScreen(form.hWnd(), label.left + 4, label.top + 4));
    Pump();
    form.Text1.SetFocus();
    Key('G', {VK_MENU});
    Pump();
    // The scroll bar's right arrow moves by SmallChange.
    RECT bar;
    GetWindowRect(form.HScroll1.hWnd(), &bar);
    Click(POINT{bar.right - 4, (bar.top + bar.bottom) / 2});
    Pump();
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Command1_Click abc", L"Label1_Click", L"Command1_Click abc",
                                                L"HScroll1_Change 1"}));
}

TEST(FormInput, DisabledFrameTakesNoInputForItsControls) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    ASSERT_TRUE(MakeForeground(form.hWnd()));
    Log().clear();
    form.Frame1.Enabled(false);
    const POINT option = CentreOf(form.Option1(1).hWnd());
    Click(option);
    Pump();
    EXPECT_FALSE(form.Option1(1).Value());
    EXPECT_TRUE(Log().empty());
    form.Frame1.Enabled(true);
    Click(option);
    Pump();
    EXPECT_TRUE(form.Option1(1).Value());
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Option1_Click 1"}));
}

TEST(FormInput, DraggingTheThumbScrollsThenChangesOnceAndLabelsShowTheirCursor) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    ASSERT_TRUE(MakeForeground(form.hWnd()));
    std::vector<int> scrolls;
    int changes = 0;
    form.HScroll1.Scroll = [&] { scrolls.push_back(form.HScroll1.Value()); };
    form.HScroll1.Change = [&] { ++changes; };
    RECT bar;
    GetWindowRect(form.HScroll1.hWnd(), &bar);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int y = (bar.top + bar.bottom) / 2;
    const int thumbX = bar.left + arrow + 3;  // the thumb sits at value 0
    // One batch: the bar's own tracking loop would wait forever for a release sent after
    // the press was dispatched.
    MovePointer(POINT{thumbX, y});
    SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN, POINT{thumbX, y}), MouseInput(0, POINT{thumbX + 40, y}),
                MouseInput(0, POINT{thumbX + 60, y}), MouseInput(MOUSEEVENTF_LEFTUP, POINT{thumbX + 60, y})});
    Pump();
    ASSERT_FALSE(scrolls.empty());
    EXPECT_GT(form.HScroll1.Value(), 0);
    EXPECT_EQ(scrolls.back(), form.HScroll1.Value());
    EXPECT_EQ(changes, 1);

    // A custom mouse pointer over a windowless label.
    HCURSOR cross = CopyCursor(LoadCursorW(nullptr, IDC_CROSS));
    form.Label1.MousePointer(rt::MousePointer::Custom).MouseIcon(rt::StdPicture::FromIcon(cross));
    const RECT label = form.Label1.PixelRect();
    const POINT over = OnScreen(form.hWnd(), label.left + 5, label.top + 5);
    SendInputs({MouseInput(0, over), MouseInput(0, POINT{over.x + 1, over.y})});
    Pump();
    EXPECT_EQ(GetCursor(), form.Label1.MouseIcon()->Icon());
}


namespace {
// Dispatches as the program does, except that button releases are taken out of the queue
// unseen: what the button class lives through when a quick click's release gets lost on its
// way (the press and release of a quick click reach another process together, and Wine now and
// then delivers only one of them).
void PumpLosingReleases(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE)) {
        }
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (rt::Forms::TranslateFormMessage(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
}
}  // namespace

TEST(FormInput, AQuickClickSelectsAnOptionEvenIfItsReleaseNeverArrives) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    ASSERT_TRUE(MakeForeground(form.hWnd()));
    Log().clear();
    // As fast as the input queue allows: press and release in one call right after the move.
    auto quickClick = [](POINT at, const std::function<void()>& process) {
        SendInputs({MouseInput(0, at)});
        SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN, at), MouseInput(MOUSEEVENTF_LEFTUP, at)});
        process();
    };
    quickClick(CentreOf(form.Option1(2).hWnd()), [] { PumpLosingReleases(200); });
    EXPECT_TRUE(form.Option1(2).Value());
    EXPECT_EQ(GetFocus(), form.Option1(2).hWnd());
    EXPECT_EQ(GetCapture(), nullptr) << "the press does not keep the pointer";
    // The release arriving as well clicks once, not twice.
    quickClick(CentreOf(form.Option1(0).hWnd()), [] { Pump(); });
    EXPECT_TRUE(form.Option1(0).Value());
    EXPECT_FALSE(form.Option1(2).Value());
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Option1_Click 2", L"Option1_Click 0"}));
    // The pointer is already on its way to another control when the press is handled.
    const POINT two = CentreOf(form.Option1(2).hWnd());
    SendInputs({MouseInput(0, two)});
    SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN, two), MouseInput(MOUSEEVENTF_LEFTUP, two),
                MouseInput(0, POINT{two.x + 400, two.y + 300})});
    PumpLosingReleases(200);
    EXPECT_TRUE(form.Option1(2).Value());
    // A press held down and released away from the button selects nothing, also when the
    // release already waits in the queue as the press is handled.
    const POINT one = CentreOf(form.Option1(1).hWnd());
    PressAt(one);
    ReleaseAt(POINT{one.x + 400, one.y + 300});
    EXPECT_FALSE(form.Option1(1).Value());
    const POINT single = {one.x + 10, one.y};  // beside the last press: no double click
    const POINT off = CentreOf(form.Picture1.hWnd());
    SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN, single), MouseInput(0, off), MouseInput(MOUSEEVENTF_LEFTUP, off)});
    Pump();
    EXPECT_FALSE(form.Option1(1).Value()) << "dragged off before the release";
    EXPECT_TRUE(form.Option1(2).Value());
    // Released on the button, the pointer gone on before the press is handled.
    const POINT zero = CentreOf(form.Option1(0).hWnd());
    SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN, zero), MouseInput(MOUSEEVENTF_LEFTUP, zero), MouseInput(0, off)});
    Pump();
    EXPECT_TRUE(form.Option1(0).Value()) << "released on the button";
}

// The activation is part of what is checked: a window of another program taking the foreground
// meanwhile would take it too, so this runs with the tests that run alone.
TEST(FormInput, AModalFormComesBackAboveAnotherFormRaisedMeanwhile) {
    FormsCleanup cleanup;
    rt::Forms::Get<frmSample>().Show();
    Log().clear();
    SetTimer(nullptr, 0, 150, RaiseSampleLater);
    rt::Forms::Get<frmFields>().Show(rt::ShowMode::Modal);
    EXPECT_NE(std::find(Log().begin(), Log().end(), L"modal on top"), Log().end());
}
