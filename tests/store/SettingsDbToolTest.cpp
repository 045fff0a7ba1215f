// make_settings_db and the file the build puts beside lumesca.exe.
#include <gtest/gtest.h>

#include "store/DatabaseFile.h"
#include "store/DatabaseFormat.h"
#include "store/SettingsDatabase.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/ChildProcess.h"

using namespace store_test;
using testing_support::BinDir;
using testing_support::ChildProcess;
using testing_support::TempFolder;

namespace {

std::wstring Tool(const std::wstring& arguments) { return L"\"" + BinDir() + L"\\make_settings_db.exe\"" + arguments; }

}  // namespace

TEST(SettingsDbTool, WritesTheDefaultDatabaseAndReplacesAnOldOne) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    WriteBytes(path, {'o', 'l', 'd'});
    ChildProcess tool(Tool(L" \"" + path + L"\""));
    ASSERT_TRUE(tool.Started());
    EXPECT_EQ(tool.WaitForExit(), 0u);
    EXPECT_EQ(ReadBytes(path), store::Encode(store::DefaultSettingsDatabase()));
    const auto database = store::ReadDatabaseFile(path);
    ASSERT_EQ(database.tables.size(), 1u);
    EXPECT_EQ(database.tables[0].name, L"coop");
    EXPECT_EQ(database.tables[0].fields[0].type, store::FieldType::Integer16);
    ASSERT_EQ(database.tables[0].records.size(), 1u);
    EXPECT_EQ(database.tables[0].records[0][0], store::Variant(std::int16_t{0}));
}

TEST(SettingsDbTool, ReportsBadUsageAndUnwritablePaths) {
    TempFolder folder;
    ChildProcess noArgument(Tool(L""));
    EXPECT_EQ(noArgument.WaitForExit(), 2u);
    ChildProcess missingFolder(Tool(L" \"" + folder.File(L"none\\tyy1.mdb") + L"\""));
    EXPECT_EQ(missingFolder.WaitForExit(), 1u);
    EXPECT_TRUE(FilesIn(folder.Path()).empty());
}

TEST(SettingsDbTool, TheBuildPutsTheDefaultDatabaseBesideTheProgram) {
    const auto path = BinDir() + L"\\tyy1.mdb";
    ASSERT_TRUE(FileExists(path)) << "the build did not write tyy1.mdb";
    const auto database = store::ReadDatabaseFile(path);
    // The table, field and type are fixed; the number may have been changed by a run since.
    const auto* coop = store::FindTable(database, L"coop");
    ASSERT_NE(coop, nullptr);
    ASSERT_FALSE(coop->records.empty());
    EXPECT_EQ(coop->fields[0].type, store::FieldType::Integer16);
    const std::int16_t skin = store::CInt(coop->records[0][0]);
    EXPECT_TRUE(skin >= 0 && skin <= 29) << skin;
}
