// A second process for the password book's crash tests. It opens a book as the editor does,
// signals the named event, and then works on the book until the test kills it:
//   passbook_probe compact <book> <lastRecord> <event>   compacts to lastRecord records
//   passbook_probe delete <book> <k> <event>             deletes record k by shifting, then
//                                                        compacts
//   passbook_probe shift <book> <k> <event>              deletes record k by shifting only
//   passbook_probe editor                                shows the editor as the program
//                                                        would and runs until no window is left
// Exit code 0 when the work ended, else the run-time error's number.
#include <windows.h>

#include <string>

#include "passbook/BookCompaction.h"
#include "passbook/BookRecords.h"
#include "passbook/Form1.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr int kExitUsage = 2;

bool Signal(const std::wstring& eventName) {
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName.c_str());
    if (!ready) return false;
    SetEvent(ready);
    CloseHandle(ready);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"editor") {
        rt::Forms::Get<Form1>();
        return rt::Forms::RunMessageLoop();
    }
    if (argc != 5) return kExitUsage;
    const std::wstring mode = argv[1];
    const std::wstring book = argv[2];
    const long number = _wtol(argv[3]);
    try {
        short fileNum = OpenBookFile(book);
        if (!Signal(argv[4])) return kExitUsage;
        if (mode == L"compact") {
            CompactBook(fileNum, number);
        } else if (mode == L"delete" || mode == L"shift") {
            const long last = RecordCount(fileNum);
            DeleteByShifting(fileNum, number, last);
            if (mode == L"delete") CompactBook(fileNum, last - 1);
        } else {
            return kExitUsage;
        }
        rt::CloseAll();
    } catch (const rt::RuntimeError& e) {
        return static_cast<int>(e.Number());
    }
    return 0;
}
