#pragma once
// The colour pulse of the main window's labels: a level that climbs by 50 to just past 255,
// falls back to just below 10 and climbs again (one cycle every 12 ticks), and the label
// colours made from it.
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

namespace mainwin {

struct PulseState {
    short PulseLevel = 0;
    bool PulseFalling = false;
};

// One tick: turns at the ends, then moves the level one step.
void StepPulse(PulseState& state);

// RGB as the form runtime computes it: r + 256 g + 65536 b, a component above 255 taken as
// 255 (and one below 0 as 0).
OLE_COLOR ClampedRgb(int r, int g, int b);

// The label colours for a level: Label1, Label2, Label3 and Label7 share the heading colour.
struct PulseColors {
    OLE_COLOR heading;
    OLE_COLOR label4;
    OLE_COLOR label5;
    OLE_COLOR label6;
};
PulseColors PulseColorsFor(short level);

}  // namespace mainwin
