// A second process for the settings store tests.
//   store_probe hold <db> <event>     opens "coop" for update, signals the named event, then
//                                     waits to be killed (the lock dies with the process)
//   store_probe write <db> <n>        stores n in field 0; exit code 0 or the error number
//   store_probe crash <db> <n>        assigns n and updates, but ends the process abruptly
//                                     after the temporary file is written, before the rename
#include <windows.h>

#include <string>

#include "runtime/core/RuntimeError.h"
#include "store/AtomicFile.h"
#include "store/Connection.h"
#include "store/Recordset.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitCrashed = 99;
constexpr int kExitNoCrash = 98;

void OpenForUpdate(store::Connection& cn, store::Recordset& rs, const std::wstring& path) {
    cn.Open(L"Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=" + path, L"", L"",
            store::kConnectUnspecified);
    rs.CursorLocation(store::kUseClient);
    rs.Open(L"coop", cn, store::kOpenKeyset, store::kLockPessimistic, store::kCmdUnspecified);
}

int Hold(const std::wstring& path, const std::wstring& eventName) {
    store::Connection cn;
    store::Recordset rs;
    OpenForUpdate(cn, rs, path);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName.c_str());
    if (!ready) return kExitUsage;
    SetEvent(ready);
    CloseHandle(ready);
    Sleep(INFINITE);  // holds the database until the test ends this process
    return 0;
}

int Write(const std::wstring& path, std::int16_t value, bool crash) {
    store::Connection cn;
    store::Recordset rs;
    OpenForUpdate(cn, rs, path);
    rs.Fields(0).Value(store::Variant(value));
    if (crash) store::SetBeforeReplaceHook([](const std::wstring&) { TerminateProcess(GetCurrentProcess(), kExitCrashed); });
    rs.Update();
    rs.Close();
    cn.Close();
    return crash ? kExitNoCrash : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return kExitUsage;
    const std::wstring mode = argv[1];
    try {
        if (mode == L"hold") return Hold(argv[2], argv[3]);
        if (mode == L"write") return Write(argv[2], static_cast<std::int16_t>(_wtoi(argv[3])), false);
        if (mode == L"crash") return Write(argv[2], static_cast<std::int16_t>(_wtoi(argv[3])), true);
    } catch (const rt::RuntimeError& e) {
        return static_cast<int>(e.Number());
    }
    return kExitUsage;
}
