// The connection and recordset as the program uses them: open from the connection string,
// client-side keyset cursor with pessimistic locking, MoveFirst, Fields(0).Value, Update, Close.
#include <gtest/gtest.h>

#include "store/Connection.h"
#include "store/DatabaseFile.h"
#include "store/DatabaseLock.h"
#include "store/Recordset.h"
#include "store/SettingsDatabase.h"
#include "store/StoreErrors.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Places.h"

using namespace store_test;
using store::Connection;
using store::Recordset;
using store::Variant;
using testing_support::TempFolder;

namespace {

void OpenForUpdate(Connection& cn, Recordset& rs, const std::wstring& path, const std::wstring& table = L"coop") {
    cn.Open(ConnectionStringFor(path), L"", L"", store::kConnectUnspecified);
    rs.CursorLocation(store::kUseClient);
    rs.Open(table, cn, store::kOpenKeyset, store::kLockPessimistic, store::kCmdUnspecified);
}

// The write sequence of the skin panel: no MoveFirst, assign, Update, close both.
void WriteSkin(const std::wstring& path, std::int16_t skin) {
    Connection cn;
    Recordset rs;
    OpenForUpdate(cn, rs, path);
    rs.Fields(0).Value(Variant(skin));
    rs.Update();
    rs.Close();
    cn.Close();
}

// The read sequence of ApplySkin: MoveFirst, convert field 0 to a 16-bit integer, close both.
std::int16_t ReadSkin(const std::wstring& path) {
    Connection cn;
    Recordset rs;
    OpenForUpdate(cn, rs, path);
    rs.MoveFirst();
    const std::int16_t skin = store::CInt(rs.Fields(0).Value());
    rs.Close();
    cn.Close();
    return skin;
}

// Offset of field 0 of the first record of the sample's "coop": header, name, field count,
// the four field definitions, the record count, then the value's tag byte.
constexpr std::size_t kSampleSkinTag = 20 + (2 + 8) + 2 + (1 + 2 + 18) + (1 + 2 + 10) + (1 + 2 + 8) + (1 + 2 + 8) + 4;

}  // namespace

TEST(SettingsStore, FieldZeroRoundTrips) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, store::DefaultSettingsDatabase());
    EXPECT_EQ(ReadSkin(path), 0);
    for (std::int16_t skin : {29, 7, 0, 13}) {
        WriteSkin(path, skin);
        EXPECT_EQ(ReadSkin(path), skin);
    }
    // Only the database (and no temporary or lock file) is left in the folder.
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::wstring>{L"tyy1.mdb"});
}

TEST(SettingsStore, WritingFieldZeroLeavesEveryOtherByteAsItWas) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, SampleDatabase());
    const auto before = ReadBytes(path);
    ASSERT_EQ(before[kSampleSkinTag], 1);
    ASSERT_EQ(before[kSampleSkinTag + 1], 4);  // the sample's skin number

    WriteSkin(path, 0x1234);
    const auto after = ReadBytes(path);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const bool checksum = i >= store::kChecksumOffset && i < store::kChecksumOffset + 4;
        const bool value = i == kSampleSkinTag + 1 || i == kSampleSkinTag + 2;
        if (!checksum && !value) {
            EXPECT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(after[kSampleSkinTag + 1], 0x34);
    EXPECT_EQ(after[kSampleSkinTag + 2], 0x12);
    auto expected = SampleDatabase();
    expected.tables[0].records[0][0] = Variant(std::int16_t{0x1234});
    EXPECT_EQ(store::ReadDatabaseFile(path), expected);
}

