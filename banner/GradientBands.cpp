#include "banner/GradientBands.h"

#include <algorithm>
#include <cmath>

namespace banner {

namespace {

int32_t Nearest(double value) { return static_cast<int32_t>(std::nearbyint(value)); }

long Darker(long channel) { return std::max(0L, channel - kGradientDarkening); }

long Channel(long value) { return std::clamp(value, 0L, 255L); }

}  // namespace

int32_t GradientStep(double height) { return Nearest(height / kGradientBands); }

GradientPlan PlanGradient(double height, double width, long red, long green, long blue, bool topDown) {
    GradientPlan plan;
    const int32_t step = GradientStep(height);
    const int32_t w = Nearest(width);
    int32_t y1 = topDown ? 0 : Nearest(height - step);
    int32_t y2 = y1 + step;
    plan.bands.reserve(kGradientBands);
    for (int band = 0; band < kGradientBands; ++band) {
        plan.bands.push_back(GradientBand{0, y1, w, y2, red, green, blue});
        red = Darker(red);
        green = Darker(green);
        blue = Darker(blue);
        y1 = topDown ? y2 : y1 - step;
        y2 = y1 + step;
    }
    plan.red = red;
    plan.green = green;
    plan.blue = blue;
    return plan;
}

OLE_COLOR BandColor(long red, long green, long blue) {
    return static_cast<OLE_COLOR>(Channel(red) | (Channel(green) << 8) | (Channel(blue) << 16));
}

}  // namespace banner
