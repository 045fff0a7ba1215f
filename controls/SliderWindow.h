#pragma once
// A horizontal slider (the system's msctls_trackbar32), 0 to 255 unless set otherwise, with a
// Value and a Change event raised whenever the value changes: by the user once a drag, a click
// or a key has moved the thumb, and by a program that sets Value to something new.
#include <windows.h>

#include <functional>

#include "controls/ControlHost.h"

namespace ctl {

class SliderWindow : public ControlHost {
public:
    SliderWindow(HWND parent, const RECT& rect, int id = 0);

    long Min() const { return m_min; }
    long Max() const { return m_max; }
    // A range with Max below Min raises 380; the value is pulled into a valid new range.
    void SetRange(long min, long max);
    long Value() const { return m_value; }
    // A value outside Min..Max raises 380.
    void SetValue(long value);

    std::function<void()> Change;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnScroll(WPARAM request, HWND from);
    void Changed(long value);

    long m_min = 0;
    long m_max = 255;
    long m_value = 0;
};

}  // namespace ctl
