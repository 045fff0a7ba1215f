#include "banner/MCommDialogTest.h"

namespace MCommDialogTest {

static_assert(sizeof(ChooseColorRecord) == 36, "the colour-dialog record is 36 bytes in a 32-bit program");

ChooseColorRecord FillChooseColor(HWND owner, COLORREF (&customColors)[16]) {
    ChooseColorRecord record = {};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.hInstance = nullptr;
    record.rgbResult = 0;
    record.lpCustColors = customColors;
    record.Flags = 0;
    record.lCustData = 0;
    record.lpfnHook = nullptr;
    record.lpTemplateName = nullptr;
    return record;
}

BOOL ChooseColorWith(ChooseColorRecord& record) { return ::ChooseColorA(&record); }

}  // namespace MCommDialogTest
