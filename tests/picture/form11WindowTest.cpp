// The picture player as a window: its definition, browsing, the display and its size lines,
// saving, the thumbnails and slide show, leaving it, and the original-size view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "picture/Form12.h"
#include "runtime/gdi/Screen.h"
#include "runtime/core/RuntimeError.h"
#include "runtime/core/Text.h"
#include "tests/controls/TestPictures.h"
#include "tests/picture/form11TestSupport.h"
#include "tests/support/GdiCount.h"
#include "tests/support/Places.h"

using namespace testing_support;
using namespace picture_tests;

namespace {

constexpr COLORREF kDisplayBack = 0x00FF8080;

void Choose(form11& f, Pattern pattern) {
    f.Combo1.ListIndex(pattern);
    PumpPending();
}

void ClickFile(form11& f, const std::wstring& name) {
    const int index = IndexOf(f.File1, name);
    ASSERT_GE(index, 0) << "not listed";
    if (f.File1.ListIndex() == index) f.File1_Click();  // a click on the selected entry
    else f.File1.ListIndex(index);
    PumpPending();
}

int RowsNotBack(const Pixels& p, int x) {
    int rows = 0;
    for (int y = 0; y < p.height; ++y) rows += p.At(x, y) != kDisplayBack;
    return rows;
}

}  // namespace

TEST(form11Window, IsDefinedWithItsPatternsButtonsAndWelcomePicture) {
    TempFolder folder;
    ShownPlayer f(folder.Path());
    EXPECT_EQ(WindowText(f->hWnd()), L"Quorrin");
    EXPECT_NEAR(f->ScaleWidth(), 15240, 15);
    EXPECT_NE(SendMessageW(f->hWnd(), WM_GETICON, ICON_BIG, 0), 0);
    const wchar_t* patterns[] = {L"*.jpg", L"*.gif", L"*.jpeg", L"*.bmp", L"*.ico", L"*.cur", L"*.wmf", L"*.emf", L"*.*"};
    ASSERT_EQ(f->Combo1.ListCount(), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(f->Combo1.List(i), patterns[i]);
    EXPECT_EQ(f->File1.Pattern(), L"*.jpg");
    EXPECT_EQ(f->Image1.PixelRect().left, rt::TwipsToPixelsX(6300));
    EXPECT_EQ(f->Label2.Caption(), L"Mirovast");
    EXPECT_FALSE(f->Command3.Visible());
    EXPECT_FALSE(f->cmdAnimate.Enabled());
    EXPECT_FALSE(f->Timer1.Enabled());
    EXPECT_EQ(f->Timer1.Interval(), 2000);
    ASSERT_TRUE(f->Image1.Picture());
    EXPECT_EQ(f->Image1.Picture()->PixelWidth(), 480);
}

TEST(form11Window, PatternsListTheirFilesAndClicksWriteSizeLinesAndShowThePictureOrSayNoneIsChosen) {
    TempFolder folder;
    WritePictures(folder.Path());
    ShownPlayer f(folder.Path());
    EXPECT_EQ(f->File1.ListCount(), 2);  // c.jpg and notes.jpg
    Choose(*f, kWmf);
    ASSERT_EQ(f->File1.ListCount(), 1);
    EXPECT_EQ(f->File1.List(0), L"f.wmf");
    Choose(*f, kAll);
    EXPECT_EQ(f->File1.ListCount(), 9);

    ClickFile(*f, L"a.bmp");
    EXPECT_EQ(f->Image1.PictureSizeMode(), 0) << "a small picture is clipped";
    const Pixels small = controls_testing::PrintClient(f->Image1.hWnd());
    for (auto [x, y] : {std::pair{0, 0}, {57, 33}, {99, 79}}) EXPECT_EQ(small.At(x, y), PatternColor(x, y));
    EXPECT_EQ(small.At(150, 100), kDisplayBack);

    ClickFile(*f, L"wide.bmp");
    EXPECT_EQ(f->Image1.PictureSizeMode(), 3) << "a large picture is zoomed";
    const Pixels wide = controls_testing::PrintClient(f->Image1.hWnd());
    EXPECT_NEAR(RowsNotBack(wide, wide.width / 2), kWideHeight / 2, 2) << "proportions kept";
    EXPECT_EQ(wide.At(wide.width / 2, 5), kDisplayBack);

    ClickFile(*f, L"notes.jpg");
    EXPECT_FALSE(f->Image1.Picture()) << "no picture: the display empties";
    EXPECT_EQ(f->Image1.Notice(), L"无法显示此文件");
    const Pixels refused = controls_testing::PrintClient(f->Image1.hWnd());
    int text = 0;
    for (int x = 0; x < refused.width; ++x) text += refused.At(x, refused.height / 2) != kDisplayBack;
    EXPECT_GT(text, 0) << "and says so in its middle";
    EXPECT_EQ(RowsNotBack(refused, 2), 0);
    ClickFile(*f, L"notes.jpg");
    ClickFile(*f, L"c.jpg");
    EXPECT_TRUE(f->Image1.Picture());
    EXPECT_EQ(f->Image1.Notice(), L"");
    const std::wstring lines = L"\r\n100 x 80\ta.bmp\r\n1098 x 500\twide.bmp\r\n0 x 0\tnotes.jpg\r\n0 x 0\tnotes.jpg"
                               L"\r\n1098 x 500\tc.jpg";
    EXPECT_EQ(f->txtOut.Text(), lines);

    DialogScript script;
    script.Press(IDOK);
    f->File1.ListIndex(-1);  // raises the click with nothing selected
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].title, L"提示!");
    EXPECT_TRUE(script.Seen()[0].Shows(L"未选择文件"));
    EXPECT_EQ(f->txtOut.Text(), lines);
}

