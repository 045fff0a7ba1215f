#pragma once
// OLE colours as the controls receive them: 0x00BBGGRR, or a system colour when the high bit
// is set. Drawing needs the plain RGB value.
#include <windows.h>

namespace ctl {

using OleColor = unsigned long;

// The RGB value to draw with; system colours go through OleTranslateColor. A value that names
// no colour draws black.
COLORREF ToColorRef(OleColor color);

}  // namespace ctl
