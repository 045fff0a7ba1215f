#pragma once
// Helpers of the banner tests: reading the message box a handler opens, finding a colour in
// captured pixels, and the colour a gradient leaves in a pixel row.
#include <windows.h>

#include <string>
#include <vector>

#include "banner/GradientBands.h"
#include "tests/support/DialogAnswers.h"
#include "tests/support/Pixels.h"

namespace banner_tests {

// A message box: keeps its title and its texts (one a line) and presses OK.
testing_support::DialogAnswers::Action ReadMessageBox(std::wstring& text);

// Covers the window with a sibling window and takes that away again: the platform invalidates
// what lay below, as a user's window moved over it and off again does. (Top-level windows do
// not serve here: Wine restores what they uncover from its own copy, with no paint.)
void CoverAndUncover(HWND window);

struct ColourSpot {
    int count = 0;
    RECT bounds = {};  // of the pixels found (right and bottom inclusive)
};

// The pixels within tolerance of colour.
ColourSpot FindColour(const testing_support::Pixels& pixels, COLORREF colour, int tolerance = 24);

// The colour the painter leaves in pixel row `row` of a target: the last band drawn over it.
COLORREF GradientRowColour(const banner::GradientPlan& plan, int row);

}  // namespace banner_tests
