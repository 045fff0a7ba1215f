// Process entry: hands over to the form runtime, which loads the start-up window frmTest and
// runs the message loop until no window is loaded. An error while frmTest loads (an unusable
// settings database, for one) ends the program with the runtime's report before any window
// shows.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "main/frmTest.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/RuntimeError.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        const int code = rt::Forms::Run<frmTest>();
        OleUninitialize();
        return code;
    } catch (...) {
        rt::ReportCurrentException();
    }
}
