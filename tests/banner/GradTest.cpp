// The gradient painter on real picture boxes and windows: the pixels of its bands.
#include "banner/Grad.h"

#include <gtest/gtest.h>

#include "runtime/Form.h"
#include "runtime/Forms.h"
#include "runtime/PictureBox.h"
#include "tests/banner/BannerTestSupport.h"
#include "tests/support/FramePictures.h"
#include "tests/support/MessagePump.h"

using namespace testing_support;
using banner_tests::GradientRowColour;

namespace {

// A window with a tall picture box whose bands are ten pixels high (step 150 twips), and one
// 40,000 twips wide.
class GradientProbe : public rt::Form {
public:
    GradientProbe() {
        Caption(L"Gradient probe").ClientSize(4000, 9600);
        Place(Tall, L"Tall", 0, 0, 3000, 9450).BorderStyle(rt::BorderStyle::None).AutoRedraw(true);
        Place(Wide, L"Wide", 0, 0, 40000, 1890).BorderStyle(rt::BorderStyle::None).AutoRedraw(true).Visible(false);
    }
    rt::PictureBox Tall;
    rt::PictureBox Wide;
};

struct ProbeFixture {
    ProbeFixture() { probe.Show(); }
    ~ProbeFixture() { probe.Unload(); }
    GradientProbe& probe = rt::Forms::Get<GradientProbe>();
};

Pixels Surface(rt::PictureBox& box) { return PicturePixels(*box.Image()); }

TEST(Grad, PaintsFirstMiddleAndLastBandsTopDownAndBottomUp) {
    ProbeFixture f;
    long red = 255, green = 128, blue = 0;
    Grad::Gradient(f.probe.Tall, red, green, blue, true);
    EXPECT_EQ(red, 3);
    EXPECT_EQ(green, 0);
    EXPECT_EQ(blue, 0);
    Pixels pixels = Surface(f.probe.Tall);
    EXPECT_EQ(pixels.At(100, 5), RGB(255, 128, 0));
    EXPECT_EQ(pixels.At(100, 315), RGB(131, 4, 0));  // band 32
    EXPECT_EQ(pixels.At(100, 625), RGB(7, 0, 0));    // band 63
    EXPECT_EQ(pixels.At(199, 5), RGB(255, 128, 0)) << "the bands run the whole width";

    red = 255, green = 128, blue = 0;
    Grad::Gradient(f.probe.Tall, red, green, blue, false);
    pixels = Surface(f.probe.Tall);
    EXPECT_EQ(pixels.At(100, 625), RGB(255, 128, 0));
    EXPECT_EQ(pixels.At(100, 5), RGB(7, 0, 0));
}

TEST(Grad, ATargetFortyThousandTwipsWidePaintsToItsFarEnd) {
    ProbeFixture f;
    long red = 0, green = 200, blue = 100;
    Grad::Gradient(f.probe.Wide, red, green, blue, true);
    const Pixels pixels = Surface(f.probe.Wide);
    ASSERT_GE(pixels.width, 2600);
    // Beyond 32,767 twips (2184 pixels) the 16-bit positions would have wrapped.
    EXPECT_EQ(pixels.At(2600, 0), RGB(0, 200, 100));
    const banner::GradientPlan plan = banner::PlanGradient(f.probe.Wide.Height(), 40000, 0, 200, 100, true);
    EXPECT_EQ(pixels.At(2600, 61), GradientRowColour(plan, 61));
    EXPECT_NE(GradientRowColour(plan, 61), RGB(0, 200, 100));
}

TEST(Grad, AWindowIsPaintedInItsInnerCoordinatesFromItsOuterHeight) {
    ProbeFixture f;
    long red = 40, green = 80, blue = 120;
    f.probe.AutoRedraw(true);
    Grad::Gradient(f.probe, red, green, blue, true);
    const Pixels pixels = PicturePixels(*f.probe.Image());
    const banner::GradientPlan plan = banner::PlanGradient(f.probe.Height(), f.probe.Width(), 40, 80, 120, true);
    for (int row : {0, 100, pixels.height - 1}) {
        EXPECT_EQ(pixels.At(pixels.width - 1, row), GradientRowColour(plan, row)) << row;
    }
}

}  // namespace
