#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "runtime/core/RuntimeError.h"
#include "store/StoreErrors.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ChildProcess.h"

using app::SettingsConnectionString;
using app::SettingsSession;
using testing_support::TempFolder;

TEST(SettingsConnectionString, NamesTheProviderAndTheDatabaseInTheFolder) {
    EXPECT_EQ(SettingsConnectionString(L"C:\\Program Files\\Lumesca"),
              L"Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;"
              L"Data Source=C:\\Program Files\\Lumesca\\tyy1.mdb");
    EXPECT_EQ(SettingsConnectionString(L"D:\\"),
              L"Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=D:\\tyy1.mdb")
        << "a drive root gets no second backslash";
}

TEST(SettingsSession, ReadsAndWritesFieldZeroOfTheFirstRecordOnly) {
    TempFolder folder;
    store::Database db = main_tests::SettingsWith(store::Variant(std::int16_t{12}));
    db.tables[0].fields.push_back({L"Other", store::FieldType::Text});
    db.tables[0].records[0].push_back(store::Variant(L"keep"));
    db.tables[0].records.push_back({store::Variant(std::int16_t{3}), store::Variant(L"second")});
    store::WriteDatabaseFile(main_tests::SettingsPath(folder.Path()), db);
    app::OverrideSettingsFolder(folder.Path());

    {
        SettingsSession read;
        read.Open();
        EXPECT_EQ(read.ReadFirstSkinIndex(), 12);
        read.Close();
        EXPECT_FALSE(read.HasRecordset());
    }
    {
        SettingsSession write;
        write.Open();
        write.WriteSkinIndex(27);
        write.Update();
        write.Close();
    }
    store::Database after = store::ReadDatabaseFile(main_tests::SettingsPath(folder.Path()));
    db.tables[0].records[0][0] = store::Variant(std::int16_t{27});
    EXPECT_EQ(after, db) << "only field 0 of the first record changes";
    app::OverrideSettingsFolder(L"");
}

TEST(SettingsSession, MissingDatabaseAndMissingObjectsRaiseRunTimeErrors) {
    TempFolder folder;
    app::OverrideSettingsFolder(folder.Path());
    SettingsSession session;
    try {
        session.Open();
        FAIL() << "no database, yet the connection opened";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), store::err::kFileNotFound);
    }
    EXPECT_FALSE(session.HasRecordset()) << "the first failing step abandons the rest";
    try {
        SettingsSession().ReadFirstSkinIndex();
        FAIL() << "no recordset, yet a value was read";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 91);
    }
    EXPECT_FALSE(main_tests::FileExists(main_tests::SettingsPath(folder.Path()))) << "nothing creates the file";
    app::OverrideSettingsFolder(L"");
}

TEST(SettingsSession, ContinuingOnErrorEveryStepRunsAndTheUnreadValueStands) {
    TempFolder folder;
    app::OverrideSettingsFolder(folder.Path());
    SettingsSession session(app::OnError::Continue);
    EXPECT_NO_THROW({
        session.Open();
        EXPECT_TRUE(session.HasRecordset()) << "the recordset step ran after the connection failed";
        EXPECT_EQ(session.ReadFirstSkinIndex(5), 5);
        session.WriteSkinIndex(3);
        session.Update();
        session.Close();
    });
    EXPECT_FALSE(session.HasRecordset());
    EXPECT_THROW(SettingsSession(app::OnError::Raise).Close(), rt::RuntimeError) << "no connection to close";
    EXPECT_FALSE(main_tests::FileExists(main_tests::SettingsPath(folder.Path())));
    app::OverrideSettingsFolder(L"");
}
