// make_settings_db: writes the default settings database (table "coop", one record whose
// field 0, the skin number, is 0) to the path given, replacing a file already there.
//   make_settings_db <path>        exit code 0 on success, 1 on failure, 2 on bad usage
#include <windows.h>

#include <cstdio>
#include <string>

#include "runtime/core/RuntimeError.h"
#include "runtime/core/Text.h"
#include "store/DatabaseFile.h"
#include "store/SettingsDatabase.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void WriteLine(FILE* stream, const std::wstring& text) {
    std::fputs(rt::Utf8FromWide(text + L"\n").c_str(), stream);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 || argv[1][0] == L'\0') {
        WriteLine(stderr, L"usage: make_settings_db <path of the database to write, e.g. tyy1.mdb>");
        return kExitUsage;
    }
    try {
        store::WriteDatabaseFile(argv[1], store::DefaultSettingsDatabase());
    } catch (const rt::RuntimeError& e) {
        WriteLine(stderr, L"make_settings_db: error " + std::to_wstring(e.Number()) + L": " + e.Description());
        return kExitFailure;
    }
    WriteLine(stdout, std::wstring(L"make_settings_db: wrote ") + argv[1]);
    return 0;
}
