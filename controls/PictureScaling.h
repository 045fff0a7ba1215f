#pragma once
// Drawing a picture scaled smoothly (Resample), and the arithmetic of fitting a picture into a
// box with its proportions kept.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/picture/StdPicture.h"

namespace ctl {

// The largest rectangle of the picture's proportions that fits in box, centred in it. An empty
// picture or box gives an empty rectangle at the box's centre.
RECT ZoomRect(int pictureWidth, int pictureHeight, const RECT& box);

// The whole picture at width x height as 0xAARRGGBB pixels (top-down, not premultiplied):
// bitmaps and icons resampled smoothly (icons keep their transparency), metafiles played at
// that size on white.
std::vector<uint32_t> ScaledPixels(const rt::StdPicture& picture, int width, int height);

// Draws pixels as ScaledPixels gives them at (x, y) of dc, blended by their alpha.
void DrawPixels(HDC dc, const std::vector<uint32_t>& pixels, int width, int height, int x, int y);

// Draws the whole picture into dest of dc. Bitmaps and icons are resampled smoothly (icons keep
// their transparency); at their own size they are copied pixel for pixel; metafiles are played
// into dest.
void DrawPictureSmooth(HDC dc, const rt::StdPicture& picture, const RECT& dest);

// The picture fitted into a width x height image (ZoomRect), as 0xAARRGGBB pixels, top-down
// rows, not premultiplied; the area around the fitted picture is fully transparent.
std::vector<uint32_t> FittedPixels(const rt::StdPicture& picture, int width, int height);

}  // namespace ctl
