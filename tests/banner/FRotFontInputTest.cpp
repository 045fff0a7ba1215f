// The banner screen with real windows, real input and real dialogs.
#include "banner/FRotFont.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include "banner/Form3.h"
#include "media/Form14.h"
#include "runtime/forms/Forms.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/Screen.h"
#include "tests/banner/BannerTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FramePictures.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PictureFiles.h"

using namespace testing_support;
using banner_tests::ColourSpot;
using banner_tests::FindColour;

namespace {

constexpr COLORREF kFirstPrint = RGB(255, 128, 0);  // 0x000080FF
constexpr COLORREF kSwatch = RGB(222, 18, 105);     // 0x006912DE
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

struct BannerFixture {
    BannerFixture() {
        banner.Show();
        PumpUntil([&] { return IsWindowVisible(banner.hWnd()) != FALSE; });
        MakeForeground(banner.hWnd());
        PumpPending();
    }
    ~BannerFixture() {
        if (rt::Forms::IsLoaded<Form14>()) rt::Forms::Get<Form14>().Unload();
        if (rt::Forms::IsLoaded<Form3>()) rt::Forms::Get<Form3>().Unload();
        if (rt::Forms::IsLoaded<FRotFont>()) rt::Forms::Get<FRotFont>().Unload();
        PumpPending();
    }
    Pixels Picture() { return PicturePixels(*banner.Picture1.Image()); }
    // A real click at a pixel of the picture's client area.
    void ReleaseAt(int x, int y) {
        POINT p{x, y};
        ClientToScreen(banner.Picture1.hWnd(), &p);
        ClickAt(p.x, p.y);
        PumpPending();
    }
    // A print through the release handler at a pixel, with nothing but the line on the picture.
    ColourSpot PrintAlone(COLORREF colour) {
        banner.Command1_Click();
        banner.Picture1_MouseUp(rt::kLeftButton, 0, 200 * 15.0, 200 * 15.0);
        return FindColour(Picture(), colour);
    }
    FRotFont& banner = rt::Forms::Get<FRotFont>();
};

TEST(FRotFont, AReleasePrintsTheLineThereTurnedAndItSurvivesCovering) {
    BannerFixture f;
    f.ReleaseAt(300, 300);
    ColourSpot line = FindColour(f.Picture(), kFirstPrint);
    ASSERT_GT(line.count, 50);
    EXPECT_GE(line.bounds.left, 298);
    EXPECT_GE(line.bounds.top, 298);
    EXPECT_LE(line.bounds.bottom, 332) << "one line, running right from the point";
    EXPECT_GT(line.bounds.right, 600);

    // Covered and uncovered, the kept drawing comes back (over a box drawn on the window only).
    HDC dc = GetDC(f.banner.Picture1.hWnd());
    const RECT box{0, 0, 2000, 2000};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(f.banner.Picture1.hWnd(), dc);
    ASSERT_EQ(FindColour(CaptureClient(f.banner.Picture1.hWnd()), kFirstPrint).count, 0);
    banner_tests::CoverAndUncover(f.banner.Picture1.hWnd());
    EXPECT_GT(FindColour(CaptureClient(f.banner.Picture1.hWnd()), kFirstPrint).count, 50);

    f.banner.Command1_Click();
    f.banner.HScroll1.Value(90);
    EXPECT_EQ(f.banner.Label1.Caption(), L"&旋转角度: (90)");
    f.ReleaseAt(300, 500);
    line = FindColour(f.Picture(), kSwatch);
    ASSERT_GT(line.count, 50);
    EXPECT_LE(line.bounds.bottom, 502) << "at 90 degrees the line runs upward";
    EXPECT_LT(line.bounds.top, 200);
    EXPECT_GE(line.bounds.left, 297);
    EXPECT_LE(line.bounds.right, 335);
}

TEST(FRotFont, PrintsUseTheSwatchAsItWasAtTheEndOfThePrintBeforeAndCancelSaysChooseAgain) {
    BannerFixture f;
    EXPECT_GT(f.PrintAlone(kFirstPrint).count, 50);
    EXPECT_GT(f.PrintAlone(kSwatch).count, 50);
    {
        DialogAnswers answers({ChooseColour(RGB(0, 200, 0))});
        f.banner.Command2_Click();
        EXPECT_TRUE(answers.Done());
    }
    EXPECT_EQ(f.banner.Text2.BackColor(), static_cast<OLE_COLOR>(RGB(0, 200, 0)));
    ColourSpot next = f.PrintAlone(kSwatch);
    EXPECT_GT(next.count, 50) << "the print right after the choice keeps the old colour";
    EXPECT_EQ(FindColour(f.Picture(), RGB(0, 200, 0)).count, 0);
    EXPECT_GT(f.PrintAlone(RGB(0, 200, 0)).count, 50);

    std::wstring message;
    {
        DialogAnswers answers({Cancel(), banner_tests::ReadMessageBox(message)});
        f.banner.Command2_Click();
        EXPECT_TRUE(answers.Done());
    }
    EXPECT_NE(message.find(L"取消后重选"), std::wstring::npos) << message;
    EXPECT_EQ(f.banner.Text2.BackColor(), static_cast<OLE_COLOR>(RGB(0, 200, 0)));
}

TEST(FRotFont, AutomaticStepsTurnAndColourTheLineAndClearAtFullTurns) {
    BannerFixture f;
    f.banner.Text3.Text(L"60000");  // the test drives the steps itself
    f.banner.HScroll1.Value(100);
    f.banner.Picture1_MouseUp(0, 0, 3000, 3000);
    f.banner.Check1.Value(rt::CheckBox::kChecked);
    EXPECT_EQ(f.banner.HScroll1.Value(), 0);
    EXPECT_FALSE(f.banner.HScroll1.Enabled());
    EXPECT_TRUE(f.banner.Timer1.Enabled());
    EXPECT_EQ(f.banner.Timer1.Interval(), 60000);
    EXPECT_EQ(FindColour(f.Picture(), kFirstPrint).count, 0) << "ticking the box clears the picture";

    f.banner.Timer1_Timer();
    EXPECT_EQ(f.banner.HScroll1.Value(), 15);
    EXPECT_EQ(f.banner.LogFont().Rotation(), 15.0f);
    EXPECT_GT(FindColour(f.Picture(), kRed).count, 50);
    f.banner.Timer1_Timer();
    EXPECT_GT(FindColour(f.Picture(), kGreen).count, 50);
    f.banner.Timer1_Timer();
    EXPECT_EQ(f.banner.HScroll1.Value(), 45);
    EXPECT_GT(FindColour(f.Picture(), kBlue).count, 50);

    f.banner.HScroll1.Value(345);
    f.banner.Picture1_MouseUp(0, 0, 3000, 3000);  // something for the clearing to remove
    f.banner.Timer1_Timer();
    EXPECT_EQ(f.banner.HScroll1.Value(), 360);
    Pixels at360 = f.Picture();
    EXPECT_GT(FindColour(at360, kBlue).count, 50);
    EXPECT_EQ(FindColour(at360, kRed).count + FindColour(at360, kGreen).count, 0);
    EXPECT_EQ(FindColour(at360, kSwatch).count, 0);

    f.banner.Timer1_Timer();
    EXPECT_EQ(f.banner.HScroll1.Value(), 0);
    Pixels at0 = f.Picture();
    EXPECT_EQ(FindColour(at0, kBlue).count, 0);
    EXPECT_GT(FindColour(at0, kSwatch).count, 50);
}

TEST(FRotFont, IntervalBelowOneShowsOneAndNoStepsHappen) {
    BannerFixture f;
    f.banner.Text3.Text(L"0");
    f.banner.Check1.Value(rt::CheckBox::kChecked);
    EXPECT_EQ(f.banner.Text3.Text(), L"1");
    EXPECT_EQ(f.banner.Timer1.Interval(), 0);
    PumpFor(300);  // the time is the subject: the bar stays without the timer
    EXPECT_EQ(f.banner.HScroll1.Value(), 0);
    f.banner.Text3.Text(L"fast");
    f.banner.Check1_Click();
    EXPECT_EQ(f.banner.Text3.Text(), L"1");
    EXPECT_EQ(f.banner.Timer1.Interval(), 1) << "clicked again, the box's 1 gives a running timer";
}

// The scroll bar's drag runs a modal loop of its own: a thread timer, which that loop
// dispatches, moves the pointer, notes what the drag shows and then lets the button go.
struct DragWatch {
    FRotFont* banner = nullptr;
    POINT from = {};
    std::wstring caption;
    float rotation = -1;
    int ticks = 0;
    bool endTaken = false;
    int movesTaken = 0;  // since the last move sent
};
DragWatch g_drag;

// Lets go after 20 s at the latest, so a drag that shows nothing cannot hang the test.
constexpr int kMostTicks = 650;
constexpr int kDragPixels = 120;

// The loop hands every message it takes to the message filter before it acts on it; a move
// to the drag's end seen here is handled by the time the loop takes anything after it.
LRESULT CALLBACK WatchTrackLoop(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_SCROLLBAR && msg->message == WM_MOUSEMOVE) {
        POINT at{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        ClientToScreen(msg->hwnd, &at);
        g_drag.endTaken = at.x == g_drag.from.x + kDragPixels;
        ++g_drag.movesTaken;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void SendMove(int dx) {
    g_drag.movesTaken = 0;
    SendInputs({MouseInput(0, POINT{g_drag.from.x + dx, g_drag.from.y})});
}

// The input is only sent: the loop itself must take it, as it takes a user's. Under Wine the
// X server's late report of an earlier place of the pointer can overtake the last move, so the
// loop then takes that place instead; the pointer, still at the end, is sent there again.
void CALLBACK WatchDrag(HWND, UINT, UINT_PTR timer, DWORD) {
    ++g_drag.ticks;
    if (g_drag.ticks <= 2) {
        SendMove(kDragPixels * g_drag.ticks / 2);
        return;
    }
    if (!g_drag.endTaken && g_drag.ticks < kMostTicks) {
        if (g_drag.movesTaken > 0) SendMove(kDragPixels);
        return;
    }
    const std::wstring shown = g_drag.banner->Label1.Caption();
    if (shown.rfind(L"&Output Angle (", 0) == 0) {
        g_drag.caption = shown;
        g_drag.rotation = g_drag.banner->LogFont().Rotation();
    }
    KillTimer(nullptr, timer);
    SendInputs({MouseInput(MOUSEEVENTF_LEFTUP, POINT{g_drag.from.x + kDragPixels, g_drag.from.y})});
}

TEST(FRotFont, DraggingTheThumbShowsTheOutputAngleAndTheReleaseTurnsTheFont) {
    BannerFixture f;
    SCROLLBARINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetScrollBarInfo(f.banner.HScroll1.hWnd(), OBJID_CLIENT, &info));
    const int thumbX = info.rcScrollBar.left + (info.xyThumbTop + info.xyThumbBottom) / 2;
    const int y = (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2;
    g_drag = DragWatch{};
    g_drag.banner = &f.banner;
    g_drag.from = POINT{thumbX, y};
    HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, WatchTrackLoop, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, WatchDrag);
    MouseDownAt(thumbX, y);
    const bool released = PumpUntil([&] { return f.banner.Label1.Caption().rfind(L"&旋转角度: (", 0) == 0; });
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(released);
    const int n = f.banner.HScroll1.Value();
    EXPECT_GT(n, 0);
    EXPECT_EQ(g_drag.caption, L"&Output Angle (" + std::to_wstring(n) + L"):");
    EXPECT_EQ(g_drag.rotation, 0.0f) << "the angle waits for the release";
    EXPECT_EQ(f.banner.Label1.Caption(), L"&旋转角度: (" + std::to_wstring(n) + L")");
    EXPECT_EQ(f.banner.LogFont().Rotation(), static_cast<float>(n));
}

void ExpectLayout(FRotFont& banner) {
    const double w = banner.ScaleWidth();
    EXPECT_EQ(banner.HScroll1.Width(), w - 30);
    EXPECT_EQ(banner.Picture1.Left(), 30);
    EXPECT_EQ(banner.Picture1.Top(), -30);
    EXPECT_EQ(banner.Picture1.Width(), w - 30);
    EXPECT_EQ(banner.Picture1.Height(), banner.ScaleHeight() - 730);
    EXPECT_EQ(banner.Command1.Left(), w - 30 - 1005 - 230);
    EXPECT_EQ(banner.Check1.Left(), w - 30 - 1575 - 1250);
    EXPECT_NEAR(rt::Forms::Get<Form3>().Left(), w - 30 - 3165 - 50, 15);
}

TEST(FRotFont, LayoutFollowsTheSizeAndSurvivesMinimising) {
    BannerFixture f;
    ASSERT_EQ(f.banner.ScaleWidth(), 15240);
    ASSERT_EQ(f.banner.ScaleHeight(), 10815);
    EXPECT_EQ(f.banner.Picture1.Height(), 10085);
    ExpectLayout(f.banner);
    EXPECT_FALSE(rt::Forms::Get<Form3>().Visible()) << "reading its width loads the designer, unshown";
    f.banner.WindowState(rt::WindowState::Minimized);
    PumpPending();
    f.banner.WindowState(rt::WindowState::Normal);
    PumpPending();
    ExpectLayout(f.banner);
    SetWindowPos(f.banner.hWnd(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    EXPECT_LT(f.banner.ScaleWidth(), 15240);
    ExpectLayout(f.banner);
}

TEST(FRotFont, ABadBackgroundIsRefusedInChineseAndACancelledChoiceChangesNothing) {
    BannerFixture f;
    TempFolder folder;
    ASSERT_TRUE(WritePatternBmp(folder.File(L"good.bmp"), 40, 30));
    ASSERT_TRUE(WriteBytes(folder.File(L"bad.bmp"), "this is not a picture"));
    f.banner.LoadBackground(folder.File(L"good.bmp"));
    const rt::PictureRef before = f.banner.Picture1.Picture();
    ASSERT_TRUE(before);

    std::wstring message;
    {
        DialogAnswers answers({banner_tests::ReadMessageBox(message)});
        f.banner.LoadBackground(folder.File(L"bad.bmp"));
        EXPECT_TRUE(answers.Done());
    }
    EXPECT_NE(message.find(L"bad.bmp"), std::wstring::npos) << message;
    EXPECT_NE(message.find(L"不是可以显示的图片文件"), std::wstring::npos) << message;
    EXPECT_EQ(message.find(L"Invalid"), std::wstring::npos) << message;
    EXPECT_NE(message.find(L"背景图片保持不变"), std::wstring::npos) << message;
    EXPECT_EQ(f.banner.Picture1.Picture(), before);
    EXPECT_EQ(f.Picture().At(10, 10), PatternColor(10, 10));

    f.banner.Picture1_MouseUp(0, 0, 1500, 1500);
    PumpPending();
    const Pixels shown = CaptureClient(f.banner.Picture1.hWnd());
    {
        DialogAnswers answers({Cancel()});
        f.banner.Command5_Click();
        EXPECT_TRUE(answers.Done());
    }
    PumpPending();
    EXPECT_EQ(f.banner.Picture1.Picture(), before);
    EXPECT_TRUE(CaptureClient(f.banner.Picture1.hWnd()).bgra == shown.bgra) << "background and lines stay";

    f.banner.LoadBackground(L"");
    EXPECT_FALSE(f.banner.Picture1.Picture()) << "an empty name removes the background";
}

// The hidden 保存图像 refuses a hidden file as every save of the program does.
TEST(FRotFont, SavingThePictureOverAHiddenFileIsRefusedAndLeavesItsBytes) {
    BannerFixture f;
    TempFolder folder;
    const std::wstring target = folder.File(L"hidden.bmp");
    ASSERT_TRUE(WriteBytes(target, "the user's hidden file"));
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
    std::wstring message;
    {
        DialogAnswers answers({ChooseFile(target), banner_tests::ReadMessageBox(message)});
        f.banner.Command4_Click();
        EXPECT_TRUE(answers.Done());
    }
    EXPECT_NE(message.find(L"该文件是隐藏文件，不能覆盖"), std::wstring::npos) << message;
    EXPECT_EQ(FileBytes(target), "the user's hidden file");
}

// True when upper lies above lower among the top-level windows.
bool Above(HWND upper, HWND lower) {
    for (HWND next = GetWindow(upper, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
        if (next == lower) return true;
    return false;
}

TEST(FRotFont, TheAngleBarShowsWholeAboveThePictureAndEachTakesTheClicksOnWhatShows) {
    BannerFixture f;
    RECT bar, picture;
    GetWindowRect(f.banner.HScroll1.hWnd(), &bar);
    GetWindowRect(f.banner.Picture1.hWnd(), &picture);
    ASSERT_GT(picture.bottom, bar.top + 8) << "the laid-out picture reaches over the bar";
    RedrawWindow(f.banner.Picture1.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const int x = bar.left + (bar.right - bar.left) * 3 / 4;  // the trough, right of the thumb
    const Pixels screen = SettledScreen(bar);
    int blackRows = 0;
    for (int y = bar.top; y < bar.bottom; ++y) blackRows += screen.At(x, y) == RGB(0, 0, 0);
    EXPECT_EQ(blackRows, 0) << "rows of the bar painted over by the picture";

    Click(POINT{x, bar.top + 2});
    EXPECT_EQ(f.banner.HScroll1.Value(), 15) << "a click on the bar's top pages it";
    EXPECT_EQ(FindColour(f.Picture(), kFirstPrint).count, 0);
    Click(POINT{x, bar.top - 3});
    EXPECT_GT(FindColour(f.Picture(), kFirstPrint).count, 20) << "a click on the picture just above prints";
    EXPECT_EQ(f.banner.HScroll1.Value(), 15);
}

TEST(FRotFont, TheDesignerStaysAboveTheBannerWhereverTheBannerIsClicked) {
    BannerFixture f;
    f.banner.Command3_Click();
    Form3& designer = rt::Forms::Get<Form3>();
    PumpPending();
    HWND picture = f.banner.Picture1.hWnd();
    RECT client;
    GetClientRect(f.banner.hWnd(), &client);
    const POINT places[] = {OnScreen(picture, 50, 50),          OnScreen(picture, 600, 100),
                            OnScreen(picture, 300, 400),        OnScreen(picture, 100, 500),
                            CentreOf(f.banner.Text1.hWnd()),    CentreOf(f.banner.Text3.hWnd()),
                            CentreOf(f.banner.HScroll1.hWnd()), OnScreen(f.banner.hWnd(), 20, client.bottom - 5),
                            CentreOf(f.banner.Command1.hWnd()), CentreOf(picture)};
    for (const POINT& at : places) {
        Click(at);
        // The click raises and activates the banner; the owned form is put back above it by a
        // pass the message loop runs after that.
        EXPECT_TRUE(PumpUntil([&] { return Above(designer.hWnd(), f.banner.hWnd()); }))
            << "after a click at " << at.x << ", " << at.y;
        EXPECT_EQ(rt::Form::FromHwnd(WindowFromPoint(CentreOf(designer.hWnd()))), &designer);
    }
    Click(CentreOf(designer.Command1.hWnd()));
    EXPECT_TRUE(PumpUntil([&] { return Above(designer.hWnd(), f.banner.hWnd()); })) << "after painting the banner";
    // Activating the banner would let a quick second click through to it, above the designer.
    EXPECT_EQ(GetActiveWindow(), designer.hWnd()) << "the banner took the activation from the designer";
    // The banner's own 背景颜色 brings the open designer forward with the focus in it.
    Click(CentreOf(f.banner.Text1.hWnd()));
    ASSERT_EQ(GetActiveWindow(), f.banner.hWnd());
    Click(CentreOf(f.banner.Command3.hWnd()));
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == designer.hWnd(); }));
    EXPECT_TRUE(IsChild(designer.hWnd(), GetFocus()) || GetFocus() == designer.hWnd());
    EXPECT_TRUE(Above(designer.hWnd(), f.banner.hWnd()));
}

// Maximised, the picture reaches over the whole bottom row; the row stays in front of it.
TEST(FRotFont, MaximisedOrNotTheColouredButtonsAndTheModeBoxTakeRealClicks) {
    BannerFixture f;
    // Steps every 10 ms over a maximised picture can outrun the message loop: none while clicking.
    f.banner.Text3.Text(L"60000");
    for (const rt::WindowState state : {rt::WindowState::Maximized, rt::WindowState::Normal}) {
        SCOPED_TRACE(state == rt::WindowState::Maximized ? "maximised" : "restored");
        f.banner.WindowState(state);
        PumpPending();
        RECT hint = {0, 0, rt::TwipsToPixelsX(f.banner.Label2.Width()), rt::TwipsToPixelsY(f.banner.Label2.Height())};
        OffsetRect(&hint, rt::TwipsToPixelsX(f.banner.Label2.Left()), rt::TwipsToPixelsY(f.banner.Label2.Top()));
        MapWindowPoints(f.banner.hWnd(), nullptr, reinterpret_cast<POINT*>(&hint), 2);
        const Pixels screen = SettledScreen(hint);
        int black = 0;
        for (int y = hint.top; y < hint.bottom; ++y)
            for (int x = hint.left; x < hint.right; ++x) black += screen.At(x, y) == RGB(0, 0, 0);
        EXPECT_EQ(black, 0) << "the picture covers the hint label";
        // Only the labels are cut away: the picture keeps its sunken edge, right and bottom too.
        RECT picture;
        GetWindowRect(f.banner.Picture1.hWnd(), &picture);
        const COLORREF edge = GetSysColor(COLOR_BTNHIGHLIGHT);
        int edgeRows = 0;
        for (int y = picture.top + 10; y < picture.top + 110; ++y) edgeRows += screen.At(picture.right - 1, y) == edge;
        EXPECT_EQ(edgeRows, 100) << "the picture's right edge";
        rt::Region shape(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(f.banner.Picture1.hWnd(), shape.get()), ERROR);
        EXPECT_TRUE(PtInRegion(shape.get(), picture.right - picture.left - 1, picture.bottom - picture.top - 1))
            << "the picture's bottom right corner";
        const OLE_COLOR ink = f.banner.Picture1.ForeColor();
        f.banner.Picture1_MouseUp(0, 0, 3000, 3000);
        ASSERT_GT(FindColour(f.Picture(), ink).count, 50);
        Click(CentreOf(f.banner.Command1.hWnd()));
        EXPECT_EQ(FindColour(f.Picture(), ink).count, 0) << "请 空 clears";

        const COLORREF chosen = state == rt::WindowState::Maximized ? RGB(0, 100, 200) : RGB(200, 100, 0);
        DialogAnswers colour({ChooseColour(chosen)});
        Click(CentreOf(f.banner.Command2.hWnd()));
        EXPECT_TRUE(colour.Done());
        EXPECT_EQ(f.banner.Text2.BackColor(), static_cast<OLE_COLOR>(chosen));
        DialogAnswers open({Cancel()});
        Click(CentreOf(f.banner.Command5.hWnd()));
        EXPECT_TRUE(open.Done()) << "背景图片 opens its dialog";

        Click(CentreOf(f.banner.Check1.hWnd()));
        EXPECT_TRUE(f.banner.Timer1.Enabled());
        Click(CentreOf(f.banner.Check1.hWnd()));
        EXPECT_FALSE(f.banner.Timer1.Enabled());
        Click(CentreOf(f.banner.Command3.hWnd()));
        EXPECT_TRUE(rt::Forms::Get<Form3>().Visible());
        rt::Forms::Get<Form3>().Hide();
    }
}

TEST(FRotFont, HiddenButtonsStayHiddenAndMusicShowsTheMediaPlayer) {
    BannerFixture f;
    EXPECT_FALSE(IsWindowVisible(f.banner.Command4.hWnd()));
    EXPECT_FALSE(IsWindowVisible(f.banner.Command6.hWnd()));
    EXPECT_TRUE(SendMessageW(f.banner.hWnd(), WM_GETICON, ICON_BIG, 0));
    f.banner.Command6_Click();
    ASSERT_TRUE(rt::Forms::IsLoaded<Form14>());
    EXPECT_TRUE(rt::Forms::Get<Form14>().Visible());
    f.banner.Command3_Click();
    EXPECT_TRUE(rt::Forms::Get<Form3>().Visible());
    EXPECT_EQ(GetWindow(rt::Forms::Get<Form3>().hWnd(), GW_OWNER), f.banner.hWnd());
}

}  // namespace
