#pragma once
// A progress bar (the system's msctls_progress32) with floating-point Min, Max and Value. A
// value outside Min..Max, or a Max not above Min (a Min not below Max), raises run-time error
// 380 "Invalid property value" and leaves the bar as it was. A valid new Min or Max pulls the
// value into the new range.
#include <windows.h>

#include "controls/ControlHost.h"
#include "controls/ProgressRange.h"

namespace ctl {

class ProgressBarWindow : public ControlHost {
public:
    ProgressBarWindow(HWND parent, const RECT& rect, int id = 0);

    float Min() const { return m_range.min; }
    void SetMin(float value);
    float Max() const { return m_range.max; }
    void SetMax(float value);
    float Value() const { return m_range.value; }
    void SetValue(float value);

    // Takes a whole range at once (a valid one, as ProgressRange keeps it).
    void Assign(const ProgressRange& range);
    const ProgressRange& Range() const { return m_range; }

    // The position the system control shows, 0..kProgressSteps.
    int ShownStep() const;

private:
    void Show();
    ProgressRange m_range;
};

}  // namespace ctl
