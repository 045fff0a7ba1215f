#include <gtest/gtest.h>

#include "app/Form2.h"
#include "app/SettingsStore.h"
#include "frame/cNeoCaption.h"
#include "main/frmTest.h"
#include "runtime/forms/Forms.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"

using namespace testing_support;
using main_tests::MatchSkin;

namespace {
struct ChooserFixture {
    explicit ChooserFixture(short skin) {
        main_tests::WriteSettings(folder.Path(), skin);
        app::OverrideSettingsFolder(folder.Path());
        main.Timer1.Enabled(false);
        main.Show();
        chooser.Show();
        PumpPending();
    }
    ~ChooserFixture() { app::OverrideSettingsFolder(L""); }
    std::wstring Database() const { return main_tests::SettingsPath(folder.Path()); }
    TempFolder folder;
    frmTest& main = rt::Forms::Get<frmTest>();
    Form2& chooser = rt::Forms::Get<Form2>();
};
}  // namespace

TEST(Form2, ChoosingSilkStoresSevenAndDressesTheMainWindowWithATenPointCaption) {
    ChooserFixture f(0);
    EXPECT_EQ(f.chooser.Caption(), L"Form1");
    EXPECT_EQ(f.chooser.Option1(7).Caption(), L"丝绸");
    f.chooser.Option1(7).Value(true);
    f.chooser.RainButton1_Click();
    PumpPending();
    EXPECT_EQ(main_tests::StoredField0(f.folder.Path()), store::Variant(std::int16_t{7}));
    ASSERT_TRUE(f.chooser.Painter());
    EXPECT_EQ(f.chooser.Painter()->CaptionFont()->Size(), 10);
    EXPECT_EQ(f.chooser.Painter()->hWnd(), f.main.hWnd()) << "the chooser's painter dresses the main window";
    EXPECT_EQ(f.main.Painter()->CaptionFont()->Size(), 11) << "the main window keeps its own painter";
    EXPECT_TRUE(MatchSkin(CaptureWindowFrame(f.main.hWnd()), 7).All());
    EXPECT_EQ(f.main.BackColor(), 0x0064CB96u);
    EXPECT_EQ(f.main.SkinIndex(), 0) << "the chooser reads the skin for itself";
}

TEST(Form2, WithoutTheDatabaseApplyingChangesTheLookAndStoresNothing) {
    ChooserFixture f(2);
    ASSERT_TRUE(DeleteFileW(f.Database().c_str()));
    f.chooser.Option1(3).Value(true);
    f.chooser.RainButton1_Click();
    PumpPending();
    EXPECT_FALSE(main_tests::FileExists(f.Database()));
    EXPECT_TRUE(MatchSkin(CaptureWindowFrame(f.main.hWnd()), 3).All());
    EXPECT_TRUE(f.chooser.IsLoaded()) << "no error ended anything";
}

TEST(Form2, ApplyingWithNothingSelectedStoresNothingAndEndsOnSkinZero) {
    ChooserFixture f(5);
    f.chooser.RainButton1_Click();
    PumpPending();
    EXPECT_EQ(main_tests::StoredField0(f.folder.Path()), store::Variant(std::int16_t{5}));
    EXPECT_TRUE(MatchSkin(CaptureWindowFrame(f.main.hWnd()), 0).All());
}
