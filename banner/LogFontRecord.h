#pragma once
// The font record the rotated font hands to GDI: built from a font description, an angle in
// degrees and the screen's vertical resolution, with the face name as code page 936 bytes.
// Pure arithmetic, no GDI object is made here.
#include <windows.h>

#include <string>

#include "runtime/gdi/StdFont.h"

namespace banner {

// Whether text at this angle is turned: the angle to the nearest whole degree (halves to
// even) is not a multiple of 360 (0.4, 359.6, 360 and -720 are not turned; 0.6 and 90 are).
bool IsTurned(float rotation);

// The angle in tenths of a degree, to the nearest integer with halves to even (12.25 -> 122).
LONG EscapementFor(float rotation);

// The face name as code page 936 bytes, whole characters only, as many as leave room in the
// record's field for the terminating NUL.
std::string FaceNameBytes(const std::wstring& name);

// The record for the font at the angle on a screen of pixelsPerInchY: height from the size,
// escapement and orientation in tenths, weight, 255 for each style flag set, the character
// set (255 becomes 0 when turned), output precision 7 only when turned, proof quality, and
// the face name bytes.
LOGFONTA BuildLogFont(const rt::StdFont& font, float rotation, int pixelsPerInchY);

// The same record in the wide form, its face name read back from code page 936 (an exact
// round trip, as the bytes came from whole characters of that page).
LOGFONTW WidenLogFont(const LOGFONTA& record);

}  // namespace banner
