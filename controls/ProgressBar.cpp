#include "controls/ProgressBar.h"

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

ProgressBar::ProgressBar() = default;
ProgressBar::~ProgressBar() {
    // Emptied before the window object goes: its window's end calls Destroyed, which must
    // find nothing left to delete.
    m_window.reset();
}

ProgressBar& ProgressBar::Min(float value) { return Changed(m_range.SetMin(value)); }
ProgressBar& ProgressBar::Max(float value) { return Changed(m_range.SetMax(value)); }
ProgressBar& ProgressBar::Value(float value) { return Changed(m_range.SetValue(value)); }

ProgressBar& ProgressBar::Changed(bool valid) {
    if (!valid) rt::Raise(err::kInvalidPropertyValue);
    if (m_window) m_window->Assign(m_range);
    return *this;
}

HWND ProgressBar::CreateHwnd(HWND parent, const RECT& pixels, int id) {
    m_window = std::make_unique<ProgressBarWindow>(parent, pixels, id);
    return m_window->hwnd();
}

void ProgressBar::Created() { m_window->Assign(m_range); }

void ProgressBar::Destroyed() { m_window.reset(); }

}  // namespace ctl
