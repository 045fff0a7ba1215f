#pragma once
// The step interval typed into the banner screen: what the timer takes from the text and
// whether the box is then set back to "1".
#include <string>

namespace banner {

struct IntervalSetting {
    int interval = 1;       // milliseconds for the timer (0 leaves it silent)
    bool showOne = false;   // the box is to show "1" afterwards
};

// A number from 1 to 65535 is taken to the nearest integer (halves to even) as it stands. A
// number below 1 is taken as typed (a negative one as 0, which the timer cannot take below)
// and the box shows "1". Text that is not a number, or a number above 65535, is taken as 1
// and the box shows "1".
IntervalSetting ReadInterval(const std::wstring& text);

}  // namespace banner
