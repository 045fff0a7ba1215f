#include "main/TextAnimation.h"

#include <algorithm>
#include <cmath>

namespace mainwin {

namespace {
// Below this spacing the letters overlap far enough: the animation turns back.
constexpr long kTurnBelow = -3;
// Frames to hold a spacing while easing back: the turning spacing gets its value + 6, each
// later one its value + 4.
constexpr long kFirstHoldExtra = 6;
constexpr long kHoldExtra = 4;
constexpr long kEraseMargin = 4;

long RoundHalfEven(double value) { return static_cast<long>(std::nearbyint(value)); }
}  // namespace

SpacingSchedule::SpacingSchedule(long startSpacing, long finalSpacing)
    : m_spacing(startSpacing), m_final(finalSpacing) {}

long SpacingSchedule::NextFrame() {
    if (m_spacing < kTurnBelow && !m_turned) {
        m_turned = true;
        m_hold = m_spacing + kFirstHoldExtra;
        m_falling = false;
    }
    if (m_falling) {
        --m_spacing;
    } else if (m_spacing == m_final) {
        m_finished = true;
    } else {
        --m_hold;
        if (m_hold < 1) {
            ++m_spacing;
            m_hold = m_spacing + kHoldExtra;
        }
    }
    return m_spacing;
}

long FrameCount(long startSpacing, long finalSpacing) {
    SpacingSchedule schedule(startSpacing, finalSpacing);
    long frames = 0;
    while (!schedule.Finished()) {
        schedule.NextFrame();
        ++frames;
    }
    return frames;
}

long EraseRight(long measuredRight, long clientWidthPixels) {
    return std::min(measuredRight + kEraseMargin, clientWidthPixels);
}

long ClientWidthPixels(double scaleWidthTwips, double twipsPerPixel) {
    const long perPixel = RoundHalfEven(twipsPerPixel);
    if (perPixel <= 0) return 0;
    return RoundHalfEven(scaleWidthTwips) / perPixel;
}

}  // namespace mainwin
