// Forms with real windows: geometry from twips, colours and fonts read back, events in order,
// the single global instance, unloading and loading afresh, modal showing, the end statement.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "runtime/forms/Forms.h"
#include "runtime/gdi/Screen.h"
#include "tests/runtime/forms/FormTestForms.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/GdiCount.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"

using namespace form_tests;
using testing_support::CaptureClient;
using testing_support::PumpFor;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

// Unloads whatever a test left loaded and lets the retired objects go.
struct FormsCleanup {
    ~FormsCleanup() {
        for (rt::Form* form : rt::Forms::detail::Loaded()) form->Unload();
        PumpPending();
    }
};

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT TwipsRect(double left, double top, double width, double height) {
    const int x = rt::TwipsToPixelsX(left);
    const int y = rt::TwipsToPixelsY(top);
    return RECT{x, y, x + rt::TwipsToPixelsX(width), y + rt::TwipsToPixelsY(height)};
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

LOGFONTW FontOf(HWND hwnd) {
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

void CALLBACK CloseFieldsLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    Log().push_back(L"closing");
    SendMessageW(rt::Forms::Get<frmFields>().Command1.hWnd(), BM_CLICK, 0, 0);
}

void CALLBACK CloseSampleLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageW(rt::Forms::Get<frmSample>().hWnd(), WM_CLOSE, 0, 0);
}

BOOL CALLBACK FindToolTip(HWND hwnd, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (std::wstring(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = hwnd;
    return TRUE;
}

}  // namespace

TEST(Form, DefinedWindowAppearsWithItsGeometryColoursAndFonts) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    PumpPending();
    HWND hwnd = form.hWnd();
    ASSERT_TRUE(IsWindowVisible(hwnd));

    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, rt::TwipsToPixelsX(6000));
    EXPECT_EQ(client.bottom, rt::TwipsToPixelsY(4500));
    EXPECT_EQ(testing_support::WindowText(hwnd), L"Sample");
    // Centred on the screen.
    RECT window;
    GetWindowRect(hwnd, &window);
    EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);

    // Windowed controls sit where their twips say, inside their containers.
    EXPECT_TRUE(SameRect(ChildRect(form.Text1.hWnd()), TwipsRect(1800, 120, 1500, 315)));
    EXPECT_TRUE(SameRect(ChildRect(form.Command1.hWnd()), TwipsRect(3600, 120, 1200, 375)));
    EXPECT_TRUE(SameRect(ChildRect(form.Frame1.hWnd()), TwipsRect(120, 1320, 2400, 1500)));
    EXPECT_TRUE(SameRect(ChildRect(form.Option1(2).hWnd()), TwipsRect(120, 300 + 720, 1500, 315)));
    EXPECT_EQ(GetParent(form.Option1(2).hWnd()), form.Frame1.hWnd());
    EXPECT_TRUE(SameRect(ChildRect(form.File1.hWnd()), TwipsRect(2100, 3120, 1800, 1260)));

    // Colours read back as pixels.
    form.Refresh();
    const auto pixels = CaptureClient(hwnd);
    const RECT label = TwipsRect(120, 120, 1200, 300);
    EXPECT_EQ(pixels.At(label.right - 3, label.bottom - 3), RGB(0, 255, 0));  // opaque label
    const RECT shape = TwipsRect(60, 60, 1500, 600);
    EXPECT_EQ(pixels.At(shape.right - 5, shape.bottom - 5), RGB(0xC0, 0xFF, 0xC0));  // shape background
    EXPECT_EQ(pixels.At(shape.left, shape.bottom - 5), RGB(0xFF, 0xFF, 0x00));       // its border
    EXPECT_EQ(pixels.At(client.right - 3, client.bottom - 3), RGB(0x80, 0x80, 0xFF));  // form back colour
    EXPECT_EQ(pixels.At(rt::TwipsToPixelsX(3000), rt::TwipsToPixelsY(3000)), RGB(255, 0, 0));  // the line
    const auto text = CaptureClient(form.Text1.hWnd());
    EXPECT_EQ(text.At(text.width - 2, text.height - 2), RGB(0xC0, 0xFF, 0xC0));
    const auto button = CaptureClient(form.Command1.hWnd());
    EXPECT_EQ(button.At(button.width / 2, button.height - 4), RGB(0xFF, 0xC0, 0xFF));  // graphical style
    const auto box = CaptureClient(form.Picture1.hWnd());
    EXPECT_EQ(box.At(box.width - 3, box.height - 3), RGB(0, 0, 0));

    // Controls without a font of their own inherit the form's.
    const LOGFONTW font = FontOf(form.Text1.hWnd());
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfHeight, -MulDiv(10, GetDeviceCaps(rt::WindowDC(nullptr).get(), LOGPIXELSY), 72));
    form.Check1.Font(L"Tahoma", 12);
    EXPECT_STREQ(FontOf(form.Check1.hWnd()).lfFaceName, L"Tahoma");
    EXPECT_EQ(form.Text1.Font()->Name(), L"Arial");
}

