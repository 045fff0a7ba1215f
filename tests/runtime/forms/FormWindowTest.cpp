// The window side of forms: borderless windows at stored coordinates, icons, resizing,
// drawing that survives repaints, picture-box mouse and paint events, a handler that keeps
// running after its form was closed under it, and a form procedure that others subclass.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/forms/DoEvents.h"
#include "runtime/forms/Forms.h"
#include "runtime/gdi/Screen.h"
#include "tests/runtime/forms/FormTestForms.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"

using namespace form_tests;
using testing_support::CaptureClient;
using testing_support::PumpFor;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

bool g_canvasDeleted = false;

class frmCanvas : public rt::Form {
public:
    frmCanvas() {
        Caption(L"媒体播放器").ClientSize(3165, 1935).BackColor(0x00000000).ShowInTaskbar(false);
        BorderStyle(rt::FormBorderStyle::None).StartUpPosition(rt::StartUpPosition::Manual).Move(60, 8400);
        Place(Picture1, L"Picture1", 150, 150, 1500, 900).BackColor(0x00808080).BorderStyle(rt::BorderStyle::None);
        Place(Label1, L"Label1", 1800, 150, 1200, 300).Caption(L"over").BackStyle(rt::BackStyle::Transparent).ForeColor(0x00FFFFFF);
        Place(Timer1, L"Timer1").Interval(20).Enabled(false);
        Place(Label2, L"Label2", 1800, 600, 975, 1065).BackStyle(rt::BackStyle::Transparent).ForeColor(0x0080FFFF);
        Label2.Caption(L"选择界面皮肤后，必须重启本软件后方可换肤生效。").Font(L"宋体", 9, true, false, 134);
        Picture1.MouseUp = [this](int Button, int Shift, double X, double Y) {
            Log().push_back(L"Picture1_MouseUp " + std::to_wstring(Button) + L" " + std::to_wstring(Shift) + L" " +
                            std::to_wstring(static_cast<int>(X)) + L" " + std::to_wstring(static_cast<int>(Y)));
        };
        Picture1.Paint = [this] { ++Paints; };
        Timer1.Tick = [this] { Timer1_Timer(); };
    }
    ~frmCanvas() override { g_canvasDeleted = true; }

    rt::PictureBox Picture1;
    rt::Label Label1, Label2;
    rt::Timer Timer1;
    int Paints = 0;
    int Resizes = 0;
    bool Running = false;
    int FramesAfterClose = 0;

private:
    void Form_Resize() override { ++Resizes; }
    void Form_QueryUnload(int&, int) override { Running = false; }
    // A long animation that yields to the message loop, as the statement screen's does.
    void Timer1_Timer() {
        Timer1.Enabled(false);
        Running = true;
        PostMessageW(hWnd(), WM_CLOSE, 0, 0);
        for (int frame = 0; frame < 20 && Running; ++frame) {
            rt::DoEvents();
            Sleep(5);  // one frame of the animation: the time is the subject
        }
        FramesAfterClose = Running ? -1 : 1;
        Log().push_back(L"animation ended");
    }
};

struct FormsCleanup {
    ~FormsCleanup() {
        for (rt::Form* form : rt::Forms::detail::Loaded()) form->Unload();
        PumpPending();
    }
};

}  // namespace

TEST(FormWindow, BorderlessFormSitsAtItsStoredCoordinatesOutOfTheTaskbar) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmCanvas>();
    form.Show();
    RECT r;
    GetWindowRect(form.hWnd(), &r);
    EXPECT_EQ(r.left, rt::TwipsToPixelsX(60));
    EXPECT_EQ(r.top, rt::TwipsToPixelsY(8400));
    EXPECT_EQ(r.right - r.left, rt::TwipsToPixelsX(3165));
    EXPECT_EQ(r.bottom - r.top, rt::TwipsToPixelsY(1935));
    EXPECT_FALSE(GetWindowLongPtrW(form.hWnd(), GWL_STYLE) & WS_CAPTION);
    EXPECT_FALSE(GetWindowLongPtrW(form.hWnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_NE(GetWindow(form.hWnd(), GW_OWNER), nullptr);  // owned by a hidden window: no taskbar button
    EXPECT_EQ(form.Resizes, 1);  // once when first shown
    form.ClientSize(4000, 2000);
    EXPECT_EQ(form.Resizes, 2);
    EXPECT_NEAR(form.ScaleWidth(), 4000, rt::Screen::TwipsPerPixelX());
}

TEST(FormWindow, IconComesFromAPictureAndAnEmptyPictureRemovesIt) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmCanvas>();
    HICON source = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    auto icon = rt::StdPicture::FromIcon(source);
    form.Icon(icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form.hWnd(), WM_GETICON, ICON_BIG, 0)), icon->Icon());
    form.Icon(nullptr);
    EXPECT_EQ(SendMessageW(form.hWnd(), WM_GETICON, ICON_BIG, 0), 0);
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    EXPECT_THROW(form.Icon(rt::StdPicture::FromBitmap(bitmap)), rt::RuntimeError);
}

