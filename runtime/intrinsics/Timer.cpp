#include "runtime/intrinsics/Timer.h"

#include "runtime/forms/ControlContainer.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {
constexpr int kMaxInterval = 65535;
}  // namespace

Timer& Timer::Interval(int milliseconds) {
    if (milliseconds < 0 || milliseconds > kMaxInterval) rt::Raise(err::kInvalidPropertyValue);
    m_interval = milliseconds;
    Restart();
    return *this;
}

void Timer::SetEnabled(bool enabled) {
    Control::SetEnabled(enabled);
    Restart();
}

HWND Timer::Host() const { return Parent() ? Parent()->ContainerWindow() : nullptr; }

void Timer::Restart() {
    HWND host = Host();
    if (!host) return;
    const auto id = static_cast<UINT_PTR>(ControlId());
    KillTimer(host, id);
    if (Enabled() && m_interval > 0) SetTimer(host, id, static_cast<UINT>(m_interval), nullptr);
}

void Timer::OnTimer() {
    // A timer switched off by a handler can still have a tick queued.
    if (Enabled() && m_interval > 0) Raise(Tick);
}

}  // namespace rt
