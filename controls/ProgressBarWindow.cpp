#include "controls/ProgressBarWindow.h"

#include <commctrl.h>

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

ProgressBarWindow::ProgressBarWindow(HWND parent, const RECT& rect, int id) {
    CreateHosted(parent, rect, id, PROGRESS_CLASSW, PBS_SMOOTH);
    SendMessageW(Inner(), PBM_SETRANGE32, 0, kProgressSteps);
    Show();
}

void ProgressBarWindow::SetMin(float value) {
    if (!m_range.SetMin(value)) rt::Raise(err::kInvalidPropertyValue);
    Show();
}

void ProgressBarWindow::SetMax(float value) {
    if (!m_range.SetMax(value)) rt::Raise(err::kInvalidPropertyValue);
    Show();
}

void ProgressBarWindow::SetValue(float value) {
    if (!m_range.SetValue(value)) rt::Raise(err::kInvalidPropertyValue);
    Show();
}

void ProgressBarWindow::Assign(const ProgressRange& range) {
    m_range = range;
    Show();
}

int ProgressBarWindow::ShownStep() const {
    return Inner() ? static_cast<int>(SendMessageW(Inner(), PBM_GETPOS, 0, 0)) : 0;
}

void ProgressBarWindow::Show() {
    if (Inner()) SendMessageW(Inner(), PBM_SETPOS, static_cast<WPARAM>(m_range.Step()), 0);
}

}  // namespace ctl
