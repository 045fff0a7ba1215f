#include "picture/OriginalViewSize.h"

namespace {
constexpr double kWidthDivisor = 1.8;
constexpr double kHeightDivisor = 1.7;
}  // namespace

OuterSize OriginalViewSize(long himetricWidth, long himetricHeight) {
    return {static_cast<float>(himetricWidth / kWidthDivisor), static_cast<float>(himetricHeight / kHeightDivisor)};
}
