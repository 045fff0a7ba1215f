#include "controls/ProgressRange.h"

#include <algorithm>
#include <cmath>

namespace ctl {

bool ProgressRange::SetMin(float newMin) {
    if (!(newMin < max)) return false;
    min = newMin;
    value = std::clamp(value, min, max);
    return true;
}

bool ProgressRange::SetMax(float newMax) {
    if (!(newMax > min)) return false;
    max = newMax;
    value = std::clamp(value, min, max);
    return true;
}

bool ProgressRange::SetValue(float newValue) {
    if (!(newValue >= min && newValue <= max)) return false;
    value = newValue;
    return true;
}

int ProgressRange::Step() const {
    const double span = static_cast<double>(max) - static_cast<double>(min);
    if (span <= 0) return 0;
    const double fraction = (static_cast<double>(value) - static_cast<double>(min)) / span;
    return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * kProgressSteps));
}

}  // namespace ctl