TEST(form11Window, SavesAsABmpWithIdenticalPixelsAsksBeforeOverwritingAndSaysWhenItCannot) {
    TempFolder folder;
    WritePictures(folder.Path());
    ShownPlayer f(folder.Path());
    Choose(*f, kBmp);
    ClickFile(*f, L"a.bmp");
    const std::wstring target = folder.File(L"saved.bmp");
    {
        DialogScript script;
        script.SaveAs(target);
        f->Command2_Click();
        EXPECT_TRUE(script.Done());
        ASSERT_EQ(script.Seen().size(), 1u);
        EXPECT_TRUE(script.Seen()[0].Shows(L"位图文件 (*.Bmp)")) << "the save dialog offers BMP files";
    }
    const rt::PictureRef back = rt::LoadPicture(target);
    const Pixels saved = CaptureBitmap(back->Bitmap());
    ASSERT_EQ(saved.width, kSmallWidth);
    ASSERT_EQ(saved.height, kSmallHeight);
    int differing = 0;
    for (int y = 0; y < kSmallHeight; ++y)
        for (int x = 0; x < kSmallWidth; ++x) differing += saved.At(x, y) != PatternColor(x, y);
    EXPECT_EQ(differing, 0);

    // Overwriting: No leaves the file as it was.
    ASSERT_TRUE(WriteBytes(target, "keep me"));
    {
        DialogScript script;
        script.SaveAs(target).Press(IDNO);
        f->Command2_Click();
        ASSERT_EQ(script.Seen().size(), 2u);
        EXPECT_EQ(script.Seen()[1].title, L"询问");
        EXPECT_TRUE(script.Seen()[1].Shows(L"文件已经存在，是否覆盖文件？"));
    }
    EXPECT_EQ(FileBytes(target), "keep me");

    // A cancelled dialog saves nothing.
    {
        DialogScript script;
        script.Press(IDCANCEL);
        f->Command2_Click();
        EXPECT_EQ(script.Seen().size(), 1u);
    }
    EXPECT_EQ(f->cdlg.FileName, L"");
    EXPECT_EQ(FileBytes(target), "keep me");

    // A place that cannot be written, and nothing to save: a message each, no file.
    {
        DialogScript script;
        script.Press(IDOK).Press(IDOK);
        f->SaveShownPicture(folder.File(L"absent\\x.bmp"));
        f->Image1.Picture(nullptr);
        f->Command2_Click();
        ASSERT_EQ(script.Seen().size(), 2u) << "two messages and no save dialog";
        EXPECT_EQ(script.Seen()[0].title, L"提示!");
        EXPECT_EQ(script.Seen()[1].title, L"提示!");
    }
    EXPECT_EQ(GetFileAttributesW(folder.File(L"absent\\x.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // Yes replaces the file; a file of the user's named as the save's fresh copies are stays,
    // and nothing is left beside the target.
    const std::wstring neighbour = folder.File(L"~LM00000.TMP");
    ASSERT_TRUE(WriteBytes(neighbour, "mine"));
    const auto namesBefore = FilesWithBytes(folder.Path());
    ClickFile(*f, L"a.bmp");
    {
        DialogScript script;
        script.Press(IDYES);
        f->SaveShownPicture(target);
        EXPECT_EQ(script.Seen().size(), 1u);
    }
    EXPECT_EQ(FileBytes(target).substr(0, 2), "BM");
    EXPECT_EQ(FileBytes(neighbour), "mine");
    EXPECT_EQ(FilesWithBytes(folder.Path()).size(), namesBefore.size());

    // A read-only and a hidden file are refused with a message before any question; their
    // bytes and attributes stay.
    constexpr DWORD kProtection = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (const DWORD protection : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN}) {
        ASSERT_TRUE(WriteBytes(target, "protected"));
        ASSERT_TRUE(SetFileAttributesW(target.c_str(), protection));
        DialogScript script;
        script.Press(IDOK);
        f->SaveShownPicture(target);
        ASSERT_EQ(script.Seen().size(), 1u) << "a message and no question";
        EXPECT_EQ(script.Seen()[0].title, L"提示!");
        const std::wstring kind = protection == FILE_ATTRIBUTE_READONLY ? L"只读文件" : L"隐藏文件";
        EXPECT_NE(script.Seen()[0].texts.back().find(kind), std::wstring::npos) << rt::Utf8FromWide(script.Seen()[0].texts.back());
        EXPECT_EQ(GetFileAttributesW(target.c_str()) & kProtection, protection);
        ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL));
        EXPECT_EQ(FileBytes(target), "protected");
    }
}