TEST(SettingsStore, FieldsReadAndWriteIntegersTextAndNull) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, SampleDatabase());
    {
        Connection cn;
        Recordset rs;
        OpenForUpdate(cn, rs, path);
        EXPECT_EQ(rs.Fields(1).Value(), Variant(L"宋体 user"));
        EXPECT_EQ(rs.Fields(2).Value(), Variant(std::int32_t{123456}));
        EXPECT_TRUE(rs.Fields(3).Value().IsNull());
        rs.Fields(0).Value(Variant::Null());
        rs.Fields(1).Value(Variant(L"新"));
        rs.Fields(2).Value(Variant(std::int16_t{-3}));  // widened into the 32-bit field
        rs.Fields(0).Value(Variant(std::int32_t{12}));  // narrowed into the 16-bit field
        EXPECT_EQ(rs.Fields(0).Value(), Variant(std::int16_t{12}));  // the pending value shows
        rs.Update();
        rs.Close();
        cn.Close();
    }
    const auto record = store::ReadDatabaseFile(path).tables[0].records[0];
    EXPECT_EQ(record, (store::Record{Variant(std::int16_t{12}), Variant(L"新"), Variant(std::int32_t{-3}), Variant()}));
}

TEST(SettingsStore, CloseWithoutUpdateStoresNothing) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, SampleDatabase());
    const auto before = ReadBytes(path);
    Connection cn;
    Recordset rs;
    OpenForUpdate(cn, rs, path);
    rs.Fields(0).Value(Variant(std::int16_t{9}));
    rs.Close();
    cn.Close();
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(SettingsStore, MissingFileIsAClearErrorAndCreatesNothing) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    Connection cn;
    const auto e = ErrorOf([&] { cn.Open(ConnectionStringFor(path), L"", L"", -1); });
    EXPECT_EQ(e.Number(), store::err::kFileNotFound);
    EXPECT_EQ(e.Description(), L"找不到文件 '" + path + L"'。");
    EXPECT_EQ(e.Source(), L"Store.Database");
    EXPECT_FALSE(cn.IsOpen());
    // A missing folder is the same error.
    EXPECT_EQ(ErrorOf([&] { cn.Open(ConnectionStringFor(folder.File(L"no\\tyy1.mdb"))); }).Number(),
              store::err::kFileNotFound);
    // The write sequence run statement by statement past its errors, as the skin panel does.
    Recordset rs;
    const long last = rt::ContinueOnError({
        [&] { cn.Open(ConnectionStringFor(path), L"", L"", -1); },
        [&] { rs.CursorLocation(store::kUseClient); },
        [&] { rs.Open(L"coop", cn, store::kOpenKeyset, store::kLockPessimistic, -1); },
        [&] { rs.Fields(0).Value(Variant(std::int16_t{5})); },
        [&] { rs.Update(); },
        [&] { rs.Close(); },
        [&] { cn.Close(); },
    });
    EXPECT_EQ(last, store::err::kObjectClosed);
    EXPECT_TRUE(FilesIn(folder.Path()).empty());
}

TEST(SettingsStore, DamagedFileFailsTheOpenAndIsLeftAlone) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    auto bytes = store::Encode(store::DefaultSettingsDatabase());
    bytes.resize(bytes.size() - 2);
    WriteBytes(path, bytes);
    Connection cn;
    const auto e = ErrorOf([&] { cn.Open(ConnectionStringFor(path)); });
    EXPECT_EQ(e.Number(), store::err::kDamaged);
    EXPECT_TRUE(Contains(e.Description(), path));
    EXPECT_EQ(ReadBytes(path), bytes);
    // A folder where the file should be.
    CreateDirectoryW(folder.File(L"dir.mdb").c_str(), nullptr);
    EXPECT_EQ(ErrorOf([&] { cn.Open(ConnectionStringFor(folder.File(L"dir.mdb"))); }).Number(),
              store::err::kCannotOpenFile);
}

