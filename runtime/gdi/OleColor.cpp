#include "runtime/gdi/OleColor.h"

#include <olectl.h>

namespace rt {

COLORREF TranslateOleColor(OLE_COLOR color, COLORREF failed, HPALETTE palette) {
    COLORREF result = 0;
    if (OleTranslateColor(color, palette, &result) != S_OK) return failed;
    return result;
}

}  // namespace rt