// A folder that takes no new file: after Yes the save writes the existing file in place, and
// the longer old file ends where the picture ends.
TEST(form11Window, AFolderThatTakesNoNewFileHasTheTargetOverwrittenInPlace) {
    const std::wstring locked = PlaceFolder(L"picture-nonew");
    if (locked.empty()) GTEST_SKIP() << "no immutable folder: mounting a tmpfs and chattr need root";
    const std::wstring target = locked + L"\\old.bmp";
    TempFolder folder;
    WritePictures(folder.Path());
    ShownPlayer f(folder.Path());
    Choose(*f, kBmp);
    ClickFile(*f, L"a.bmp");
    f->SaveShownPicture(folder.File(L"fresh.bmp"));
    {
        DialogScript script;
        script.Press(IDYES);
        f->SaveShownPicture(target);
        ASSERT_EQ(script.Seen().size(), 1u) << "the question, and no message";
        EXPECT_TRUE(script.Seen()[0].Shows(L"文件已经存在，是否覆盖文件？"));
    }
    const auto after = FilesWithBytes(locked);
    ASSERT_EQ(after.size(), 1u) << "nothing added";
    EXPECT_TRUE(after.begin()->second == FileBytes(folder.File(L"fresh.bmp"))) << "the picture, and nothing after it";
}

// On a place where no more data fits, the new picture cannot be written: the old file and a
// file of the user's named like a temporary one stay as they were, and nothing is left behind.
TEST(form11Window, AFailedOverwriteAfterYesLeavesTheOldFileByteForByte) {
    const std::wstring full = PlaceFolder(L"picture-full");
    if (full.empty()) GTEST_SKIP() << "no full place: mounting a tmpfs needs root";
    const auto before = FilesWithBytes(full);
    ASSERT_EQ(before.count(L"old.bmp"), 1u);
    TempFolder folder;
    WritePictures(folder.Path());
    ShownPlayer f(folder.Path());
    Choose(*f, kBmp);
    ClickFile(*f, L"wide.bmp");
    {
        DialogScript script;
        script.Press(IDYES).Press(IDOK);
        f->SaveShownPicture(full + L"\\old.bmp");
        ASSERT_EQ(script.Seen().size(), 2u) << "the question, then a message";
        EXPECT_EQ(script.Seen()[1].title, L"提示!");
        const auto& texts = script.Seen()[1].texts;
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::wstring& text) {
            return text.find(L"未能保存到 " + full + L"\\old.bmp") != std::wstring::npos;
        }));
    }
    EXPECT_TRUE(FilesWithBytes(full) == before) << "the old file, the user's file, nothing added";
}

