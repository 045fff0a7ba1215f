#pragma once
// A window timer of a form: raises Tick every Interval milliseconds while Enabled. An
// interval of 0 never fires. The timer runs on its container's window, so it starts when the
// form loads and stops when it unloads.
#include <functional>

#include "runtime/forms/Control.h"

namespace rt {

class Timer : public BasicControl<Timer> {
public:
    Timer() = default;

    // Milliseconds, 0 to 65535; other values raise error 380.
    int Interval() const { return m_interval; }
    Timer& Interval(int milliseconds);
    void SetEnabled(bool enabled) override;

    std::function<void()> Tick;

protected:
    bool IsWindowless() const override { return true; }
    bool HitTest(POINT) const override { return false; }
    bool TakesFocus() const override { return false; }
    void Created() override { Restart(); }
    void OnTimer() override;

private:
    void Restart();
    HWND Host() const;

    int m_interval = 0;
};

}  // namespace rt
