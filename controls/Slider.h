#pragma once
// The slider as a control of a form: Min, Max (0 and 255 unless the definition says otherwise)
// and Value kept before the form loads, and a Change event raised whenever the value changes
// once the window exists (see SliderWindow).
#include <windows.h>

#include <functional>
#include <memory>

#include "controls/SliderWindow.h"
#include "runtime/forms/Control.h"

namespace ctl {

class Slider : public rt::BasicControl<Slider> {
public:
    Slider();
    ~Slider() override;

    long Min() const { return m_min; }
    long Max() const { return m_max; }
    // Max below Min raises 380.
    Slider& Range(long min, long max);
    long Value() const { return m_window ? m_window->Value() : m_value; }
    // A value outside Min..Max raises 380.
    Slider& Value(long value);

    SliderWindow* Window() const { return m_window.get(); }

    std::function<void()> Change;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    void Destroyed() override;

private:
    std::unique_ptr<SliderWindow> m_window;
    long m_min = 0;
    long m_max = 255;
    long m_value = 0;
};

}  // namespace ctl
