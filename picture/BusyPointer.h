#pragma once
// Shows the hourglass over a window for the lifetime of the object, so that the pointer comes
// back whatever way the busy work ends.
#include "runtime/forms/Form.h"

class BusyPointer {
public:
    explicit BusyPointer(rt::Form& form) : m_form(form) { m_form.MousePointer(rt::MousePointer::Hourglass); }
    ~BusyPointer() { m_form.MousePointer(rt::MousePointer::Default); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    rt::Form& m_form;
};