TEST(SettingsStore, TableRecordAndFieldProblemsAreClearErrors) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    auto database = SampleDatabase();
    database.tables[1].records.clear();  // "History" is empty
    store::WriteDatabaseFile(path, database);
    Connection cn;
    cn.Open(ConnectionStringFor(path));
    {
        Recordset rs;
        rs.CursorLocation(store::kUseClient);
        const auto e = ErrorOf([&] { rs.Open(L"coops", cn, store::kOpenKeyset, store::kLockPessimistic); });
        EXPECT_EQ(e.Number(), store::err::kTableNotFound);
        EXPECT_TRUE(Contains(e.Description(), L"'coops'"));
        EXPECT_FALSE(rs.IsOpen());
        rs.Open(L"COOP", cn, store::kOpenKeyset, store::kLockPessimistic);  // names ignore case
        EXPECT_EQ(ErrorOf([&] { rs.Fields(4); }).Number(), store::err::kItemNotFound);
        EXPECT_EQ(ErrorOf([&] { rs.Fields(-1); }).Number(), store::err::kItemNotFound);
        EXPECT_EQ(ErrorOf([&] { rs.Fields(0).Value(Variant(L"7")); }).Number(), store::err::kWrongType);
        EXPECT_EQ(ErrorOf([&] { rs.Fields(1).Value(Variant(std::int16_t{7})); }).Number(), store::err::kWrongType);
        EXPECT_EQ(ErrorOf([&] { rs.Fields(0).Value(Variant(std::int32_t{40000})); }).Number(),
                  store::err::kNumericOverflow);
        EXPECT_EQ(ErrorOf([&] { rs.Fields(1).Value(Variant(std::wstring(70000, L'x'))); }).Number(),
                  store::err::kTextTooLong);
        EXPECT_EQ(ErrorOf([&] { rs.Open(L"coop", cn, store::kOpenKeyset, store::kLockPessimistic); }).Number(),
                  store::err::kObjectOpen);
        rs.Close();
    }
    {
        Recordset rs;
        rs.CursorLocation(store::kUseClient);
        rs.Open(L"History", cn, store::kOpenKeyset, store::kLockPessimistic);
        EXPECT_EQ(ErrorOf([&] { rs.MoveFirst(); }).Number(), store::err::kNoCurrentRecord);
        EXPECT_EQ(ErrorOf([&] { rs.Fields(0).Value(); }).Number(), store::err::kNoCurrentRecord);
        EXPECT_EQ(ErrorOf([&] { rs.Fields(0).Value(Variant(std::int32_t{1})); }).Number(),
                  store::err::kNoCurrentRecord);
        rs.Update();  // nothing pending: nothing to do
        rs.Close();
    }
    cn.Close();
    EXPECT_EQ(store::ReadDatabaseFile(path), database);
}

TEST(SettingsStore, MisuseOfClosedOpenObjectsAndUnservedModesIsRefused) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, store::DefaultSettingsDatabase());
    Connection cn;
    Recordset rs;
    EXPECT_EQ(ErrorOf([&] { cn.Close(); }).Number(), store::err::kObjectClosed);
    EXPECT_EQ(ErrorOf([&] { rs.Close(); }).Number(), store::err::kObjectClosed);
    EXPECT_EQ(ErrorOf([&] { rs.MoveFirst(); }).Number(), store::err::kObjectClosed);
    EXPECT_EQ(ErrorOf([&] { rs.Fields(0); }).Number(), store::err::kObjectClosed);
    EXPECT_EQ(ErrorOf([&] { rs.Update(); }).Number(), store::err::kObjectClosed);
    rs.CursorLocation(store::kUseClient);
    EXPECT_EQ(ErrorOf([&] { rs.Open(L"coop", cn, 1, 2); }).Number(), store::err::kConnectionClosed);

    EXPECT_EQ(ErrorOf([&] { cn.Open(ConnectionStringFor(path), L"Admin", L""); }).Number(), store::err::kBadAccount);
    EXPECT_EQ(ErrorOf([&] { cn.Open(ConnectionStringFor(path), L"", L"", 16); }).Number(),
              store::err::kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { cn.Open(L"Provider=MSDASQL;Data Source=" + path); }).Number(),
              store::err::kProviderNotFound);
    EXPECT_FALSE(cn.IsOpen());
    cn.Open(ConnectionStringFor(path));
    EXPECT_EQ(cn.DataSource(), path);
    EXPECT_EQ(ErrorOf([&] { cn.Open(ConnectionStringFor(path)); }).Number(), store::err::kObjectOpen);

    EXPECT_EQ(ErrorOf([&] { rs.Open(L"coop", cn, 3, 2); }).Number(), store::err::kInvalidArgument);  // static
    EXPECT_EQ(ErrorOf([&] { rs.Open(L"coop", cn, 1, 1); }).Number(), store::err::kInvalidArgument);  // read-only
    EXPECT_EQ(ErrorOf([&] { rs.Open(L"coop", cn, 1, 2, 2); }).Number(), store::err::kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { rs.CursorLocation(7); }).Number(), store::err::kInvalidArgument);
    rs.CursorLocation(store::kUseServer);
    EXPECT_EQ(ErrorOf([&] { rs.Open(L"coop", cn, 1, 2); }).Number(), store::err::kInvalidArgument);
    rs.CursorLocation(store::kUseClient);
    rs.Open(L"coop", cn, 1, 2);
    EXPECT_EQ(ErrorOf([&] { rs.CursorLocation(store::kUseClient); }).Number(), store::err::kObjectOpen);
    rs.Close();
    cn.Close();
    EXPECT_EQ(ErrorOf([&] { rs.Fields(0); }).Number(), store::err::kObjectClosed);
}

