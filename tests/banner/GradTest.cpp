// The gradient painter on real picture boxes: the pixels of its bands.
#include "banner/Grad.h"

#include <gtest/gtest.h>

#include "runtime/forms/Forms.h"
#include "runtime/intrinsics/PictureBox.h"
#include "tests/support/FramePictures.h"

using testing_support::PicturePixels;

namespace {

// A box whose bands are ten pixels high (step 150 twips), and one 40,000 twips wide.
class GradientProbe : public rt::Form {
public:
    GradientProbe() {
        ClientSize(4000, 9600);
        Place(Tall, L"Tall", 0, 0, 3000, 9450).BorderStyle(rt::BorderStyle::None).AutoRedraw(true);
        Place(Wide, L"Wide", 0, 0, 40000, 1890).BorderStyle(rt::BorderStyle::None).AutoRedraw(true).Visible(false);
    }
    rt::PictureBox Tall;
    rt::PictureBox Wide;
};

TEST(Grad, PaintsFirstMiddleAndLastBandsBothWaysAndPastSixteenBits) {
    GradientProbe& probe = rt::Forms::Get<GradientProbe>();
    long red = 255, green = 128, blue = 0;
    Grad::Gradient(probe.Tall, red, green, blue, true);
    EXPECT_EQ(red, 3);
    auto pixels = PicturePixels(*probe.Tall.Image());
    EXPECT_EQ(pixels.At(199, 5), RGB(255, 128, 0));
    EXPECT_EQ(pixels.At(100, 315), RGB(131, 4, 0));  // band 32
    EXPECT_EQ(pixels.At(100, 625), RGB(7, 0, 0));    // band 63
    red = 255, green = 128, blue = 0;
    Grad::Gradient(probe.Tall, red, green, blue, false);
    pixels = PicturePixels(*probe.Tall.Image());
    EXPECT_EQ(pixels.At(100, 625), RGB(255, 128, 0));
    EXPECT_EQ(pixels.At(100, 5), RGB(7, 0, 0));

    red = 0, green = 200, blue = 100;
    Grad::Gradient(probe.Wide, red, green, blue, true);
    pixels = PicturePixels(*probe.Wide.Image());
    // Beyond 32,767 twips (2184 pixels) 16-bit positions would have wrapped.
    EXPECT_EQ(pixels.At(2600, 0), RGB(0, 200, 100));
    probe.Unload();
}

}  // namespace
