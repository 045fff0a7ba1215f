#pragma once
// A horizontal scroll bar over Min..Max. The arrows move by SmallChange, the track by
// LargeChange; Change is raised when the value changes (by the user or the program, and once
// when a dragged thumb is released), Scroll while the thumb is dragged.
#include <functional>

#include "runtime/forms/Control.h"

namespace rt {

class HScrollBar : public BasicControl<HScrollBar> {
public:
    HScrollBar();

    int Min() const { return m_min; }
    HScrollBar& Min(int value);
    int Max() const { return m_max; }
    HScrollBar& Max(int value);
    // A value outside Min..Max raises error 380.
    int Value() const { return m_value; }
    HScrollBar& Value(int value);
    int SmallChange() const { return m_smallChange; }
    HScrollBar& SmallChange(int step);
    int LargeChange() const { return m_largeChange; }
    HScrollBar& LargeChange(int step);

    std::function<void()> Change;
    std::function<void()> Scroll;

    // The value a scroll request leads to from value (pure, for the bar and its tests).
    static int Scrolled(UINT code, int value, int min, int max, int smallChange, int largeChange, int thumb);

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    std::optional<LRESULT> OnScroll(UINT code, int thumbPosition) override;

private:
    void ApplyRange();
    int TrackPosition() const;

    int m_min = 0;
    int m_max = 32767;
    int m_value = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    int m_valueBeforeDrag = 0;
    bool m_dragging = false;
};

}  // namespace rt
