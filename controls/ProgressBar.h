#pragma once
// The progress bar as a control of a form: floating-point Min, Max and Value with the errors of
// ProgressRange (380 for a value outside the range or a Max not above Min), kept before the
// form loads and shown by ProgressBarWindow once it is made.
#include <windows.h>

#include <memory>

#include "controls/ProgressBarWindow.h"
#include "controls/ProgressRange.h"
#include "runtime/forms/Control.h"

namespace ctl {

class ProgressBar : public rt::BasicControl<ProgressBar> {
public:
    ProgressBar();
    ~ProgressBar() override;

    float Min() const { return m_range.min; }
    ProgressBar& Min(float value);
    float Max() const { return m_range.max; }
    ProgressBar& Max(float value);
    float Value() const { return m_range.value; }
    ProgressBar& Value(float value);

    ProgressBarWindow* Window() const { return m_window.get(); }

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    void Destroyed() override;
    bool TakesFocus() const override { return false; }

private:
    ProgressBar& Changed(bool valid);

    std::unique_ptr<ProgressBarWindow> m_window;
    ProgressRange m_range;
};

}  // namespace ctl
