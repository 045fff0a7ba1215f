// A GIF whose frame has no colour table, as some scanners and old tools write them: a click
// on it in the picture player shows it and writes its size line, and the player goes on.
#include <gtest/gtest.h>

#include "tests/controls/TestPictures.h"
#include "tests/picture/form11TestSupport.h"
#include "tests/support/Input.h"

using namespace testing_support;
using namespace picture_tests;

TEST(PalettelessGif, AClickOnItInTheFileListShowsItAndWritesItsSizeLine) {
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"plain.gif"), PatternGif(40, 30, GifTable::None)));
    ASSERT_TRUE(WritePatternGif(folder.File(L"with-table.gif"), 20, 10));
    ShownPlayer f(folder.Path());
    f->Combo1.ListIndex(kGif);
    ASSERT_TRUE(PumpUntil([&] { return f->File1.ListCount() == 2; }));

    const int plain = IndexOf(f->File1, L"plain.gif");
    RECT row;
    SendMessageW(f->File1.hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(plain), reinterpret_cast<LPARAM>(&row));
    ASSERT_TRUE(FocusOn(f->hWnd(), f->File1.hWnd()));
    Click(OnScreen(f->File1.hWnd(), (row.left + row.right) / 2, (row.top + row.bottom) / 2));
    ASSERT_TRUE(PumpUntil([&] { return f->txtOut.Text() == L"\r\n40 x 30\tplain.gif"; }));

    const rt::PictureRef shown = f->Image1.Picture();
    ASSERT_TRUE(shown && shown->Handle());
    EXPECT_EQ(shown->PixelWidth(), 40);
    EXPECT_EQ(shown->PixelHeight(), 30);
    // Without a table of its own the picture takes the default one: 0 black, 1 white.
    const Pixels display = controls_testing::PrintClient(f->Image1.hWnd());
    EXPECT_EQ(display.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(display.At(1, 0), RGB(255, 255, 255));
    EXPECT_TRUE(IsWindowVisible(f->hWnd())) << "the player is still there";
}
