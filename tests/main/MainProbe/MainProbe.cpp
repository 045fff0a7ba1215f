// A program of its own for the tests of what ends a whole program: it shows the main window
// and the skin chooser beside it (as the gradient designer would) and runs the message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/Form2.h"
#include "main/frmTest.h"
#include "runtime/Forms.h"
#include "runtime/core/RuntimeError.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        rt::Forms::Get<frmTest>().Show();
        rt::Forms::Get<Form2>().Show();
        return rt::Forms::RunMessageLoop();
    } catch (...) {
        rt::ReportCurrentException();
    }
}
