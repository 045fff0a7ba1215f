// The controls as members of a form: properties set by the definition before the form loads
// reach their windows, and the windows go with the form.
#include <gtest/gtest.h>

#include "runtime/core/RuntimeError.h"
#include "tests/controls/ControlsTestForm.h"
#include "tests/controls/TestPictures.h"
#include "tests/support/MessagePump.h"

using namespace controls_testing;

controls_testing::FormsCleanup::~FormsCleanup() {
    for (rt::Form* form : rt::Forms::detail::Loaded()) form->Unload();
    testing_support::PumpPending();
}

TEST(ControlsOnForm, DefinitionPropertiesReachTheWindowsWhenTheFormLoads) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmControls>();
    form.Show();
    testing_support::PumpPending();

    ASSERT_NE(form.RainButton4.Window(), nullptr);
    EXPECT_EQ(form.RainButton4.hWnd(), form.RainButton4.Window()->hwnd());
    EXPECT_EQ(GetParent(form.RainButton4.hWnd()), form.hWnd());
    EXPECT_EQ(form.RainButton4.Window()->BackFill(), 2);
    EXPECT_EQ(form.RainButton5.Window()->ButtonType(), 1);
    EXPECT_EQ(form.RainButton4.Window()->Font()->Name(), L"宋体");
    EXPECT_EQ(form.RainButton4.Window()->Font()->Charset(), 134);
    // 1155 x 345 twips at 15 twips a pixel.
    RECT rc;
    GetClientRect(form.RainButton4.hWnd(), &rc);
    EXPECT_EQ(rc.right, 77);
    EXPECT_EQ(rc.bottom, 23);
    const testing_support::Pixels face = PrintClient(form.RainButton4.hWnd());
    EXPECT_TRUE(testing_support::ColorNear(face.At(4, 3), 0x00FF8080, 24));
    EXPECT_TRUE(testing_support::ColorNear(face.At(4, 19), 0x00FF80FF, 24));

    EXPECT_EQ(form.ProgressBar1.Window()->Range().max, 2000.0f);
    EXPECT_EQ(form.ProgressBar1.Window()->Range().value, 1.0f);
    EXPECT_EQ(form.Slider1.Window()->Value(), 64);

    // A change made while loaded goes straight to the window.
    form.RainButton4.BackColor(0x000000FF).BackFill(0);
    EXPECT_EQ(PrintClient(form.RainButton4.hWnd()).At(4, 3), 0x000000FFu);
    form.ProgressBar1.Value(1000.5f);
    EXPECT_EQ(form.ProgressBar1.Window()->ShownStep(), ctl::kProgressSteps / 2);
    EXPECT_EQ(rt::TryStatement([&] { form.ProgressBar1.Value(0); }), 380);

    form.imgList2.SetImageWidth(32);
    form.imgList2.SetImageHeight(32);
    form.ListView.Icons(&form.imgList2);
    form.imgList2.Add(L"Image 1", SolidPicture(64, 48, RGB(200, 0, 0)));
    EXPECT_EQ(form.ListView.AddItem(L"", L"Image 1", L"Image 1"), 1);
    EXPECT_EQ(form.ListView.ItemText(1), L"Image 1");

    form.Image1.Picture(SolidPicture(10, 10, RGB(0, 0, 200))).PictureSizeMode(3);
    const testing_support::Pixels shown = PrintClient(form.Image1.hWnd());
    EXPECT_EQ(shown.At(shown.width / 2, shown.height / 2), RGB(0, 0, 200));

    form.Unload();
    testing_support::PumpPending();
}

TEST(ControlsOnForm, InvalidDefinitionValuesAreRefusedBeforeLoading) {
    frmControls form;  // a definition only: never loaded
    EXPECT_EQ(rt::TryStatement([&] { form.RainButton4.BackFill(3); }), 380);
    EXPECT_EQ(rt::TryStatement([&] { form.RainButton4.ButtonType(-1); }), 380);
    EXPECT_EQ(rt::TryStatement([&] { form.Image1.PictureSizeMode(1); }), 380);
    EXPECT_EQ(rt::TryStatement([&] { form.ProgressBar1.Max(1); }), 380);  // Min is 1
    EXPECT_EQ(rt::TryStatement([&] { form.Slider1.Value(300); }), 380);
    EXPECT_EQ(form.RainButton4.BackFill(), 2);
    EXPECT_EQ(form.ListView.ItemCount(), 0);
    EXPECT_EQ(rt::TryStatement([&] { form.ListView.AddItem(L"", L"x", L""); }), 91);
}
