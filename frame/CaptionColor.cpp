#include "frame/CaptionColor.h"

#include "runtime/gdi/OleColor.h"

namespace CaptionColor {

COLORREF TranslateColor(DWORD oColor, HPALETTE hPal) {
    return rt::TranslateOleColor(static_cast<OLE_COLOR>(oColor), CLR_INVALID, hPal);
}

}  // namespace CaptionColor
