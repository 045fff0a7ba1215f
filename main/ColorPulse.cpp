#include "main/ColorPulse.h"

#include <algorithm>

namespace mainwin {

namespace {
constexpr short kPulseStep = 50;
constexpr short kTurnDownAbove = 255;
constexpr short kTurnUpBelow = 10;
constexpr int kComponentMax = 255;

int ClampComponent(int value) { return std::clamp(value, 0, kComponentMax); }
}  // namespace

void StepPulse(PulseState& state) {
    if (state.PulseLevel > kTurnDownAbove) state.PulseFalling = true;
    if (state.PulseLevel < kTurnUpBelow) state.PulseFalling = false;
    state.PulseLevel = static_cast<short>(state.PulseFalling ? state.PulseLevel - kPulseStep
                                                             : state.PulseLevel + kPulseStep);
}

OLE_COLOR ClampedRgb(int r, int g, int b) {
    return static_cast<OLE_COLOR>(ClampComponent(r) + 256 * ClampComponent(g) + 65536 * ClampComponent(b));
}

PulseColors PulseColorsFor(short level) {
    return {ClampedRgb(level, 100, level), ClampedRgb(level, 0, 150), ClampedRgb(200, 0, level),
            ClampedRgb(level, 50, 100)};
}

}  // namespace mainwin
