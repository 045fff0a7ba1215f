// The picture player under real mouse input: clicks and a double click in the file list, the
// thumbnail button (with the hourglass while it works), and clicks on a thumbnail and beside
// the thumbnails.
#include <gtest/gtest.h>

#include "picture/Form12.h"
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
    PumpPending(Processing::Program);
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
    ASSERT_TRUE(PumpUntil([&] { return f->File1.ListCount() == 2; })) << "pics holds two *.jpg files";
    EXPECT_EQ(f->File1.Path(), folder.File(L"pics"));

    ASSERT_TRUE(FocusOn(f->hWnd(), f->Combo1.hWnd()));
    for (int i = 0; i < kBmp; ++i) Key(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return f->File1.Pattern() == L"*.bmp"; }));
    EXPECT_EQ(f->File1.ListCount(), 2);
    ASSERT_TRUE(FocusOn(f->hWnd(), f->File1.hWnd()));
    const int a = IndexOf(f->File1, L"a.bmp");
    Click(FileRow(*f, a));
    ASSERT_TRUE(PumpUntil([&] { return f->txtOut.Text() == L"\r\n100 x 80\ta.bmp"; })) << "one click, one line";
    Pump(Processing::Program, 600);  // the time is the subject: the next click makes no double click
    DoubleClick(FileRow(*f, a));
    EXPECT_TRUE(PumpUntil([&] { return f->txtOut.Text() == L"\r\n100 x 80\ta.bmp\r\n100 x 80\ta.bmp\r\n100 x 80\ta.bmp"; }))
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
    PumpUntil([&] { return f->ListView.ItemCount() == 2; });
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(f->ListView.ItemCount(), 2);
    EXPECT_EQ(PointerWatch::seen, 2);
    EXPECT_EQ(PointerWatch::hourglass, 2) << "the hourglass while thumbnails are made";
    EXPECT_EQ(f->MousePointer(), rt::MousePointer::Default);

    HWND list = f->ListView.Window()->Inner();
    const RECT second = f->ListView.Window()->ItemRect(2);
    Click(OnScreen(list, (second.left + second.right) / 2, (second.top + second.bottom) / 2));
    auto showsWide = [&] { return f->Image1.Picture() && f->Image1.Picture()->PixelWidth() == kWideWidth; };
    ASSERT_TRUE(PumpUntil(showsWide)) << "thumbnail 2 is wide.bmp";
    EXPECT_EQ(f->Image1.PictureSizeMode(), 3) << "the wide picture is zoomed";

    f->Timer1.Interval(60000);
    f->cmdAnimate_Click();
    RECT client;
    GetClientRect(list, &client);
    DialogScript unexpected;
    unexpected.Press(IDOK);
    const rt::PictureRef shown = f->Image1.Picture();
    Click(OnScreen(list, client.right - 10, client.bottom - 10));
    PumpPending(Processing::Program);
    EXPECT_EQ(f->ListView.SelectedIndex(), 0);
    EXPECT_TRUE(unexpected.Seen().empty()) << "no message";
    EXPECT_EQ(f->Image1.Picture(), shown);
    EXPECT_TRUE(f->Timer1.Enabled()) << "the show goes on";
}

