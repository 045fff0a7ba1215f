// Where the focus goes when what holds it is hidden or disabled, and that keys pressed
// afterwards (an access key nothing answers, Tab) come back: a step that hangs ends the test
// program through a watchdog instead of stopping the run.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/forms/Forms.h"
#include "tests/runtime/forms/FormTestForms.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Watchdog.h"

using namespace form_tests;
using namespace testing_support;

namespace {

constexpr DWORD kHangBound = 20000;

struct FormsCleanup {
    ~FormsCleanup() {
        for (rt::Form* form : rt::Forms::detail::Loaded()) form->Unload();
        PumpPending();
    }
};

void Pump() { PumpPending(Processing::Program); }

frmSample& ShownSample() {
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    EXPECT_TRUE(MakeForeground(form.hWnd()));
    Log().clear();
    return form;
}

// Alt+Q (no caption has Q), then Tab; then Alt+G still presses the form's Go button.
void KeysStillWork(frmSample& form) {
    Key('Q', {VK_MENU});
    Pump();
    Key(VK_TAB);
    Pump();
    Key('G', {VK_MENU});
    Pump();
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Command1_Click " + form.Text1.Text()}));
}

}  // namespace

TEST(FocusInput, HidingOrDisablingAContainerHandsItsFocusToTheNextControl) {
    FormsCleanup cleanup;
    Watchdog watchdog(kHangBound, "keys after hiding a frame that held the focus");
    auto& form = ShownSample();
    ASSERT_TRUE(FocusOn(form.hWnd(), form.Option1(1).hWnd()));
    form.Frame1.Visible(false);
    // The picture box between them takes no focus.
    EXPECT_EQ(GetFocus(), form.Drive1.hWnd());
    KeysStillWork(form);
    form.Frame1.Visible(true);
    ASSERT_TRUE(FocusOn(form.hWnd(), form.Option1(2).hWnd()));
    form.Frame1.Enabled(false);
    EXPECT_EQ(GetFocus(), form.Drive1.hWnd());
    form.Frame1.Enabled(true);
}

TEST(FocusInput, DisablingOrHidingTheFocusedControlHandsTheFocusOn) {
    FormsCleanup cleanup;
    Watchdog watchdog(kHangBound, "keys after disabling the focused control");
    auto& form = ShownSample();
    ASSERT_TRUE(FocusOn(form.hWnd(), form.Text1.hWnd()));
    form.Text1.Enabled(false);
    EXPECT_EQ(GetFocus(), form.Command1.hWnd());
    form.Command1.Visible(false);
    EXPECT_EQ(GetFocus(), form.Check1.hWnd());
    form.Command1.Visible(true);
    KeysStillWork(form);
}

// The first key hands the focus on, and it already works where the focus went.
TEST(FocusInput, KeysHandOnAFocusLeftInAWindowHiddenOrDisabledBehindTheRuntime) {
    FormsCleanup cleanup;
    Watchdog watchdog(kHangBound, "keys with the focus inside a hidden window");
    auto& form = ShownSample();
    ASSERT_TRUE(FocusOn(form.hWnd(), form.Option1(1).hWnd()));
    ShowWindow(form.Frame1.hWnd(), SW_HIDE);
    KeysStillWork(form);
    ShowWindow(form.Frame1.hWnd(), SW_SHOWNA);
    ASSERT_TRUE(FocusOn(form.hWnd(), form.Option1(2).hWnd()));
    EnableWindow(form.Frame1.hWnd(), FALSE);
    Log().clear();
    Key(VK_TAB);
    Pump();
    EXPECT_EQ(GetFocus(), GetNextDlgTabItem(form.hWnd(), form.Drive1.hWnd(), FALSE)) << "Tab from the handed-on focus";
    EnableWindow(form.Frame1.hWnd(), TRUE);
}
