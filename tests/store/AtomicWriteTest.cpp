// Crash safety of writes: the new contents go to a temporary file that replaces the database
// in one rename, so stopping anywhere before the rename leaves the old file whole.
#include <gtest/gtest.h>

#include "store/AtomicFile.h"
#include "store/Connection.h"
#include "store/DatabaseFile.h"
#include "store/Recordset.h"
#include "store/SettingsDatabase.h"
#include "store/StoreErrors.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/ChildProcess.h"

using namespace store_test;
using store::Variant;
using testing_support::BinDir;
using testing_support::ChildProcess;
using testing_support::TempFolder;

namespace {

struct HookReset {
    ~HookReset() { store::SetBeforeReplaceHook({}); }
};

struct SimulatedCrash {};

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

TEST(AtomicWrite, StoppingBeforeTheRenameLeavesTheOldFileValid) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, SampleDatabase());
    const auto before = ReadBytes(path);

    HookReset reset;
    std::wstring temporary;
    std::vector<std::uint8_t> temporaryBytes;
    store::SetBeforeReplaceHook([&](const std::wstring& t) {
        temporary = t;
        temporaryBytes = ReadBytes(t);
        throw SimulatedCrash{};
    });
    store::Connection cn;
    store::Recordset rs;
    cn.Open(ConnectionStringFor(path));
    rs.CursorLocation(store::kUseClient);
    rs.Open(L"coop", cn, store::kOpenKeyset, store::kLockPessimistic);
    rs.Fields(0).Value(Variant(std::int16_t{21}));
    EXPECT_THROW(rs.Update(), SimulatedCrash);

    // The temporary file was complete and in the database's folder; the database is untouched.
    EXPECT_EQ(temporary.substr(0, folder.Path().size()), folder.Path());
    auto expected = SampleDatabase();
    expected.tables[0].records[0][0] = Variant(std::int16_t{21});
    EXPECT_EQ(temporaryBytes, store::Encode(expected));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(store::ReadDatabaseFile(path), SampleDatabase());
    EXPECT_FALSE(FileExists(temporary));  // cleaned up as the error unwound

    // The assignment is still pending; once the disk behaves the same recordset saves it.
    store::SetBeforeReplaceHook({});
    rs.Update();
    rs.Close();
    cn.Close();
    EXPECT_EQ(store::ReadDatabaseFile(path), expected);
}

TEST(AtomicWrite, AProcessKilledBetweenWriteAndRenameLeavesTheOldFile) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, SampleDatabase());
    const auto before = ReadBytes(path);

    ChildProcess probe(Quoted(BinDir() + L"\\store_probe.exe") + L" crash " + Quoted(path) + L" 17");
    ASSERT_TRUE(probe.Started());
    EXPECT_EQ(probe.WaitForExit(), 99u);  // died in the hook, as planned
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(store::ReadDatabaseFile(path), SampleDatabase());
    // A real crash leaves its temporary file behind; it is harmless, and the lock died with the process.
    EXPECT_EQ(FilesIn(folder.Path()).size(), 2u);
    ChildProcess writer(Quoted(BinDir() + L"\\store_probe.exe") + L" write " + Quoted(path) + L" 17");
    EXPECT_EQ(writer.WaitForExit(), 0u);
    EXPECT_EQ(store::ReadDatabaseFile(path).tables[0].records[0][0], Variant(std::int16_t{17}));
}

TEST(AtomicWrite, AReadOnlyDatabaseIsRefusedAndKept) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, store::DefaultSettingsDatabase());
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto e = UpdateErrorOf(path, 5);
    EXPECT_EQ(e.Number(), store::err::kReadOnly);
    EXPECT_TRUE(Contains(e.Description(), path));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(store::ReadDatabaseFile(path), store::DefaultSettingsDatabase());
    EXPECT_EQ(FilesIn(folder.Path()).size(), 1u);
}

TEST(AtomicWrite, AFailedRenameRaisesADiskErrorAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, store::DefaultSettingsDatabase());
    // Someone holds the database open without sharing delete: the rename cannot replace it.
    HANDLE blocker = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
    auto changed = store::DefaultSettingsDatabase();
    changed.tables[0].records[0][0] = Variant(std::int16_t{3});
    const auto e = ErrorOf([&] { store::WriteDatabaseFile(path, changed); });
    CloseHandle(blocker);
    EXPECT_EQ(e.Number(), store::err::kDiskError);
    EXPECT_TRUE(Contains(e.Description(), L"保存 '" + path + L"' 时发生磁盘或网络错误。"));
    EXPECT_EQ(store::ReadDatabaseFile(path), store::DefaultSettingsDatabase());
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::wstring>{L"tyy1.mdb"});
}
