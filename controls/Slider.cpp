#include "controls/Slider.h"

#include <algorithm>

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

Slider::Slider() = default;
Slider::~Slider() {
    // Emptied before the window object goes: its window's end calls Destroyed, which must
    // find nothing left to delete.
    m_window.reset();
}

Slider& Slider::Range(long min, long max) {
    if (max < min) rt::Raise(err::kInvalidPropertyValue);
    m_min = min;
    m_max = max;
    m_value = std::clamp(Value(), m_min, m_max);
    if (m_window) m_window->SetRange(min, max);
    return *this;
}

Slider& Slider::Value(long value) {
    if (value < m_min || value > m_max) rt::Raise(err::kInvalidPropertyValue);
    m_value = value;
    if (m_window) m_window->SetValue(value);
    return *this;
}

HWND Slider::CreateHwnd(HWND parent, const RECT& pixels, int id) {
    m_window = std::make_unique<SliderWindow>(parent, pixels, id);
    return m_window->hwnd();
}

void Slider::Created() {
    m_window->SetRange(m_min, m_max);
    m_window->SetValue(m_value);
    m_window->Change = [this] {
        m_value = m_window->Value();
        Raise(Change);
    };
}

void Slider::Destroyed() {
    m_window.reset();
}

}  // namespace ctl
