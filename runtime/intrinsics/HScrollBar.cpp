#include "runtime/intrinsics/HScrollBar.h"

#include <algorithm>

#include "runtime/core/RuntimeError.h"

namespace rt {

HScrollBar::HScrollBar() { InitColors(kButtonFace, kButtonText); }

int HScrollBar::Scrolled(UINT code, int value, int min, int max, int smallChange, int largeChange, int thumb) {
    int target = value;
    switch (code) {
        case SB_LINELEFT: target = value - smallChange; break;
        case SB_LINERIGHT: target = value + smallChange; break;
        case SB_PAGELEFT: target = value - largeChange; break;
        case SB_PAGERIGHT: target = value + largeChange; break;
        case SB_LEFT: target = min; break;
        case SB_RIGHT: target = max; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: target = thumb; break;
        default: break;
    }
    return std::clamp(target, std::min(min, max), std::max(min, max));
}

HScrollBar& HScrollBar::Min(int value) {
    m_min = value;
    if (m_value < std::min(m_min, m_max)) m_value = std::min(m_min, m_max);
    ApplyRange();
    return *this;
}

HScrollBar& HScrollBar::Max(int value) {
    m_max = value;
    if (m_value > std::max(m_min, m_max)) m_value = std::max(m_min, m_max);
    ApplyRange();
    return *this;
}

HScrollBar& HScrollBar::Value(int value) {
    if (value < std::min(m_min, m_max) || value > std::max(m_min, m_max)) rt::Raise(err::kInvalidPropertyValue);
    if (value == m_value) return *this;
    m_value = value;
    if (hWnd()) SetScrollPos(hWnd(), SB_CTL, m_value, TRUE);
    Raise(Change);
    return *this;
}

HScrollBar& HScrollBar::SmallChange(int step) {
    if (step < 1) rt::Raise(err::kInvalidPropertyValue);
    m_smallChange = step;
    return *this;
}

HScrollBar& HScrollBar::LargeChange(int step) {
    if (step < 1) rt::Raise(err::kInvalidPropertyValue);
    m_largeChange = step;
    return *this;
}

void HScrollBar::ApplyRange() {
    if (!hWnd()) return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = std::min(m_min, m_max);
    info.nMax = std::max(m_min, m_max);
    info.nPage = 0;
    info.nPos = m_value;
    SetScrollInfo(hWnd(), SB_CTL, &info, TRUE);
}

HWND HScrollBar::CreateHwnd(HWND parent, const RECT& r, int id) {
    return CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_CLIPSIBLINGS | SBS_HORZ, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void HScrollBar::Created() { ApplyRange(); }

int HScrollBar::TrackPosition() const {
    // The 32-bit track position; the message carries only 16 bits.
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(hWnd(), SB_CTL, &info);
    return info.nTrackPos;
}

std::optional<LRESULT> HScrollBar::OnScroll(UINT code, int) {
    if (code == SB_ENDSCROLL) return 0;
    const int thumb = (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) ? TrackPosition() : m_value;
    const int target = Scrolled(code, m_value, m_min, m_max, m_smallChange, m_largeChange, thumb);
    if (code == SB_THUMBTRACK) {
        if (!m_dragging) {
            m_dragging = true;
            m_valueBeforeDrag = m_value;
        }
        if (target != m_value) {
            m_value = target;
            SetScrollPos(hWnd(), SB_CTL, m_value, TRUE);
            Raise(Scroll);
        }
        return 0;
    }
    if (code == SB_THUMBPOSITION) {
        const int before = m_dragging ? m_valueBeforeDrag : m_value;
        m_dragging = false;
        m_value = target;
        SetScrollPos(hWnd(), SB_CTL, m_value, TRUE);
        if (target != before) Raise(Change);
        return 0;
    }
    if (target != m_value) {
        m_value = target;
        SetScrollPos(hWnd(), SB_CTL, m_value, TRUE);
        Raise(Change);
    }
    return 0;
}

}  // namespace rt
