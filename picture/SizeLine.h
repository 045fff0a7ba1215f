#pragma once
// The size line the picture player writes for each selected file, and how the lines pile up
// in its output box.
#include <string>

#include "picture/IMAGES.h"

// Width, " x ", height, a tab and the bare file name, numbers in plain decimal
// ("640 x 480\ta.jpg").
std::wstring SizeLine(const ImageSize& size, const std::wstring& bareName);

// The box's text with one more line: a CR LF pair, then the line (so the text of a box that
// got lines starts with an empty line).
std::wstring WithLineAppended(const std::wstring& text, const std::wstring& line);
