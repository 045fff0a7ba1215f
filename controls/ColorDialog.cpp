#include "controls/ColorDialog.h"

namespace ctl {

static_assert(sizeof(ColorDialogRecord) == 36, "the colour-dialog record is 36 bytes in a 32-bit program");

ColorDialogRecord MakeColorDialogRecord(HWND owner, COLORREF (&customColors)[16]) {
    ColorDialogRecord record = {};
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

long ShowColorDialog(ColorDialogRecord& record) { return ::ChooseColorW(&record) ? 1 : 0; }

}  // namespace ctl
