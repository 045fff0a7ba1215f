#pragma once
// The outer size the original-size view gets for a picture: its HIMETRIC height / 1.7 and
// width / 1.8, taken as twips. Both divisors lie near 2540 / 1440, so the window comes out
// about as large as the picture, its frame included.
struct OuterSize {
    float width = 0;   // twips
    float height = 0;  // twips
};

OuterSize OriginalViewSize(long himetricWidth, long himetricHeight);