TEST(form11Thumbnails, AreNumberedWithoutGapsSkipNonPicturesAndGoWithAPatternOrFolderChange) {
    TempFolder folder;
    WritePictures(folder.Path());
    ShownPlayer f(folder.Path());
    Choose(*f, kJpeg);  // no *.jpeg files
    {
        DialogScript script;
        script.Press(IDOK);
        f->cmdAuto_Click();
        ASSERT_EQ(script.Seen().size(), 1u);
        EXPECT_TRUE(script.Seen()[0].Shows(L"Add at least 2 images"));
    }
    EXPECT_EQ(WindowText(f->hWnd()), L"有 0 个图像");
    EXPECT_FALSE(f->cmdAuto.Enabled());
    EXPECT_FALSE(f->cmdAnimate.Enabled());

    Choose(*f, kBmp);  // two pictures
    EXPECT_TRUE(f->cmdAuto.Enabled()) << "a pattern change resets";
    f->cmdAuto_Click();
    ASSERT_EQ(f->ListView.ItemCount(), 2);
    EXPECT_EQ(f->ListView.ItemText(1), L"Image 1");
    EXPECT_EQ(f->ListView.ItemIcon(2), L"Image 2");
    EXPECT_EQ(f->imgList2.Key(2), L"Image 2");
    EXPECT_EQ(WindowText(f->hWnd()), L"有 2 个图像");
    EXPECT_TRUE(f->cmdAnimate.Enabled());
    EXPECT_FALSE(f->cmdAuto.Enabled());

    f->txtOut.Text(L"\r\nkept");
    Choose(*f, kAll);  // the text file among the pictures
    f->cmdAuto_Click();
    const int made = f->ListView.ItemCount();
    EXPECT_EQ(made, 8) << "every entry but notes.jpg";
    for (int n = 1; n <= made; ++n) EXPECT_EQ(f->ListView.ItemText(n), L"Image " + std::to_wstring(n));
    EXPECT_EQ(WindowText(f->hWnd()), L"有 8 个图像");

    // Thumbnail 1's file deleted since: a click on it keeps the display and reads the file list
    // again; the slide show skips it.
    const rt::PictureRef shown = f->Image1.Picture();
    ASSERT_TRUE(DeleteFileW(folder.File(L"a.bmp").c_str()));
    ListView_SetItemState(f->ListView.Window()->Inner(), 0, LVIS_SELECTED, LVIS_SELECTED);
    f->ListView_Click();
    EXPECT_EQ(f->Image1.Picture(), shown);
    EXPECT_EQ(IndexOf(f->File1, L"a.bmp"), -1);
    EXPECT_EQ(f->ListView.ItemCount(), made) << "the folder is there: the thumbnails stay";
    f->ShowNextSlide();
    EXPECT_EQ(f->mIndex, 2);
    EXPECT_EQ(f->Image1.Picture()->PixelWidth(), 40) << "b.gif";

    f->Dir1.Path(folder.Path() + L"\\..");
    EXPECT_EQ(f->ListView.ItemCount(), 0) << "a folder change empties the thumbnails";
    EXPECT_EQ(f->imgList2.Count(), 0);
    EXPECT_EQ(f->txtOut.Text(), L"\r\nkept") << "but keeps the size lines";
}

namespace {
// What a user does while thumbnails are made, run from a timer that the run's message
// processing dispatches.
std::function<void()> g_duringRun;
void CALLBACK RunAction(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    rt::GuardCallback([] { g_duringRun(); });
}

void ClickThumbnailsWhile(form11& f, std::function<void()> action) {
    g_duringRun = std::move(action);
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, RunAction);
    Sleep(2 * USER_TIMER_MINIMUM);  // due at the run's first round of messages
    f.cmdAuto_Click();
}
}  // namespace