TEST(Form, GetLoadsOnceAndTheCloseBoxUnloadsSoTheNextUseLoadsAfresh) {
    FormsCleanup cleanup;
    Log().clear();
    EXPECT_FALSE(rt::Forms::IsLoaded<frmSample>());
    auto* first = &rt::Forms::Get<frmSample>();
    first->Text1.Text(L"typed");
    EXPECT_EQ(&rt::Forms::Get<frmSample>(), first);
    first->Show();
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Form_Load", L"Text1_Change"}));

    // QueryUnload may keep the window.
    Log().clear();
    first->KeepOpen = 1;
    SendMessageW(first->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(rt::Forms::IsLoaded<frmSample>());
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Form_QueryUnload 0"}));

    Log().clear();
    first->KeepOpen = 0;
    HWND oldWindow = first->hWnd();
    SendMessageW(oldWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Form_QueryUnload 0", L"Form_Unload"}));
    EXPECT_FALSE(rt::Forms::IsLoaded<frmSample>());
    EXPECT_FALSE(IsWindow(oldWindow));
    PumpPending();

    Log().clear();
    auto& second = rt::Forms::Get<frmSample>();
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Form_Load"}));
    EXPECT_EQ(second.Text1.Text(), L"abc");  // the definition's text, not the typed one
}

TEST(Form, HideKeepsStateAndShowDoesNotLoadAgain) {
    FormsCleanup cleanup;
    Log().clear();
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    form.Text1.Text(L"kept");
    form.Option1(1).Value(true);
    form.Hide();
    EXPECT_FALSE(form.Visible());
    PumpPending();
    rt::Forms::Get<frmSample>().Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.Text1.Text(), L"kept");
    EXPECT_TRUE(form.Option1(1).Value());
    EXPECT_EQ(std::count(Log().begin(), Log().end(), L"Form_Load"), 1);
}

TEST(Form, ControlEventsFireForClicksValuesAndMenuCommands) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    Log().clear();

    SendMessageW(form.Command1.hWnd(), BM_CLICK, 0, 0);
    form.Text1.Text(L"x");
    form.Text1.Text(L"x");  // the same text again is no change
    form.Option1(0).Value(true);
    form.Option1(2).Value(true);
    SendMessageW(form.hWnd(), WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(form.HScroll1.hWnd()));
    const RECT label = TwipsRect(120, 120, 1200, 300);
    SendMessageW(form.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(label.left + 5, label.top + 5));
    SendMessageW(form.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(label.left + 5, label.top + 5));
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(form.mnuOpen.CommandId(), 0), 0);

    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Command1_Click abc", L"Text1_Change", L"Option1_Click 0",
                                                L"Option1_Click 2", L"HScroll1_Change 15", L"Label1_Click",
                                                L"mnuOpen_Click"}));
    EXPECT_FALSE(form.Option1(0).Value());
    EXPECT_EQ(SendMessageW(form.Option1(0).hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(form.Option1(2).hWnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetScrollPos(form.HScroll1.hWnd(), SB_CTL), 15);

    // Combo box: setting the index raises Click, and Text follows.
    int clicks = 0;
    form.Combo1.Click = [&] { ++clicks; };
    form.Combo1.ListIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.Combo1.Text(), L"*.*");
    form.Combo1.Clear();
    EXPECT_EQ(form.Combo1.ListCount(), 0);
    EXPECT_EQ(form.Combo1.ListIndex(), -1);

    // Check box: Click whenever the value changes.
    int checks = 0;
    form.Check1.Click = [&] { ++checks; };
    SendMessageW(form.Check1.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.Check1.Value(), rt::CheckBox::kChecked);
    form.Check1.Value(rt::CheckBox::kUnchecked);
    EXPECT_EQ(checks, 2);
    EXPECT_THROW(form.HScroll1.Value(400), rt::RuntimeError);
}

