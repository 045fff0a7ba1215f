#include "banner/IntervalText.h"

#include <cmath>

#include "runtime/core/Convert.h"

namespace banner {

namespace {
constexpr double kLongestInterval = 65535;
}  // namespace

IntervalSetting ReadInterval(const std::wstring& text) {
    const std::optional<double> number = rt::ParseNumber(text);
    if (!number) return {1, true};
    const double rounded = std::nearbyint(*number);
    if (rounded > kLongestInterval) return {1, true};
    if (*number < 1) return {rounded > 0 ? static_cast<int>(rounded) : 0, true};
    return {static_cast<int>(rounded), false};
}

}  // namespace banner
