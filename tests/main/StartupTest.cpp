#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/core/Text.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ChildProcess.h"

using namespace testing_support;

namespace {

// lumesca.exe copied into a folder of its own with whatever settings file the case writes.
struct Installation {
    Installation() { CopyFileW((BinDir() + L"\\lumesca.exe").c_str(), Exe().c_str(), FALSE); }
    std::wstring Exe() const { return folder.File(L"lumesca.exe"); }
    std::wstring Database() const { return main_tests::SettingsPath(folder.Path()); }
    TempFolder folder;
};

struct BadCase {
    const char* name;
    std::function<void(const std::wstring& db)> write;  // leaves the folder without a file when empty
    const wchar_t* report = L"实时错误 '";              // what the runtime's report says
};

void WriteDb(const std::wstring& path, const store::Database& db) { store::WriteDatabaseFile(path, db); }

}  // namespace

TEST(Startup, EveryUnusableSettingsDatabaseEndsTheProgramWithTheRuntimesReportBeforeAnyWindow) {
    using store::FieldType;
    using store::Variant;
    const std::vector<BadCase> cases = {
        {"missing file", nullptr, L"实时错误 '3024':\n\n找不到文件 '"},
        {"damaged file",
         [](const std::wstring& p) {
             HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
             DWORD written = 0;
             WriteFile(h, "not a database at all", 21, &written, nullptr);
             CloseHandle(h);
         }},
        {"no table coop",
         [](const std::wstring& p) {
             store::Database db = store::DefaultSettingsDatabase();
             db.tables[0].name = L"other";
             WriteDb(p, db);
         }},
        {"empty table",
         [](const std::wstring& p) {
             store::Database db = store::DefaultSettingsDatabase();
             db.tables[0].records.clear();
             WriteDb(p, db);
         }},
        {"field 0 null", [](const std::wstring& p) { WriteDb(p, main_tests::SettingsWith(Variant::Null())); }},
        {"field 0 text",
         [](const std::wstring& p) { WriteDb(p, main_tests::SettingsWith(Variant(L"abc"), FieldType::Text)); }},
        {"field 0 beyond 16 bits",
         [](const std::wstring& p) {
             WriteDb(p, main_tests::SettingsWith(Variant(std::int32_t{70000}), FieldType::Integer32));
         }},
        {"skin 30", [](const std::wstring& p) { main_tests::WriteSettings(p.substr(0, p.rfind(L'\\')), 30); },
         L"实时错误 '340':\n\n控件数组元素不存在"},
        {"skin -1", [](const std::wstring& p) { main_tests::WriteSettings(p.substr(0, p.rfind(L'\\')), -1); }},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        Installation app;
        if (c.write) c.write(app.Database());
        const bool hadFile = main_tests::FileExists(app.Database());
        const std::vector<char> before = hadFile ? main_tests::FileBytes(app.Database()) : std::vector<char>{};

        ChildProcess child(L"\"" + app.Exe() + L"\"", app.folder.Path());
        ASSERT_TRUE(child.Started());
        HWND report = child.WaitForWindow(L"lumesca");
        ASSERT_NE(report, nullptr) << "the runtime's report";
        std::wstring texts;
        for (const auto& t : ChildTexts(report)) texts += t + L"\n";
        EXPECT_NE(texts.find(c.report), std::wstring::npos) << rt::Utf8FromWide(texts);
        EXPECT_EQ(child.WaitForWindow(L"Lumesca", 200), nullptr) << "the main window never shows";
        PostMessageW(report, WM_COMMAND, IDOK, 0);
        const DWORD code = child.WaitForExit();
        EXPECT_NE(code, 0u);
        EXPECT_NE(code, STILL_ACTIVE);
        EXPECT_EQ(main_tests::FileExists(app.Database()), hadFile);
        if (hadFile) {
            EXPECT_EQ(main_tests::FileBytes(app.Database()), before) << "nothing written";
        }
    }
}

TEST(Startup, ClosingTheSkinChooserEndsTheWholeProgramWithExitCodeZero) {
    TempFolder folder;
    CopyFileW((BinDir() + L"\\main_probe.exe").c_str(), folder.File(L"main_probe.exe").c_str(), FALSE);
    main_tests::WriteSettings(folder.Path(), 5);
    ChildProcess child(L"\"" + folder.File(L"main_probe.exe") + L"\"", folder.Path());
    ASSERT_NE(child.WaitForWindow(L"Lumesca"), nullptr);
    HWND chooser = child.WaitForWindow(L"Form1");
    ASSERT_NE(chooser, nullptr);
    PostMessageW(chooser, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.WaitForExit(), 0u);
    EXPECT_EQ(main_tests::StoredField0(folder.Path()), store::Variant(std::int16_t{5}));
}

// Windows runs it as the user who starts it, without redirecting its writes in a folder users
// may only read: the manifest linked into the executable says so.
TEST(Startup, TheExecutablesManifestAsksToRunAsTheInvoker) {
    const HMODULE exe = LoadLibraryExW((BinDir() + L"\\lumesca.exe").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr);
    const HRSRC found = FindResourceW(exe, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                               SizeofResource(exe, found));
    FreeLibrary(exe);
    EXPECT_NE(manifest.find(R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)"), std::string::npos);
}
