#include "banner/MCommDialogTest.h"

#include "runtime/forms/DialogOwner.h"

namespace MCommDialogTest {

static_assert(sizeof(ChooseColorRecord) == 36, "the colour-dialog record is 36 bytes in a 32-bit program");

// Everything not set here stays 0: no instance, no initial colour (rgbResult), no flags, no
// custom data, no hook and no template.
ChooseColorRecord FillChooseColor(HWND owner, COLORREF (&customColors)[16]) {
    ChooseColorRecord record = {};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.lpCustColors = customColors;
    return record;
}

BOOL ChooseColorWith(ChooseColorRecord& record) {
    return rt::ShowOwnedDialog(record.hwndOwner, [&] { return ::ChooseColorA(&record); });
}

}  // namespace MCommDialogTest