// The run processes messages between files: a second click meanwhile does nothing, and a
// folder change or the window's unload stops it without the closing message and caption.
TEST(form11Thumbnails, ARunAnswersMessagesIgnoresASecondClickAndStopsAtAFolderChangeOrUnload) {
    TempFolder folder;
    CreateDirectoryW(folder.File(L"two").c_str(), nullptr);
    for (const wchar_t* name : {L"two\\a.jpg", L"two\\b.jpg", L"p0.jpg"})
        WritePatternEncoded(folder.File(name), 160, 120, L"image/jpeg");
    for (int i = 1; i < 100; ++i)
        CopyFileW(folder.File(L"p0.jpg").c_str(), folder.File(L"p" + std::to_wstring(i) + L".jpg").c_str(), FALSE);
    DialogScript unexpected;
    unexpected.Press(IDOK);
    {
        ShownPlayer f(folder.Path());
        bool ran = false;
        ClickThumbnailsWhile(*f, [&] {
            ran = true;
            f->cmdAuto_Click();
            EXPECT_NE(WindowText(f->hWnd()), L"有 100 个图像") << "the second click made no run of its own";
            f->Dir1.Path(folder.File(L"two"));
        });
        EXPECT_TRUE(ran);
        EXPECT_EQ(WindowText(f->hWnd()), L"Quorrin") << "the run stopped at the folder change";
        EXPECT_EQ(f->ListView.ItemCount(), 0);
        EXPECT_TRUE(f->cmdAuto.Enabled());
        f->cmdAuto_Click();
        EXPECT_EQ(WindowText(f->hWnd()), L"有 2 个图像") << "a run after that one goes to its end";

        f->Dir1.Path(folder.Path());
        ClickThumbnailsWhile(*f, [&] { f->Unload(); });
        EXPECT_FALSE(rt::Forms::IsLoaded<form11>());
    }
    EXPECT_TRUE(unexpected.Seen().empty()) << "no message from the stopped runs";
}

// A folder deleted outside the program: its slides are skipped until none is left, and a click
// on one of its files moves the lists to the nearest folder still there, with no size line
// and no message.
TEST(form11Browsing, ListsFollowTheDiskWhenTheFolderOfAClickedFileIsGone) {
    TempFolder folder;
    const std::wstring pics = folder.File(L"pics");
    CreateDirectoryW(pics.c_str(), nullptr);
    for (const wchar_t* name : {L"\\x.jpg", L"\\y.jpg"}) WritePatternEncoded(pics + name, 20, 10, L"image/jpeg");
    ShownPlayer f(pics);
    f->cmdAuto_Click();
    ASSERT_EQ(f->mCount, 2);
    f->ShowNextSlide();
    const rt::PictureRef shown = f->Image1.Picture();
    for (const wchar_t* name : {L"\\x.jpg", L"\\y.jpg"}) ASSERT_TRUE(DeleteFileW((pics + name).c_str()));
    ASSERT_TRUE(RemoveDirectoryW(pics.c_str()));
    f->cmdAnimate_Click();
    f->ShowNextSlide();
    EXPECT_FALSE(f->Timer1.Enabled()) << "every slide gone: the show stops";
    EXPECT_EQ(f->Image1.Picture(), shown);

    DialogScript unexpected;
    unexpected.Press(IDOK);
    f->txtOut.Text(L"");
    f->File1.ListIndex(1);
    EXPECT_TRUE(unexpected.Seen().empty()) << "no message";
    EXPECT_EQ(f->txtOut.Text(), L"") << "no size line";
    EXPECT_EQ(f->Dir1.Path(), folder.Path());
    EXPECT_EQ(f->File1.Path(), folder.Path());
    EXPECT_EQ(f->File1.ListCount(), 0);
    EXPECT_EQ(f->ListView.ItemCount(), 0) << "the folder changed: the thumbnails went";
}

