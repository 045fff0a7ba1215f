// The gradient designer with real sliders, real clicks and real covering.
#include "banner/Form3.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include "banner/FRotFont.h"
#include "runtime/forms/Forms.h"
#include "tests/banner/BannerTestSupport.h"
#include "tests/support/FramePictures.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"

using namespace testing_support;
using banner_tests::GradientRowColour;

namespace {

struct DesignerFixture {
    DesignerFixture() {
        designer.Show();
        PumpUntil([&] { return IsWindowVisible(designer.hWnd()) != FALSE; });
        MakeForeground(designer.hWnd());
        PumpPending();
    }
    ~DesignerFixture() {
        if (rt::Forms::IsLoaded<FRotFont>()) rt::Forms::Get<FRotFont>().Unload();
        if (rt::Forms::IsLoaded<Form3>()) rt::Forms::Get<Form3>().Unload();
        PumpPending();
    }
    // Focuses the slider with a click on its thumb, then walks it from 0 with the arrow key.
    void SlideTo(ctl::Slider& slider, int value) {
        HWND bar = slider.Window()->Inner();
        RECT thumb = {};
        SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        POINT p{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
        ClientToScreen(bar, &p);
        testing_support::Click(p, Processing::Plain);
        PumpUntil([&] { return GetFocus() == bar; });
        TapKey(VK_HOME);
        for (int i = 0; i < value; ++i) TapKey(VK_RIGHT);
        PumpUntil([&] { return slider.Value() == value; });
    }
    void Click(const rt::Control& control) {
        RECT r;
        GetWindowRect(control.hWnd(), &r);
        const POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        // As a user clicks: once the button shows there (an owned form is put back above its
        // owner by a pass the message loop runs after the owner was raised, activated or took
        // the focus). The pointer there first, then press and release in one batch: the
        // release is then taken before any late pointer move that Wine reports from the X side.
        PumpUntil([&] {
            const HWND shown = WindowFromPoint(centre);
            return shown == control.hWnd() || IsChild(control.hWnd(), shown);
        });
        testing_support::Click(centre, Processing::Plain);
    }
    // The colour of the top row of a preview as the painter leaves it for these start values.
    static COLORREF TopRow(rt::PictureBox& preview, long r, long g, long b, bool topDown = true) {
        return GradientRowColour(banner::PlanGradient(preview.Height(), preview.Width(), r, g, b, topDown), 0);
    }
    Form3& designer = rt::Forms::Get<Form3>();
};

TEST(Form3, SlidersAndTheBoxSetTheLabelsTheSyntaxAndThePreviews) {
    DesignerFixture f;
    // Shown, the blue preview and the mix show the blue gradient, the others are black.
    EXPECT_EQ(CaptureClient(f.designer.Picture4.hWnd()).At(5, 0), f.TopRow(f.designer.Picture4, 0, 0, 255));
    EXPECT_EQ(CaptureClient(f.designer.Picture1.hWnd()).At(5, 0), RGB(0, 0, 0));
    EXPECT_EQ(f.designer.Label5.Caption(), L"0, 0, 255, 1");
    f.SlideTo(f.designer.Slider1, 10);
    f.SlideTo(f.designer.Slider2, 20);
    f.SlideTo(f.designer.Slider3, 30);
    EXPECT_EQ(f.designer.Label1.Caption(), L"Red = 10");
    EXPECT_EQ(f.designer.Label2.Caption(), L"Green = 20");
    EXPECT_EQ(f.designer.Label3.Caption(), L"Blue = 30");
    f.Click(f.designer.Check1);
    EXPECT_EQ(f.designer.Label5.Caption(), L"10, 20, 30, 0");
    EXPECT_EQ(CaptureClient(f.designer.Picture4.hWnd()).At(5, 0), f.TopRow(f.designer.Picture4, 10, 20, 30, false));
    f.Click(f.designer.Check1);
    EXPECT_EQ(f.designer.Label5.Caption(), L"10, 20, 30, 1");
    EXPECT_EQ(CaptureClient(f.designer.Picture1.hWnd()).At(5, 0), f.TopRow(f.designer.Picture1, 10, 0, 0));
    EXPECT_EQ(CaptureClient(f.designer.Picture2.hWnd()).At(5, 0), f.TopRow(f.designer.Picture2, 0, 20, 0));
    EXPECT_EQ(CaptureClient(f.designer.Picture4.hWnd()).At(5, 0), f.TopRow(f.designer.Picture4, 10, 20, 30));
    EXPECT_NE(f.TopRow(f.designer.Picture4, 10, 20, 30), RGB(0, 0, 0));
}

TEST(Form3, UncoveringTheBluePreviewRepaintsItAndTheMixInBlue) {
    DesignerFixture f;
    f.SlideTo(f.designer.Slider3, 30);
    const COLORREF blue = f.TopRow(f.designer.Picture3, 0, 0, 255);
    ASSERT_NE(CaptureClient(f.designer.Picture3.hWnd()).At(5, 0), blue);
    banner_tests::CoverAndUncover(f.designer.Picture3.hWnd());
    ASSERT_TRUE(PumpUntil([&] { return CaptureClient(f.designer.Picture3.hWnd()).At(5, 0) == blue; }));
    EXPECT_EQ(CaptureClient(f.designer.Picture4.hWnd()).At(5, 0), f.TopRow(f.designer.Picture4, 0, 0, 255));
}

TEST(Form3, BackgroundColourPaintsTheBannerAndExitOnlyHides) {
    DesignerFixture f;
    // As the user meets it: shown from the banner screen, which owns it.
    rt::Forms::Get<FRotFont>().Show();
    rt::Forms::Get<FRotFont>().Command3_Click();
    MakeForeground(f.designer.hWnd());
    PumpPending();
    f.SlideTo(f.designer.Slider1, 10);
    f.SlideTo(f.designer.Slider2, 20);
    f.SlideTo(f.designer.Slider3, 30);
    f.Click(f.designer.Command1);
    ASSERT_TRUE(rt::Forms::IsLoaded<FRotFont>());
    FRotFont& banner = rt::Forms::Get<FRotFont>();
    EXPECT_TRUE(banner.Visible());
    const Pixels picture = PicturePixels(*banner.Picture1.Image());
    EXPECT_EQ(picture.At(20, 3), RGB(10, 20, 30));
    EXPECT_EQ(picture.At(picture.width - 5, 3), RGB(10, 20, 30));

    f.Click(f.designer.Command3);
    EXPECT_TRUE(f.designer.IsLoaded());
    EXPECT_FALSE(f.designer.Visible());
    banner.Command3_Click();
    PumpPending();
    EXPECT_TRUE(f.designer.Visible());
    EXPECT_EQ(f.designer.Slider1.Value(), 10);
    EXPECT_EQ(f.designer.Slider2.Value(), 20);
    EXPECT_EQ(f.designer.Slider3.Value(), 30);
    EXPECT_EQ(f.designer.Label5.Caption(), L"10, 20, 30, 1");
}

}  // namespace
