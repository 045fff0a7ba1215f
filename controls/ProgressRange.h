#pragma once
// The arithmetic of a progress bar with floating-point Min, Max and Value: which settings are
// valid, and where a value stands on the bar's fixed scale of steps.
namespace ctl {

// The bar is drawn on a scale of this many steps, whatever its range.
constexpr int kProgressSteps = 10000;

struct ProgressRange {
    float min = 0.0f;
    float max = 100.0f;
    float value = 0.0f;

    // Each returns false and changes nothing when the setting is invalid: a value outside
    // min..max, or a max not above min. A valid new min or max pulls the value into the range.
    bool SetMin(float newMin);
    bool SetMax(float newMax);
    bool SetValue(float newValue);

    // value's place on the scale, 0..kProgressSteps, to the nearest step.
    int Step() const;
};

}  // namespace ctl