TEST(Form, TimerTicksAtItsIntervalAndNeverAtZero) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    Log().clear();
    PumpFor(200);  // the time is the subject: no tick comes in 200 ms
    EXPECT_TRUE(Log().empty());  // interval 0
    form.Timer1.Interval(30);
    EXPECT_TRUE(PumpUntil([] { return Log().size() >= 3; }));
    form.Timer1.Enabled(false);
    PumpPending();
    Log().clear();
    PumpFor(150);  // the time is the subject: no tick comes in 150 ms
    EXPECT_TRUE(Log().empty());
}

TEST(Form, ModalShowReturnsOnlyAfterTheWindowCloses) {
    FormsCleanup cleanup;
    Log().clear();
    auto& owner = rt::Forms::Get<frmSample>();
    owner.Show();
    Log().clear();
    // Close the modal window from inside its own loop, after a while.
    SetTimer(nullptr, 0, 150, CloseFieldsLater);
    auto& fields = rt::Forms::Get<frmFields>();
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    fields.Show(rt::ShowMode::Modal, &owner);
    Log().push_back(L"returned");
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"frmFields Form_Load", L"closing", L"Command1_Click",
                                                L"after Unload still here", L"returned"}));
    EXPECT_FALSE(rt::Forms::IsLoaded<frmFields>());
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
}

TEST(Form, OwnerAndPlacementFollowTheDefinition) {
    FormsCleanup cleanup;
    auto& owner = rt::Forms::Get<frmSample>();
    owner.Show();
    auto& fields = rt::Forms::Get<frmFields>();
    fields.Show(rt::ShowMode::Modeless, &owner);
    EXPECT_EQ(GetWindow(fields.hWnd(), GW_OWNER), owner.hWnd());
    RECT ownerRect, fieldsRect;
    GetWindowRect(owner.hWnd(), &ownerRect);
    GetWindowRect(fields.hWnd(), &fieldsRect);
    EXPECT_NEAR((ownerRect.left + ownerRect.right) / 2, (fieldsRect.left + fieldsRect.right) / 2, 1);
    EXPECT_NEAR((ownerRect.top + ownerRect.bottom) / 2, (fieldsRect.top + fieldsRect.bottom) / 2, 1);
    const LONG_PTR style = GetWindowLongPtrW(fields.hWnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // Unloading the owner unloads the owned form first (Windows would destroy its window).
    Log().clear();
    owner.Unload();
    EXPECT_FALSE(rt::Forms::IsLoaded<frmFields>());
    EXPECT_FALSE(rt::Forms::IsLoaded<frmSample>());
}

TEST(Form, RunEndsWhenNoFormIsLoaded) {
    FormsCleanup cleanup;
    SetTimer(nullptr, 0, 100, CloseSampleLater);
    EXPECT_EQ(rt::Forms::Run<frmSample>(), 0);
    EXPECT_EQ(rt::Forms::LoadedCount(), 0);
}

TEST(Form, LoadingAndUnloadingLeaksNoGdiObjects) {
    {
        FormsCleanup warmUp;
        rt::Forms::Get<frmSample>().Show();
        PumpPending();
    }
    const auto before = testing_support::GdiObjectCount();
    constexpr int kCycles = 15;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kCycles; ++i) {
        auto& form = rt::Forms::Get<frmSample>();
        form.Show();
        form.Refresh();
        form.Unload();
        PumpPending();
    }
    QueryPerformanceCounter(&end);
    PumpPending();
    EXPECT_LE(testing_support::GdiObjectCount(), before + 4);
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("[ figures  ] load, show, repaint and unload of the sample window: %.1f ms per cycle\n",
                ms / kCycles);
}

