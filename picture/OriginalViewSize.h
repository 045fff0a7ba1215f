#pragma once
// The outer size the original-size view gets for a picture: its HIMETRIC height / 1.7 and
// width / 1.8, taken as twips. Both divisors lie near 2540 / 1440, so the window comes out
// about as large as the picture, its frame included. And where such a window may stand.
#include <windows.h>

struct OuterSize {
    float width = 0;   // twips
    float height = 0;  // twips
};

OuterSize OriginalViewSize(long himetricWidth, long himetricHeight);

// The window's rectangle kept on the work area, caption and all: no larger than the area, and
// moved in only as far as it must, so the picture still starts at the window's top left and a
// large one is cut at the right and bottom.
RECT KeptOnWorkArea(const RECT& window, const RECT& work);
