#pragma once
// The caption painter's LOGFONT from a font object. The face name is kept as ANSI bytes of
// the system code page (936 here), as the font mapper compares it, and the height is the
// point size rounded to a whole number first, then scaled to the device.
#include <windows.h>

#include "runtime/gdi/StdFont.h"

namespace CaptionLogFont {

// v to the nearest whole number, halves to the even one (10.5 -> 10, 11.5 -> 12).
long RoundHalfEven(double v);

// -MulDiv(whole points, pixelsPerInchY, 72).
LONG HeightForPoints(double points, int pixelsPerInchY);

// Fills lf (which the caller has cleared) from the font for a device with the given vertical
// resolution: face name, height, italic, weight 700 or 400, underline, strikeout, charset.
// The other fields are left as they are.
void FillLogFont(const rt::StdFont& font, int pixelsPerInchY, LOGFONTA& lf);

// The same, with the resolution read from hDC (LOGPIXELSY).
void OLEFontToLogFont(const rt::StdFont& font, HDC hDC, LOGFONTA& lf);

}  // namespace CaptionLogFont
