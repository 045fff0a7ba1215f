#include "banner/Grad.h"

#include "banner/GradientBands.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/PictureBox.h"

namespace Grad {

namespace {

template <class Target>
void Paint(Target& target, long& red, long& green, long& blue, bool topDown) {
    const banner::GradientPlan plan = banner::PlanGradient(target.Height(), target.Width(), red, green, blue, topDown);
    for (const banner::GradientBand& band : plan.bands) {
        target.Line(band.x1, band.y1, band.x2, band.y2, banner::BandColor(band.red, band.green, band.blue));
    }
    red = plan.red;
    green = plan.green;
    blue = plan.blue;
}

}  // namespace

void Gradient(rt::PictureBox& target, long& red, long& green, long& blue, bool topDown) {
    Paint(target, red, green, blue, topDown);
}

void Gradient(rt::Form& target, long& red, long& green, long& blue, bool topDown) {
    Paint(target, red, green, blue, topDown);
}

}  // namespace Grad
