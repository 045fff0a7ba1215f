#pragma once
// What dressing a window with a skin gives its painter: caption and menu colours, the two
// fonts, the lengths that say where things lie in the skin's caption picture, and the window
// colour set after the attach.
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

namespace app {

constexpr OLE_COLOR kActiveCaptionColor = 0x0080FFFF;
constexpr OLE_COLOR kInActiveCaptionColor = 0x00FF8080;
constexpr OLE_COLOR kActiveMenuColor = 0x00C0FFFF;
constexpr OLE_COLOR kActiveMenuColorOver = 0x000000FF;
constexpr OLE_COLOR kInActiveMenuColor = 0x00404000;
constexpr OLE_COLOR kMenuBackgroundColor = 0x00CF6796;  // RGB(150, 103, 207)

constexpr wchar_t kSkinFontName[] = L"宋体";
constexpr double kMainCaptionFontSize = 11;
constexpr double kChooserCaptionFontSize = 10;  // the skin chooser's copy of the routine
constexpr double kMenuFontSize = 9;

// Attach's lengths in the caption picture (pixels).
constexpr long kButtonWidth = 18;
constexpr long kButtonHeight = 20;
constexpr long kActiveLeftEnd = 90;
constexpr long kActiveRightStart = 140;
constexpr long kActiveRightEnd = 230;
constexpr long kInactiveOffset = 400;

constexpr OLE_COLOR kSkinnedBackColor = 0x0064CB96;  // RGB(150, 203, 100)

}  // namespace app
