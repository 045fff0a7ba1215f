#pragma once
// A DC for the whole display (CreateDC "DISPLAY" / DeleteDC), the reference the frame's
// off-screen surfaces are made compatible with.
#include <windows.h>

class DisplayDC {
public:
    DisplayDC() : m_dc(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {}
    ~DisplayDC() {
        if (m_dc) DeleteDC(m_dc);
    }
    DisplayDC(const DisplayDC&) = delete;
    DisplayDC& operator=(const DisplayDC&) = delete;
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
};
