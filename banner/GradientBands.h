#pragma once
// The bands of the gradient painter: 63 horizontal boxes whose step is the target's outer
// height / 63, each channel 4 darker than in the band before and never below 0, from the
// top down or from the bottom up. Positions are 32-bit, so targets beyond 32,767 twips (a
// maximised banner on a wide screen) paint like any other.
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

#include <cstdint>
#include <vector>

namespace banner {

constexpr int kGradientBands = 63;
constexpr long kGradientDarkening = 4;

struct GradientBand {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    long red = 0, green = 0, blue = 0;  // as handed to the colour builder
};

struct GradientPlan {
    std::vector<GradientBand> bands;
    // The channels after the last band, as the caller's variables end.
    long red = 0, green = 0, blue = 0;
};

// The step: height / 63 to the nearest integer, halves to even.
int32_t GradientStep(double height);

// The bands for a target of this outer height and width (its own units) and the start values.
GradientPlan PlanGradient(double height, double width, long red, long green, long blue, bool topDown);

// The colour builder's colour: each channel taken as 0 below 0 and 255 above 255.
OLE_COLOR BandColor(long red, long green, long blue);

}  // namespace banner
