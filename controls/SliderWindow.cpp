#include "controls/SliderWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
constexpr long kPageSteps = 16;
}  // namespace

SliderWindow::SliderWindow(HWND parent, const RECT& rect, int id) {
    CreateHosted(parent, rect, id, TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP);
    SendMessageW(Inner(), TBM_SETRANGEMIN, FALSE, m_min);
    SendMessageW(Inner(), TBM_SETRANGEMAX, FALSE, m_max);
    SendMessageW(Inner(), TBM_SETPAGESIZE, 0, kPageSteps);
    SendMessageW(Inner(), TBM_SETPOS, TRUE, m_value);
}

void SliderWindow::SetRange(long min, long max) {
    if (max < min) rt::Raise(err::kInvalidPropertyValue);
    m_min = min;
    m_max = max;
    SendMessageW(Inner(), TBM_SETRANGEMIN, FALSE, m_min);
    SendMessageW(Inner(), TBM_SETRANGEMAX, TRUE, m_max);
    const long pulled = std::clamp(m_value, m_min, m_max);
    SendMessageW(Inner(), TBM_SETPOS, TRUE, pulled);
    if (pulled != m_value) Changed(pulled);
}

void SliderWindow::SetValue(long value) {
    if (value < m_min || value > m_max) rt::Raise(err::kInvalidPropertyValue);
    SendMessageW(Inner(), TBM_SETPOS, TRUE, value);
    if (value != m_value) Changed(value);
}

LRESULT SliderWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HSCROLL: OnScroll(wParam, reinterpret_cast<HWND>(lParam)); return 0;
    default: return ControlHost::HandleMessage(message, wParam, lParam);
    }
}

void SliderWindow::OnScroll(WPARAM request, HWND from) {
    // While the thumb is dragged the value is not settled yet: the end of the drag reports it.
    if (from != Inner() || LOWORD(request) == TB_THUMBTRACK) return;
    const long position = static_cast<long>(SendMessageW(Inner(), TBM_GETPOS, 0, 0));
    if (position != m_value) Changed(position);
}

void SliderWindow::Changed(long value) {
    m_value = value;
    if (Change) {
        auto handler = Change;
        handler();
    }
}

}  // namespace ctl
