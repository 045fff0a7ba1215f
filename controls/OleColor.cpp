#include "controls/OleColor.h"

#include <ole2.h>
#include <olectl.h>

namespace ctl {

COLORREF ToColorRef(OleColor color) {
    COLORREF result = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(color), nullptr, &result))) return RGB(0, 0, 0);
    return result;
}

}  // namespace ctl