namespace {
int DirRows(const form11& f) { return static_cast<int>(SendMessageW(f.Dir1.hWnd(), LB_GETCOUNT, 0, 0)); }

void DoubleClickDirRow(const form11& f, int index) {
    RECT row;
    SendMessageW(f.Dir1.hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
    DoubleClick(OnScreen(f.Dir1.hWnd(), (row.left + row.right) / 2, (row.top + row.bottom) / 2));
}
}  // namespace

// Folders deleted or renamed after the folder list was filled: a double click on one shows the
// nearest folder still there, read afresh, and the program goes on without a message.
TEST(form11Input, ADoubleClickOnAFolderThatIsGoneShowsTheNearestExistingFolder) {
    TempFolder folder;
    for (const wchar_t* name : {L"a", L"a\\b", L"old"}) CreateDirectoryW(folder.File(name).c_str(), nullptr);
    WritePatternEncoded(folder.File(L"top.jpg"), 20, 10, L"image/jpeg");
    ShownPlayer f(folder.Path());
    DialogScript unexpected;
    unexpected.Press(IDOK);
    ASSERT_TRUE(FocusOn(f->hWnd(), f->Dir1.hWnd()));

    // "old" (the last row) renamed: the list stays on the folder and shows the new name.
    const int rows = DirRows(*f);
    ASSERT_TRUE(MoveFileW(folder.File(L"old").c_str(), folder.File(L"new").c_str()));
    DoubleClickDirRow(*f, rows - 1);
    ASSERT_TRUE(PumpUntil([&] { return f->Dir1.ListCount() == 2 && f->Dir1.List(1) == folder.File(L"new"); }));
    EXPECT_EQ(f->Dir1.Path(), folder.Path());
    EXPECT_EQ(DirRows(*f), rows);

    // The shown folder and its parent removed: the list climbs to the nearest one left.
    f->Dir1.Path(folder.File(L"a\\b"));
    PumpPending();
    ASSERT_TRUE(RemoveDirectoryW(folder.File(L"a\\b").c_str()));
    ASSERT_TRUE(RemoveDirectoryW(folder.File(L"a").c_str()));
    DoubleClickDirRow(*f, DirRows(*f) - 1);
    ASSERT_TRUE(PumpUntil([&] { return f->Dir1.Path() == folder.Path(); }));
    EXPECT_EQ(f->File1.Path(), folder.Path());
    EXPECT_EQ(f->File1.ListCount(), 1) << "the file list shows that folder's files";
    EXPECT_TRUE(unexpected.Seen().empty()) << "no message";
}

namespace {
// Esc typed into a dialog once it has the keyboard.
bool EscapeWhenFocused(HWND dialog) {
    if (GetForegroundWindow() != dialog) return false;
    SendInputs({KeyInput(VK_ESCAPE, false), KeyInput(VK_ESCAPE, true)});
    return true;
}
}  // namespace

// Each dialog or window a button opens gives the focus back to that button once it is closed
// from the keyboard, so the next Space opens it again.
TEST(form11Input, AfterADialogOrTheOriginalViewClosesTheFocusIsBackOnItsButton) {
    TempFolder folder;
    ShownPlayer f(folder.Path());
    for (rt::CommandButton* button : {&f->Command2, &f->cmdSpeed}) {
        SCOPED_TRACE(button == &f->Command2 ? "save dialog" : "speed box");
        ASSERT_TRUE(FocusOn(f->hWnd(), button->hWnd()));
        DialogAnswers answers({EscapeWhenFocused, EscapeWhenFocused});
        Key(VK_SPACE);
        ASSERT_TRUE(PumpUntil([&] { return answers.Seen().size() == 1 && GetActiveWindow() == f->hWnd(); }));
        EXPECT_EQ(GetFocus(), button->hWnd());
        Key(VK_SPACE);
        EXPECT_TRUE(PumpUntil([&] { return answers.Done() && GetActiveWindow() == f->hWnd(); })) << "Space opens it again";
    }

    ASSERT_TRUE(FocusOn(f->hWnd(), f->Command1.hWnd()));
    Key(VK_SPACE);
    auto viewActive = [] { return rt::Forms::IsLoaded<Form12>() && GetActiveWindow() == rt::Forms::Get<Form12>().hWnd(); };
    ASSERT_TRUE(PumpUntil(viewActive));
    Key(VK_F4, {VK_MENU});
    ASSERT_TRUE(PumpUntil([&] { return !rt::Forms::IsLoaded<Form12>() && GetActiveWindow() == f->hWnd(); }));
    EXPECT_EQ(GetFocus(), f->Command1.hWnd());
    Key(VK_SPACE);
    EXPECT_TRUE(PumpUntil(viewActive)) << "Space opens the view again";
    rt::Forms::Get<Form12>().Unload();
}