// The end statement ends the process at once: no unload handler runs. The child is this
// test program itself, asked to run only the probe below, which is disabled so that CTest
// does not run it (nor count it skipped) by itself.
TEST(Form, EndStatementEndsTheProgramAtOnce) {
    testing_support::TempFolder folder;
    const std::wstring marker = folder.File(L"unloaded.txt");
    SetEnvironmentVariableW(L"LUMESCA_END_PROBE", marker.c_str());
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    testing_support::ChildProcess child(L"\"" + std::wstring(exe) +
                                        L"\" --gtest_filter=FormEndProbe.* --gtest_also_run_disabled_tests");
    SetEnvironmentVariableW(L"LUMESCA_END_PROBE", nullptr);
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.WaitForExit(20000), 0u);
    EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);
}

namespace {
class frmEnd : public rt::Form {
public:
    explicit frmEnd() { Caption(L"End probe"); }
    std::wstring marker;

private:
    void Form_Unload(int&) override {
        HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
};
}  // namespace

TEST(FormEndProbe, DISABLED_Run) {
    wchar_t marker[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"LUMESCA_END_PROBE", marker, MAX_PATH)) GTEST_SKIP() << "runs as a child only";
    auto& form = rt::Forms::Get<frmEnd>();
    form.marker = marker;
    form.Show();
    rt::Forms::End();
    ADD_FAILURE() << "End returned";
}

TEST(Form, TextSelectionToolTipsAndImageSizeFollowTheirProperties) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    form.Text1.Text(L"123456");
    form.Text1.SelStart(2).SelLength(3);
    EXPECT_EQ(form.Text1.SelStart(), 2);
    EXPECT_EQ(form.Text1.SelLength(), 3);
    DWORD start = 0, end = 0;
    SendMessageW(form.Text1.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 5u);

    form.Command1.ToolTipText(L"See Slider Show");
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindToolTip, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), form.hWnd());
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    // An image box takes its picture's size.
    HBITMAP bitmap = CreateBitmap(20, 10, 1, 32, nullptr);
    form.Image1.Picture(rt::StdPicture::FromBitmap(bitmap));
    EXPECT_DOUBLE_EQ(form.Image1.Width(), rt::PixelsToTwipsX(20));
    EXPECT_DOUBLE_EQ(form.Image1.Height(), rt::PixelsToTwipsY(10));
    form.Image1.Picture(nullptr);
    EXPECT_DOUBLE_EQ(form.Image1.Width(), rt::PixelsToTwipsX(20));

    // Disabled and hidden controls.
    form.Command1.Enabled(false).Visible(false);
    EXPECT_FALSE(IsWindowEnabled(form.Command1.hWnd()));
    EXPECT_FALSE(IsWindowVisible(form.Command1.hWnd()));
    EXPECT_THROW(form.Command1.SetFocus(), rt::RuntimeError);
}

TEST(Form, ScrollRequestsStepAndStayInRange) {
    using rt::HScrollBar;
    EXPECT_EQ(HScrollBar::Scrolled(SB_LINERIGHT, 0, 0, 360, 1, 15, 0), 1);
    EXPECT_EQ(HScrollBar::Scrolled(SB_PAGERIGHT, 350, 0, 360, 1, 15, 0), 360);
    EXPECT_EQ(HScrollBar::Scrolled(SB_PAGELEFT, 10, 0, 360, 1, 15, 0), 0);
    EXPECT_EQ(HScrollBar::Scrolled(SB_LINELEFT, 0, 0, 360, 1, 15, 0), 0);
    EXPECT_EQ(HScrollBar::Scrolled(SB_THUMBTRACK, 0, 0, 360, 1, 15, 200), 200);
    EXPECT_EQ(HScrollBar::Scrolled(SB_RIGHT, 5, 0, 360, 1, 15, 0), 360);
    EXPECT_EQ(HScrollBar::Scrolled(SB_ENDSCROLL, 5, 0, 360, 1, 15, 0), 5);
}
