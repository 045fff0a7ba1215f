#pragma once
// MCommDialogTest: the colour dialog's record in the ANSI layout (CHOOSECOLOR, 36 bytes in
// this 32-bit program) and the call of ChooseColorA that the banner screen makes with it.
#include <windows.h>
#include <commdlg.h>

namespace MCommDialogTest {

// The record as comdlg32's ANSI entry takes it (the CHOOSECOLOR name itself is the
// platform's macro for the wide form, so the record is named plainly here).
using ChooseColorRecord = CHOOSECOLORA;

// Filled anew for every use: the size, the owner, no instance, no initial colour, the
// caller's 16 custom colours, no flags, no hook, no template.
ChooseColorRecord FillChooseColor(HWND owner, COLORREF (&customColors)[16]);

// ChooseColorA with the record: non-zero when a colour was chosen (it is in rgbResult), 0
// when the user cancelled or the dialog failed. A dialog that went with its owner raises
// rt::HandlerAbandoned (see runtime/forms/DialogOwner.h).
BOOL ChooseColorWith(ChooseColorRecord& record);

}  // namespace MCommDialogTest
