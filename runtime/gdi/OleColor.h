#pragma once
// OLE colours: 0x00BBGGRR, or a system colour when the high bit is set (0x8000000F is the
// button face). Drawing needs the plain RGB value of the moment.
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

namespace rt {

// System colours as OLE colours (high bit set, low byte = COLOR_* index).
constexpr OLE_COLOR kSystemColorFlag = 0x80000000;
constexpr OLE_COLOR kButtonFace = kSystemColorFlag | COLOR_BTNFACE;
constexpr OLE_COLOR kButtonText = kSystemColorFlag | COLOR_BTNTEXT;
constexpr OLE_COLOR kWindowBackground = kSystemColorFlag | COLOR_WINDOW;
constexpr OLE_COLOR kWindowText = kSystemColorFlag | COLOR_WINDOWTEXT;

// The RGB value to draw with: a direct colour passes unchanged, a system colour becomes the
// system's colour now (through OleTranslateColor, with the palette if one is given). A value
// that names no colour gives `failed`: black for callers that draw at once, CLR_INVALID for
// callers that check.
COLORREF TranslateOleColor(OLE_COLOR color, COLORREF failed = RGB(0, 0, 0), HPALETTE palette = nullptr);

}  // namespace rt
