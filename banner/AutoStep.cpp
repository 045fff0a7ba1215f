#include "banner/AutoStep.h"

#include <algorithm>
#include <cmath>

namespace banner {

namespace {
constexpr int kFullTurn = 360;
constexpr int kColourStep = 15;
}  // namespace

int NextStepAngle(int value, int min, int max, int largeChange) {
    // A value the bar cannot take is held at the maximum.
    return value == max ? min : std::min(value + largeChange, max);
}

bool StepClears(int angle) { return angle % kFullTurn == 0; }

std::optional<OLE_COLOR> StepColor(int angle) {
    if (angle <= 0 || angle % kColourStep != 0) return std::nullopt;
    switch ((angle / kColourStep) % 3) {
        case 1: return kStepRed;
        case 2: return kStepGreen;
        default: return kStepBlue;
    }
}

POINT StepCentre(double scaleWidth, double scaleHeight) {
    const auto half = [](double length) { return static_cast<LONG>(std::nearbyint(length)) / 2; };
    return POINT{half(scaleWidth), half(scaleHeight)};
}

}  // namespace banner
