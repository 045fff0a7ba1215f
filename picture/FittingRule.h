#pragma once
// How the picture player shows a picture in its display: zoomed (scaled to fit, proportions
// kept) when it is wider or taller than the display, both measured in screen pixels;
// otherwise clipped, that is at its own size from the top left corner. So a small picture is
// never blown up and a large one always shows whole.
#include "controls/PictureDisplayWindow.h"

ctl::PictureSizeMode FittingMode(int pictureWidth, int pictureHeight, int displayWidth, int displayHeight);
