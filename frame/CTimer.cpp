#include "frame/CTimer.h"

#include <algorithm>

#include "frame/FrameError.h"
#include "frame/MTimer.h"

std::shared_ptr<CTimer> CTimer::Create() { return std::shared_ptr<CTimer>(new CTimer()); }

CTimer::~CTimer() { Interval(0); }

void CTimer::Interval(long iIntervalA) {
    // Emptying this timer's slot may drop the last reference to it: stay alive meanwhile.
    const std::shared_ptr<CTimer> self = weak_from_this().lock();
    if (iIntervalA >= 1) {
        if (iIntervalA == m_interval) return;
        if (m_interval != 0) MTimer::TimerDelete(*this);
        m_interval = iIntervalA;
        if (!MTimer::TimerCreate(*this)) ErrRaise(kErrNoSystemTimer);
    } else if (m_interval > 0) {
        m_interval = 0;
        MTimer::TimerDelete(*this);
    }
}

void CTimer::PulseTimer() {
    const std::shared_ptr<CTimer> self = weak_from_this().lock();
    std::vector<const void*> sinks;
    for (const auto& entry : m_sinks) sinks.push_back(entry.first);
    for (const void* sink : sinks) {
        // A handler may disconnect others (their owners may be gone by then): look each up
        // again and call only those still connected.
        auto it = std::find_if(m_sinks.begin(), m_sinks.end(),
                               [sink](const auto& entry) { return entry.first == sink; });
        if (it == m_sinks.end()) continue;
        const Handler handler = it->second;
        if (handler) handler();
    }
}

void CTimer::Advise(const void* sink, Handler handler) {
    auto it = std::find_if(m_sinks.begin(), m_sinks.end(),
                           [sink](const auto& entry) { return entry.first == sink; });
    if (it != m_sinks.end()) {
        it->second = std::move(handler);
    } else {
        m_sinks.emplace_back(sink, std::move(handler));
    }
}

void CTimer::Unadvise(const void* sink) {
    std::erase_if(m_sinks, [sink](const auto& entry) { return entry.first == sink; });
}

void CTimer::ErrRaise(long e) {
    const wchar_t* description = L"";
    if (e == kErrNoFreeSlot) description = L"No more than 10 timers allowed per class";
    if (e == kErrNoSystemTimer) description = L"Can't create system timer";
    frame_detail::RaiseFrameError(e, description);
}

CTimerField& CTimerField::operator=(std::shared_ptr<CTimer> timer) {
    if (timer == m_timer) return *this;
    reset();
    m_timer = std::move(timer);
    if (m_timer) m_timer->Advise(this, m_handler);
    return *this;
}

void CTimerField::reset() {
    if (!m_timer) return;
    m_timer->Unadvise(this);
    m_timer.reset();
}
