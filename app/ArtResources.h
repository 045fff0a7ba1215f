#pragma once
// The pictures, icons and cursor that the windows of this folder carry, taken from the
// executable's resources.
#include "runtime/picture/StdPicture.h"

namespace app {

// Skin n's caption picture (600 x 55) and border picture (65 x 10), n in 0 .. 29.
rt::PictureRef SkinCaptionPicture(int skin);
rt::PictureRef SkinBorderPicture(int skin);
// A picture held as RCDATA (the panel pictures).
rt::PictureRef ResourcePicture(int id);
// The 32 x 32 image of an icon resource.
rt::PictureRef ResourceIcon(int id);
// A cursor resource.
rt::PictureRef ResourceCursor(int id);

}  // namespace app
