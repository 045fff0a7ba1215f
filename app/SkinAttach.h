#pragma once
// Attaching a painter to a window with one skin's caption and border pictures and the lengths
// that say where things lie in the caption picture.
#include <windows.h>

#include "runtime/picture/StdPicture.h"

class cNeoCaption;

namespace app {

// Sets the painter's caption and menu colours and its fonts ("宋体", the given caption size,
// the menu size), in the order the skin routines set them; the font objects change in place.
void ConfigureSkinLook(cNeoCaption& cap, double captionFontSize);

void AttachSkinPictures(cNeoCaption& cap, HWND window, const rt::PictureRef& caption, const rt::PictureRef& border);

}  // namespace app
