#pragma once
// OLE colours for drawing: a direct colour passes unchanged, a system colour (high bit set)
// becomes that colour now.
#include <windows.h>

namespace CaptionColor {

// The colour OleTranslateColor gives for oColor with the palette; CLR_INVALID (all bits set)
// when it does not translate.
COLORREF TranslateColor(DWORD oColor, HPALETTE hPal = nullptr);

}  // namespace CaptionColor
