#pragma once
// The statement screen's text: the window caption and the six lines with their places,
// colours and final letter spacings, and the font changes made before each line.
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

#include <array>

#include "runtime/gdi/StdFont.h"

namespace mainwin {

constexpr int kStatementLineCount = 6;
// Every line's animation starts from this letter spacing (extra pixels between characters).
constexpr long kStatementStartSpacing = 128;
// The font size set when a pass starts, before line 1.
constexpr double kHeadingFontSize = 24;

extern const wchar_t kStatementCaption[];

struct StatementLine {
    const wchar_t* text;  // each ends in a run of spaces
    long left, top;       // pixels
    OLE_COLOR color;
    long finalSpacing;
};

// Lines 1 .. 6 at indexes 0 .. 5.
const std::array<StatementLine, kStatementLineCount>& StatementLines();

// The changes line (2 .. 6) makes to the window's font before it is drawn, in the order name,
// size, bold; line 1 makes none. They carry over to the following lines and passes.
void ApplyStatementLineFont(rt::StdFont& font, int line);

}  // namespace mainwin
