#include "picture/OriginalViewSize.h"

#include <algorithm>

namespace {
constexpr double kWidthDivisor = 1.8;
constexpr double kHeightDivisor = 1.7;

// The start of a span of the given length within [low, high), as near to start as it can be.
LONG Within(LONG start, LONG length, LONG low, LONG high) { return std::max(low, std::min(start, high - length)); }
}  // namespace

OuterSize OriginalViewSize(long himetricWidth, long himetricHeight) {
    return {static_cast<float>(himetricWidth / kWidthDivisor), static_cast<float>(himetricHeight / kHeightDivisor)};
}

RECT KeptOnWorkArea(const RECT& window, const RECT& work) {
    const LONG width = std::min(window.right - window.left, work.right - work.left);
    const LONG height = std::min(window.bottom - window.top, work.bottom - work.top);
    const LONG left = Within(window.left, width, work.left, work.right);
    const LONG top = Within(window.top, height, work.top, work.bottom);
    return RECT{left, top, left + width, top + height};
}
