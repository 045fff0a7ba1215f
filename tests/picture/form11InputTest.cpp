// The picture player under real mouse input: clicks and a double click in the file list, the
// thumbnail button (with the hourglass while it works), and clicks on a thumbnail and beside
// the thumbnails.
#include <gtest/gtest.h>

#include "tests/picture/form11TestSupport.h"
#include "tests/support/Input.h"

using namespace testing_support;
using namespace picture_tests;

namespace {

POINT FileRow(const form11& f, int index) {
    RECT row;
    SendMessageW(f.File1.hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
    return OnScreen(f.File1.hWnd(), (row.left + row.right) / 2, (row.top + row.bottom) / 2);
}

void DoubleClick(POINT at) {
    MovePointer(at);
    INPUT clicks[] = {MouseInput(MOUSEEVENTF_LEFTDOWN, at), MouseInput(MOUSEEVENTF_LEFTUP, at),
                      MouseInput(MOUSEEVENTF_LEFTDOWN, at), MouseInput(MOUSEEVENTF_LEFTUP, at)};
    SendInput(4, clicks, sizeof(INPUT));
    Pump(Processing::Program, 200);
}

// What the pointer looked like while thumbnails were added to the list view.
struct PointerWatch {
    static inline int seen = 0;
    static inline int hourglass = 0;
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == LVM_INSERTITEMW) {
            ++seen;
            hourglass += GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

}  // namespace

TEST(form11Input, AFolderAndAPatternChosenByHandListTheFilesAndClicksWriteSizeLines) {
    TempFolder folder;
    CreateDirectoryW(folder.File(L"pics").c_str(), nullptr);
    WritePictures(folder.File(L"pics"));
    ShownPlayer f(folder.Path());

    // The folder list shows the chain down to the folder, then its subfolder "pics".
    const int picsRow = static_cast<int>(SendMessageW(f->Dir1.hWnd(), LB_GETCOUNT, 0, 0)) - 1;
    RECT row;
    SendMessageW(f->Dir1.hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(picsRow), reinterpret_cast<LPARAM>(&row));
    ASSERT_TRUE(FocusOn(f->hWnd(), f->Dir1.hWnd()));
    DoubleClick(OnScreen(f->Dir1.hWnd(), (row.left + row.right) / 2, (row.top + row.bottom) / 2));
    ASSERT_TRUE(PumpUntil([&] { return f->File1.ListCount() == 2; }, 2000)) << "pics holds two *.jpg files";
    EXPECT_EQ(f->File1.Path(), folder.File(L"pics"));

    ASSERT_TRUE(FocusOn(f->hWnd(), f->Combo1.hWnd()));
    for (int i = 0; i < kBmp; ++i) Key(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return f->File1.Pattern() == L"*.bmp"; }, 2000));
    EXPECT_EQ(f->File1.ListCount(), 2);
    ASSERT_TRUE(FocusOn(f->hWnd(), f->File1.hWnd()));
    const int a = IndexOf(f->File1, L"a.bmp");
    Click(FileRow(*f, a));
    ASSERT_TRUE(PumpUntil([&] { return f->txtOut.Text() == L"\r\n100 x 80\ta.bmp"; }, 2000)) << "one click, one line";
    Pump(Processing::Program, 600);  // the next click must not join the first into a double click
    DoubleClick(FileRow(*f, a));
    EXPECT_TRUE(PumpUntil([&] { return f->txtOut.Text() == L"\r\n100 x 80\ta.bmp\r\n100 x 80\ta.bmp\r\n100 x 80\ta.bmp"; },
                          2000))
        << "a double click writes two identical lines";
    EXPECT_EQ(f->Image1.Picture()->PixelWidth(), kSmallWidth);
}

TEST(form11Input, TheThumbnailButtonShowsTheHourglassAndAClickBesideTheThumbnailsDoesNothing) {
    TempFolder folder;
    WritePictures(folder.Path());
    ShownPlayer f(folder.Path());
    f->Combo1.ListIndex(kBmp);  // a.bmp and wide.bmp
    ASSERT_TRUE(FocusOn(f->hWnd(), f->cmdAuto.hWnd()));
    PointerWatch::seen = PointerWatch::hourglass = 0;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, PointerWatch::Hook, nullptr, GetCurrentThreadId());
    Click(CentreOf(f->cmdAuto.hWnd()));
    PumpUntil([&] { return f->ListView.ItemCount() == 2; }, 3000);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(f->ListView.ItemCount(), 2);
    EXPECT_EQ(PointerWatch::seen, 2);
    EXPECT_EQ(PointerWatch::hourglass, 2) << "the hourglass while thumbnails are made";
    EXPECT_EQ(f->MousePointer(), rt::MousePointer::Default);

    HWND list = f->ListView.Window()->Inner();
    const RECT second = f->ListView.Window()->ItemRect(2);
    Click(OnScreen(list, (second.left + second.right) / 2, (second.top + second.bottom) / 2));
    ASSERT_TRUE(PumpUntil([&] { return f->Image1.Picture() == f->imgList2.Picture(2); }, 2000));
    EXPECT_EQ(f->Image1.PictureSizeMode(), 3) << "the wide picture is zoomed";

    f->Timer1.Interval(60000);
    f->cmdAnimate_Click();
    RECT client;
    GetClientRect(list, &client);
    DialogScript unexpected;
    unexpected.Press(IDOK);
    Click(OnScreen(list, client.right - 10, client.bottom - 10));
    Pump(Processing::Program, 300);
    EXPECT_EQ(f->ListView.SelectedIndex(), 0);
    EXPECT_TRUE(unexpected.Seen().empty()) << "no message";
    EXPECT_EQ(f->Image1.Picture(), f->imgList2.Picture(2));
    EXPECT_TRUE(f->Timer1.Enabled()) << "the show goes on";
}
