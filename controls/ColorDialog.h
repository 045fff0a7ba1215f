#pragma once
// The system's colour dialog (ChooseColorW) driven by the colour-dialog record the banner
// screen fills: the record's fields are handed over as they stand and the chosen colour comes
// back in rgbResult.
#include <windows.h>
#include <commdlg.h>

namespace ctl {

// The record laid out as the Win32 CHOOSECOLOR of this 32-bit program (36 bytes).
using ColorDialogRecord = CHOOSECOLORW;

// A record filled as the banner screen fills it before every use: its size, the owner, no
// instance, no initial colour, the caller's table of 16 custom colours, no flags, no hook and
// no template.
ColorDialogRecord MakeColorDialogRecord(HWND owner, COLORREF (&customColors)[16]);

// Shows the dialog; returns ChooseColorW's result (0 when the user cancelled or the dialog
// failed).
long ShowColorDialog(ColorDialogRecord& record);

}  // namespace ctl
