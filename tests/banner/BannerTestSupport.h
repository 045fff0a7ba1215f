#pragma once
// Helpers of the banner tests: answering the dialogs a handler opens (the colour dialog, the
// message box) from a thread timer that runs inside their modal loops, finding a colour in
// captured pixels, and the colour a gradient leaves in a pixel row.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "banner/GradientBands.h"
#include "tests/support/Pixels.h"

namespace banner_tests {

// Works through the actions one by one: on every tick each is offered the first visible dialog
// window of this thread until it returns true. Stops its timer when destroyed.
class DialogAnswers {
public:
    using Action = std::function<bool(HWND dialog)>;
    explicit DialogAnswers(std::vector<Action> actions);
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;
    bool Done() const { return m_next >= m_actions.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<Action> m_actions;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
};

// The colour dialog: types the colour into its red, green and blue boxes and presses OK.
DialogAnswers::Action ChooseColour(COLORREF colour);
// Any dialog: cancels it.
DialogAnswers::Action CancelDialog();
// A message box: keeps its title and its texts (one a line) and presses OK.
DialogAnswers::Action ReadMessageBox(std::wstring& text);

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