TEST(form11SlideShow, StepsThroughTheThumbnailsWithProgressAndIconAndResumesAfterAPause) {
    TempFolder folder;
    // Widths 61, 62, 63 tell the slides apart.
    for (int n = 1; n <= 3; ++n)
        WritePatternEncoded(folder.File(std::to_wstring(n) + L".jpg"), 60 + n, 40, L"image/jpeg");
    ShownPlayer f(folder.Path());
    f->cmdAuto_Click();
    ASSERT_EQ(f->mCount, 3);
    {
        DialogScript script;
        script.Answer(L"500");
        f->cmdSpeed_Click();
        ASSERT_EQ(script.Seen().size(), 1u);
        EXPECT_TRUE(script.Seen()[0].Shows(L"1秒=1000 ,下面文本框内必须填写1000以上的数字"));
    }
    EXPECT_EQ(f->Timer1.Interval(), 500);
    for (bool cancel : {false, true}) {
        DialogScript script;
        if (cancel) script.Press(IDCANCEL);
        else script.Answer(L"70000");
        f->cmdSpeed_Click();
    }
    EXPECT_EQ(f->Timer1.Interval(), 500) << "answers that are no interval keep it";

    std::vector<int> slides, progress;
    std::vector<LRESULT> icons;
    f->cmdAnimate_Click();
    const DWORD start = GetTickCount();
    DWORD thirdAt = 0;
    while (slides.size() < 4 && GetTickCount() - start < 8000) {
        const int last = slides.empty() ? 0 : slides.back();
        if (!PumpUntil([&] { return f->mIndex != last; }, 3000)) break;
        slides.push_back(f->mIndex);
        progress.push_back(static_cast<int>(f->ProgressBar1.Value()));
        icons.push_back(SendMessageW(f->hWnd(), WM_GETICON, ICON_BIG, 0));
        EXPECT_EQ(f->Image1.Picture()->PixelWidth(), 60 + f->mIndex) << "slide " << f->mIndex << " shows its file";
        if (slides.size() == 3) thirdAt = GetTickCount();
    }
    f->cmdStop_Click();
    EXPECT_EQ(slides, (std::vector<int>{1, 2, 3, 1}));
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 1}));
    EXPECT_EQ(f->ProgressBar1.Max(), 3);
    EXPECT_NE(icons[0], icons[1]);
    EXPECT_GE(thirdAt - start, 900u) << "three steps of 500 ms";

    PumpFor(1200);  // the time is the subject: no step comes in 1.2 s
    EXPECT_EQ(f->mIndex, 1) << "the pause holds";
    f->cmdAnimate_Click();
    EXPECT_TRUE(PumpUntil([&] { return f->mIndex == 2; })) << "resumes with the next";
    f->退出_Click();
    PumpFor(1200);  // the time is the subject: hidden, the show is held
    EXPECT_EQ(f->mIndex, 2);
    f->Show();
    EXPECT_TRUE(PumpUntil([&] { return f->mIndex == 3; })) << "shown again, it goes on with the next";
    f->cmdStop_Click();

    // A long show gives back every icon it replaces.
    for (int i = 0; i < 30; ++i) f->ShowNextSlide();
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 300; ++i) f->ShowNextSlide();
    EXPECT_LE(GdiObjectCount(), before + 2);
}

TEST(form11Leaving, TheExitButtonKeepsTheStateAndTheCloseBoxStartsAfresh) {
    TempFolder folder;
    WritePictures(folder.Path());
    ShownPlayer f(folder.Path());
    Choose(*f, kBmp);
    ClickFile(*f, L"a.bmp");
    f->退出_Click();
    EXPECT_FALSE(IsWindowVisible(f->hWnd()));
    ASSERT_TRUE(rt::Forms::IsLoaded<form11>());
    f->Show();
    EXPECT_EQ(f->txtOut.Text(), L"\r\n100 x 80\ta.bmp");
    EXPECT_EQ(f->Combo1.ListIndex(), kBmp);

    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SendMessageW(f->hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpPending();
    EXPECT_FALSE(rt::Forms::IsLoaded<form11>());
    form11& fresh = rt::Forms::Get<form11>();
    EXPECT_EQ(fresh.txtOut.Text(), L"");
    EXPECT_EQ(fresh.Combo1.ListIndex(), 0);
    EXPECT_EQ(fresh.Dir1.Path(), folder.Path()) << "it starts in the folder of the last file clicked";
    EXPECT_EQ(fresh.File1.Path(), folder.Path());
    wchar_t after[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(after, current) << "the process's current folder is left alone";
    fresh.Unload();
}

TEST(form11OriginalView, Command1OpensForm12SizedFromThePictureAndOpensWithoutOne) {
    TempFolder folder;
    WritePatternBmp(folder.File(L"inch.bmp"), 96, 96);
    ShownPlayer f(folder.Path());
    const rt::PictureRef inch = rt::LoadPicture(folder.File(L"inch.bmp"));
    if (inch->Width() != 2540) GTEST_SKIP() << "the screen is not 96 pixels per inch";
    f->Image1.Picture(inch);
    f->Command1_Click();
    Form12& view = rt::Forms::Get<Form12>();
    ASSERT_TRUE(IsWindowVisible(view.hWnd()));
    EXPECT_EQ(view.Picture(), inch);
    RECT r;
    GetWindowRect(view.hWnd(), &r);
    EXPECT_NEAR(r.bottom - r.top, 2540 / 1.7 / rt::Screen::TwipsPerPixelY(), 1.0);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK)) << "2540 / 1.8 twips is narrower than any captioned frame";
    view.Unload();
    PumpPending();

    f->Image1.Picture(nullptr);
    f->Command1_Click();
    Form12& empty = rt::Forms::Get<Form12>();
    EXPECT_TRUE(IsWindowVisible(empty.hWnd()));
    empty.Unload();
}
