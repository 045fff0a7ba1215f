// Forms under real input: tabbing moves the focus in tab order with got/lost focus events,
// typing raises change events, mouse clicks reach buttons and labels, access keys press
// buttons, and a disabled frame takes no input for what it holds.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/Forms.h"
#include "runtime/Screen.h"
#include "tests/runtime/FormTestForms.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"

using namespace form_tests;
using testing_support::PumpFor;

namespace {

struct FormsCleanup {
    ~FormsCleanup() {
        for (rt::Form* form : rt::Forms::detail::Loaded()) form->Unload();
        PumpFor(20);
    }
};

// Dispatches like the program's loop, so that keyboard navigation takes part.
void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (rt::Forms::TranslateFormMessage(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

// Real input sent in one batch and then processed by the form loop above (the shared
// helpers dispatch without keyboard navigation, and a scroll bar's own tracking loop would
// wait forever for a release sent after the press was dispatched).
INPUT KeyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

void TapKey(WORD vk, std::initializer_list<WORD> modifiers = {}) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pump(60);
}

INPUT MouseInput(DWORD flags, int x, int y) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
}

void ClickAt(int x, int y) {
    INPUT move = MouseInput(0, x, y);
    SendInput(1, &move, sizeof(INPUT));
    Pump(30);
    INPUT inputs[] = {MouseInput(MOUSEEVENTF_LEFTDOWN, x, y), MouseInput(MOUSEEVENTF_LEFTUP, x, y)};
    SendInput(2, inputs, sizeof(INPUT));
    Pump(100);
}

bool MakeForeground(HWND hwnd) {
    SetForegroundWindow(hwnd);
    const DWORD end = GetTickCount() + 3000;
    while (GetForegroundWindow() != hwnd && static_cast<LONG>(end - GetTickCount()) > 0) Pump(10);
    return GetForegroundWindow() == hwnd;
}

POINT CenterOnScreen(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT ClientPointOnScreen(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

}  // namespace

TEST(FormInput, TabMovesFocusInTabOrderWithFocusEvents) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmFields>();
    form.Show();
    ASSERT_TRUE(MakeForeground(form.hWnd()));
    form.FieldBoxes(0).SetFocus();
    Pump(50);
    Log().clear();
    TapKey(VK_TAB);
    Pump(100);
    TapKey(VK_TAB);
    Pump(100);
    EXPECT_EQ(GetFocus(), form.FieldBoxes(2).hWnd());
    TapKey(VK_TAB);  // out of the multi-line box too: no tab character goes in
    Pump(100);
    EXPECT_EQ(GetFocus(), form.Command1.hWnd());
    EXPECT_EQ(form.FieldBoxes(2).Text(), L"");
    TapKey(VK_TAB, {VK_SHIFT});
    Pump(100);
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
    Pump(50);
    Log().clear();
    for (WORD key : {'A', 'B', 'C'}) TapKey(key);
    Pump(150);
    EXPECT_EQ(form.FieldBoxes(1).Text(), L"ab");
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"FieldBoxes_Change 1", L"FieldBoxes_Change 1"}));
    // Enter in the multi-line box starts a new line.
    form.FieldBoxes(2).SetFocus();
    TapKey('X');
    TapKey(VK_RETURN);
    TapKey('Y');
    Pump(150);
    EXPECT_EQ(form.FieldBoxes(2).Text(), L"x\r\ny");
}

TEST(FormInput, ClicksAndAccessKeysReachButtonsAndLabels) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    ASSERT_TRUE(MakeForeground(form.hWnd()));
    Log().clear();
    const POINT button = CenterOnScreen(form.Command1.hWnd());
    ClickAt(button.x, button.y);
    Pump(100);
    const RECT label = form.Label1.PixelRect();
    const POINT onLabel = ClientPointOnScreen(form.hWnd(), label.left + 4, label.top + 4);
    ClickAt(onLabel.x, onLabel.y);
    Pump(100);
    form.Text1.SetFocus();
    TapKey('G', {VK_MENU});
    Pump(100);
    // The scroll bar's right arrow moves by SmallChange.
    RECT bar;
    GetWindowRect(form.HScroll1.hWnd(), &bar);
    ClickAt(bar.right - 4, (bar.top + bar.bottom) / 2);
    Pump(100);
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
    const POINT option = CenterOnScreen(form.Option1(1).hWnd());
    ClickAt(option.x, option.y);
    Pump(100);
    EXPECT_FALSE(form.Option1(1).Value());
    EXPECT_TRUE(Log().empty());
    form.Frame1.Enabled(true);
    ClickAt(option.x, option.y);
    Pump(100);
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
    INPUT move = MouseInput(0, thumbX, y);
    SendInput(1, &move, sizeof(INPUT));
    Pump(30);
    INPUT drag[] = {MouseInput(MOUSEEVENTF_LEFTDOWN, thumbX, y), MouseInput(0, thumbX + 40, y),
                    MouseInput(0, thumbX + 60, y), MouseInput(MOUSEEVENTF_LEFTUP, thumbX + 60, y)};
    SendInput(4, drag, sizeof(INPUT));
    Pump(200);
    ASSERT_FALSE(scrolls.empty());
    EXPECT_GT(form.HScroll1.Value(), 0);
    EXPECT_EQ(scrolls.back(), form.HScroll1.Value());
    EXPECT_EQ(changes, 1);

    // A custom mouse pointer over a windowless label.
    HCURSOR cross = CopyCursor(LoadCursorW(nullptr, IDC_CROSS));
    form.Label1.MousePointer(rt::MousePointer::Custom).MouseIcon(rt::StdPicture::FromIcon(cross));
    const RECT label = form.Label1.PixelRect();
    const POINT over = ClientPointOnScreen(form.hWnd(), label.left + 5, label.top + 5);
    INPUT hover[] = {MouseInput(0, over.x, over.y), MouseInput(0, over.x + 1, over.y)};
    SendInput(2, hover, sizeof(INPUT));
    Pump(100);
    EXPECT_EQ(GetCursor(), form.Label1.MouseIcon()->Icon());
}