TEST(FormWindow, PersistentDrawingSurvivesRepaintsAndTransparentLabelsShowTheBackground) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmCanvas>();
    form.Show();
    form.AutoRedraw(true);
    form.Line(2000, 1200, 2900, 1800, 0x0000FF00);
    form.Refresh();
    InvalidateRect(form.hWnd(), nullptr, TRUE);
    PumpPending();
    auto pixels = CaptureClient(form.hWnd());
    EXPECT_EQ(pixels.At(rt::TwipsToPixelsX(2400), rt::TwipsToPixelsY(1500)), RGB(0, 255, 0));
    const RECT label = form.Label1.PixelRect();
    EXPECT_EQ(pixels.At(label.right - 2, label.bottom - 2), RGB(0, 0, 0));  // black form through the label
    form.Cls();
    form.Refresh();
    pixels = CaptureClient(form.hWnd());
    EXPECT_EQ(pixels.At(rt::TwipsToPixelsX(2400), rt::TwipsToPixelsY(1500)), RGB(0, 0, 0));
}

TEST(FormWindow, PictureBoxReportsMouseInTwipsAndPaints) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmCanvas>();
    form.Show();
    PumpUntil([&] { return form.Paints >= 1; }, 20000);
    EXPECT_GE(form.Paints, 1);
    Log().clear();
    SendMessageW(form.Picture1.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    SendMessageW(form.Picture1.hWnd(), WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(10, 20));
    const int x = static_cast<int>(rt::PixelsToTwipsX(10));
    const int y = static_cast<int>(rt::PixelsToTwipsY(20));
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Picture1_MouseUp 1 1 " + std::to_wstring(x) + L" " +
                                                std::to_wstring(y)}));
    const int before = form.Paints;
    form.Picture1.Refresh();
    EXPECT_GT(form.Paints, before);
    EXPECT_EQ(CaptureClient(form.Picture1.hWnd()).At(5, 5), RGB(0x80, 0x80, 0x80));
}

TEST(FormWindow, AHandlerOutlivesTheUnloadOfItsOwnFormAndTheFormGoesAfterwards) {
    g_canvasDeleted = false;
    Log().clear();
    auto& form = rt::Forms::Get<frmCanvas>();
    form.Show();
    form.Timer1.Enabled(true);
    ASSERT_TRUE(PumpUntil([] { return !rt::Forms::IsLoaded<frmCanvas>(); }));
    EXPECT_TRUE(PumpUntil([] { return g_canvasDeleted; }));
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"animation ended"}));
}

TEST(FormWindow, LabelTextWrapsAtTheLabelsWidthEvenWithoutSpaces) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmCanvas>();
    form.Show();
    PumpPending();
    const auto pixels = CaptureClient(form.hWnd());
    const RECT r = form.Label2.PixelRect();
    auto inkRows = 0;
    int lastInkRow = -1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (pixels.At(x, y) == RGB(0xFF, 0xFF, 0x80)) {
                ++inkRows;
                lastInkRow = y;
                break;
            }
    // Five or more lines of 12-pixel text: ink well below the first line, none outside.
    EXPECT_GT(lastInkRow - r.top, 40);
    EXPECT_GT(inkRows, 30);
    for (int y = r.top; y < r.bottom; ++y) EXPECT_NE(pixels.At(r.right + 1, y), RGB(0xFF, 0xFF, 0x80));
}

namespace {
WNDPROC g_previous = nullptr;
int g_seen = 0;
LRESULT CALLBACK Spy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) ++g_seen;
    return CallWindowProcW(g_previous, hwnd, msg, wParam, lParam);
}
}  // namespace

TEST(FormWindow, FormWindowProcedureCanBeSubclassed) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    form.Show();
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form.hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Spy)));
    Log().clear();
    SendMessageW(form.Command1.hWnd(), BM_CLICK, 0, 0);
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(form.mnuOpen.CommandId(), 0), 0);
    EXPECT_EQ(Log(), (std::vector<std::wstring>{L"Command1_Click abc", L"mnuOpen_Click"}));
    EXPECT_EQ(g_seen, 2);
    // The menu bar is a real one built from the definition.
    HMENU bar = GetMenu(form.hWnd());
    ASSERT_NE(bar, nullptr);
    wchar_t text[32] = {};
    GetMenuStringW(bar, 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"文件");
    GetMenuStringW(GetSubMenu(bar, 0), 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"打开");
}

namespace {
BOOL CALLBACK CountUnclipped(HWND hwnd, LPARAM count) {
    if (rt::Control::FromHwnd(hwnd) && !(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CLIPSIBLINGS))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}
}  // namespace

// Overlapping controls must not paint over each other, whichever repaints last.
TEST(FormWindow, EveryControlWindowClipsItsSiblings) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmSample>();
    int unclipped = 0;
    EnumChildWindows(form.hWnd(), CountUnclipped, reinterpret_cast<LPARAM>(&unclipped));
    EXPECT_EQ(unclipped, 0);
}
