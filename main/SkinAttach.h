#pragma once
// Attaching a painter to a window with one skin's caption and border pictures and the lengths
// that say where things lie in the caption picture.
#include <windows.h>

#include "runtime/StdPicture.h"

class cNeoCaption;

namespace mainwin {

void AttachSkinPictures(cNeoCaption& cap, HWND window, const rt::PictureRef& caption, const rt::PictureRef& border);

}  // namespace mainwin
