#include "frame/CaptionColor.h"

#include <olectl.h>

namespace CaptionColor {

COLORREF TranslateColor(DWORD oColor, HPALETTE hPal) {
    COLORREF colour = 0;
    if (OleTranslateColor(static_cast<OLE_COLOR>(oColor), hPal, &colour) != S_OK) return CLR_INVALID;
    return colour;
}

}  // namespace CaptionColor