TEST(SettingsStore, TwoOpensForUpdateConflictUntilTheFirstCloses) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, store::DefaultSettingsDatabase());
    Connection first, second;
    Recordset holder, other;
    OpenForUpdate(first, holder, path);
    EXPECT_TRUE(FileExists(store::DatabaseLock::LockFilePath(path)));
    second.Open(ConnectionStringFor(path));  // connecting is allowed; opening for update is not
    other.CursorLocation(store::kUseClient);
    const auto e = ErrorOf([&] { other.Open(L"coop", second, store::kOpenKeyset, store::kLockPessimistic); });
    EXPECT_EQ(e.Number(), store::err::kFileInUse);
    EXPECT_EQ(e.Description(), L"不能使用 '" + path + L"'；文件已在使用中。它正被别处打开以进行更新；请待其完成后再试。");
    EXPECT_FALSE(other.IsOpen());
    // The skin panel's write under continue-on-error: nothing is stored while locked.
    rt::ContinueOnError({[&] { WriteSkin(path, 3); }});
    holder.Close();
    EXPECT_FALSE(FileExists(store::DatabaseLock::LockFilePath(path)));
    other.Open(L"coop", second, store::kOpenKeyset, store::kLockPessimistic);
    EXPECT_EQ(store::CInt(other.Fields(0).Value()), 0);
    other.Close();
    // Destroying an open recordset releases its lock too.
    {
        Recordset forgotten;
        forgotten.CursorLocation(store::kUseClient);
        forgotten.Open(L"coop", first, store::kOpenKeyset, store::kLockPessimistic);
    }
    WriteSkin(path, 8);
    EXPECT_EQ(ReadSkin(path), 8);
}

TEST(SettingsStore, AFolderThatTakesNoNewFileIsReadWithoutALockAndNeverWritten) {
    const std::wstring folder = testing_support::PlaceFolder(L"settings-immutable");
    if (folder.empty()) GTEST_SKIP() << "no immutable folder (needs root and chattr)";
    const auto path = folder + L"\\tyy1.mdb";
    const auto before = testing_support::FilesWithBytes(folder);
    EXPECT_EQ(ReadSkin(path), 0);
    const auto e = UpdateErrorOf(path, 5);
    EXPECT_EQ(e.Number(), store::err::kReadOnly);
    EXPECT_TRUE(Contains(e.Description(), path));
    // The skin panel's write, statement by statement past its errors, stores nothing either.
    rt::ContinueOnError({[&] { WriteSkin(path, 3); }});
    EXPECT_EQ(ReadSkin(path), 0);
    EXPECT_EQ(testing_support::FilesWithBytes(folder), before);
}

TEST(SettingsStore, ADiskTooFullForTheLockFileIsReadWithoutOneAndAnUpdateSaysTheDiskIsFull) {
    const std::wstring folder = testing_support::PlaceFolder(L"settings-full");
    if (folder.empty()) GTEST_SKIP() << "no full place (needs root to mount a tmpfs)";
    const auto path = folder + L"\\tyy1.mdb";
    EXPECT_EQ(ReadSkin(path), 0);
    const auto e = UpdateErrorOf(path, 5);
    EXPECT_EQ(e.Number(), store::err::kDiskError);
    EXPECT_TRUE(Contains(e.Description(), L"磁盘已满"));
}
