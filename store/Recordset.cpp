#include "store/Recordset.h"

#include "store/Connection.h"
#include "store/DatabaseFile.h"
#include "store/StoreErrors.h"

namespace store {

namespace {

void RequireMode(bool served, const std::wstring& what, long value) {
    if (!served)
        RaiseStoreError(err::kInvalidArgument, kRecordsetSource, {},
                        what + L" " + std::to_wstring(value) + L" 不受设置存储支持。");
}

}  // namespace

void Recordset::CursorLocation(long location) {
    if (m_open) RaiseStoreError(err::kObjectOpen, kRecordsetSource);
    RequireMode(location == kUseServer || location == kUseClient, L"游标位置", location);
    m_cursorLocation = location;
}

void Recordset::Open(const std::wstring& source, const Connection& connection, long cursorType, long lockType,
                     long options) {
    if (m_open) RaiseStoreError(err::kObjectOpen, kRecordsetSource);
    if (!connection.IsOpen()) RaiseStoreError(err::kConnectionClosed, kRecordsetSource);
    RequireMode(m_cursorLocation == kUseClient, L"游标位置", m_cursorLocation);
    RequireMode(cursorType == kOpenKeyset, L"游标类型", cursorType);
    RequireMode(lockType == kLockPessimistic, L"锁定类型", lockType);
    RequireMode(options == kCmdUnspecified, L"打开选项", options);

    const std::wstring path = connection.DataSource();
    // The lock comes first: the file read under it is the one later updates replace.
    DatabaseLock lock = DatabaseLock::Acquire(path);
    Database database = ReadDatabaseFile(path);
    const Table* table = FindTable(database, source);
    if (!table) RaiseStoreError(err::kTableNotFound, kRecordsetSource, source);

    m_tableIndex = static_cast<std::size_t>(table - database.tables.data());
    m_database = std::move(database);
    m_lock = std::move(lock);
    m_path = path;
    m_position = 0;
    m_pending.reset();
    m_open = true;
}

void Recordset::MoveFirst() {
    RequireOpen();
    if (m_pending) Update();
    if (CurrentTable().records.empty())
        RaiseStoreError(err::kNoCurrentRecord, kRecordsetSource, {}, L"表中没有记录。");
    m_position = 0;
}

Field Recordset::Fields(int index) {
    RequireOpen();
    RequireFieldIndex(index);
    return Field(*this, index);
}

void Recordset::Update() {
    RequireOpen();
    if (!m_pending) return;
    if (m_lock.ReadOnlyPlace()) m_lock.RaiseRefusal(m_path);
    Database changed = m_database;
    changed.tables[m_tableIndex].records[m_position] = *m_pending;
    WriteDatabaseFile(m_path, changed);
    m_database = std::move(changed);
    m_pending.reset();
}

void Recordset::Close() {
    RequireOpen();
    m_pending.reset();
    m_lock.Release();
    m_database = {};
    m_path.clear();
    m_open = false;
}

Variant Recordset::FieldValue(int index) {
    RequireOpen();
    RequireFieldIndex(index);
    RequireCurrentRecord();
    const Record& record = m_pending ? *m_pending : CurrentTable().records[m_position];
    return record[static_cast<std::size_t>(index)];
}

void Recordset::SetFieldValue(int index, const Variant& value) {
    RequireOpen();
    RequireFieldIndex(index);
    RequireCurrentRecord();
    const FieldType type = CurrentTable().fields[static_cast<std::size_t>(index)].type;
    CheckValueForField(value, type, kFieldSource);
    if (!m_pending) m_pending = CurrentTable().records[m_position];
    (*m_pending)[static_cast<std::size_t>(index)] = StoredValue(value, type);
}

void Recordset::RequireOpen() const {
    if (!m_open) RaiseStoreError(err::kObjectClosed, kRecordsetSource);
}

void Recordset::RequireCurrentRecord() const {
    if (m_position >= CurrentTable().records.size())
        RaiseStoreError(err::kNoCurrentRecord, kRecordsetSource, {}, L"表中没有记录。");
}

void Recordset::RequireFieldIndex(int index) const {
    const std::size_t count = CurrentTable().fields.size();
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        RaiseStoreError(err::kItemNotFound, kFieldSource, {},
                        L"请求的是字段 " + std::to_wstring(index) + L"；表 '" + CurrentTable().name +
                            L"' 的字段为 0 到 " + std::to_wstring(count - 1) + L"。");
}

}  // namespace store
