// The update lock holds across processes, and a process that dies releases it.
#include <gtest/gtest.h>

#include "store/Connection.h"
#include "store/DatabaseFile.h"
#include "store/Recordset.h"
#include "store/SettingsDatabase.h"
#include "store/StoreErrors.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/ChildProcess.h"

using namespace store_test;
using testing_support::BinDir;
using testing_support::ChildProcess;
using testing_support::TempFolder;

namespace {

std::wstring Probe(const std::wstring& arguments) { return L"\"" + BinDir() + L"\\store_probe.exe\" " + arguments; }

}  // namespace

TEST(CrossProcessLock, AnotherProcessHoldingTheDatabaseBlocksOpeningForUpdate) {
    TempFolder folder;
    const auto path = folder.File(L"tyy1.mdb");
    store::WriteDatabaseFile(path, store::DefaultSettingsDatabase());
    const std::wstring eventName = L"LumescaStoreProbeReady-" + std::to_wstring(GetCurrentProcessId());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);

    ChildProcess holder(Probe(L"hold \"" + path + L"\" " + eventName));
    ASSERT_TRUE(holder.Started());
    ASSERT_EQ(WaitForSingleObject(ready, 15000), WAIT_OBJECT_0);
    CloseHandle(ready);

    store::Connection cn;
    store::Recordset rs;
    cn.Open(ConnectionStringFor(path));
    rs.CursorLocation(store::kUseClient);
    EXPECT_EQ(ErrorOf([&] { rs.Open(L"coop", cn, store::kOpenKeyset, store::kLockPessimistic); }).Number(),
              store::err::kFileInUse);

    holder.Kill();  // dies holding the lock, as a crashed program would
    holder.WaitForExit();
    rs.Open(L"coop", cn, store::kOpenKeyset, store::kLockPessimistic);
    // Now this process holds it, and a second process is refused with the lock error.
    ChildProcess writer(Probe(L"write \"" + path + L"\" 5"));
    EXPECT_EQ(writer.WaitForExit(), static_cast<DWORD>(store::err::kFileInUse));
    rs.Close();
    ChildProcess again(Probe(L"write \"" + path + L"\" 5"));
    EXPECT_EQ(again.WaitForExit(), 0u);
    cn.Close();
    EXPECT_EQ(store::ReadDatabaseFile(path).tables[0].records[0][0], store::Variant(std::int16_t{5}));
}
