#pragma once
// Pictures for skinned-frame tests: a caption picture and a border picture whose every pixel
// has its own colour, so a frame pixel read back names the picture column and row it came
// from (a shifted slice or a wrong tile cannot pass), and reading a picture's pixels back.
#include <windows.h>

#include "runtime/picture/StdPicture.h"
#include "tests/support/Pixels.h"

namespace testing_support {

// Colour of pixel (x, y) of the test caption picture (x < 768, y < 80 are all distinct).
COLORREF CaptionTestColour(int x, int y);
// Colour of pixel (x, y) of the test border picture (x < 85, y < 12 are all distinct).
COLORREF BorderTestColour(int x, int y);

// Bitmap pictures of the given size filled with the colours above.
rt::PictureRef MakeCaptionTestPicture(int width = 600, int height = 55);
rt::PictureRef MakeBorderTestPicture(int width = 65, int height = 10);

// A bitmap picture's pixels.
Pixels PicturePixels(const rt::StdPicture& picture);

// The main window's menu: two items with drop-downs and one without.
HMENU MakeMainWindowMenu();

// The caption-picture column that column x of a window `width` wide shows, for a painter
// attached with the main window's lengths (left slice 90, middle from 91, right slice from 140
// to rightEnd, inactive variant at 400); columns past a 600-column picture repeat its last.
// Valid outside the caption buttons.
int MainWindowCaptionColumn(int x, int width, bool active, int rightEnd = 230);

}  // namespace testing_support
