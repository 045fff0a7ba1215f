#pragma once
// OLE colours as the controls receive them (see runtime/gdi/OleColor.h); a value that names no
// colour draws black.
#include <windows.h>

#include "runtime/gdi/OleColor.h"

namespace ctl {

using OleColor = OLE_COLOR;
using rt::TranslateOleColor;

}  // namespace ctl
