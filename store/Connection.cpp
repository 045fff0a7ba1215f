#include "store/Connection.h"

#include "store/ConnectionString.h"
#include "store/DatabaseFile.h"
#include "store/StoreErrors.h"

namespace store {

void Connection::Open(const std::wstring& connectionString, const std::wstring& userId, const std::wstring& password,
                      long options) {
    if (m_open) RaiseStoreError(err::kObjectOpen, kConnectionSource);
    const ConnectionSettings settings = ParseConnectionString(connectionString);
    if (!userId.empty() || !password.empty())
        RaiseStoreError(err::kBadAccount, kConnectionSource, {}, L"设置数据库没有用户帐户。");
    if (options != kConnectUnspecified)
        RaiseStoreError(err::kInvalidArgument, kConnectionSource, {},
                        L"不支持连接选项 " + std::to_wstring(options) + L"。");
    ReadDatabaseFile(settings.dataSource);  // fails here, as the caller expects, when the file is unusable
    m_dataSource = settings.dataSource;
    m_open = true;
}

void Connection::Close() {
    if (!m_open) RaiseStoreError(err::kObjectClosed, kConnectionSource);
    m_open = false;
    m_dataSource.clear();
}

}  // namespace store
