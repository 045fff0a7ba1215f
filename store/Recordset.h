#pragma once
// A recordset on one table of a settings database, opened for update with a client-side,
// keyset cursor and pessimistic locking: from Open to Close it holds the database's update
// lock, so no other recordset (in any process) can open the file for update meanwhile. In a
// folder that takes no new file it opens without the lock and can only be read.
// Assignments through Fields(i).Value are kept on the current record until Update writes the
// whole file anew (atomically); Close drops assignments that were never saved.
#include <optional>
#include <string>

#include "store/Database.h"
#include "store/DatabaseLock.h"
#include "store/Field.h"

namespace store {

class Connection;

// The cursor and lock modes, with their customary numbers. The store serves the combination
// the program uses: client-side cursor location, keyset cursor, pessimistic locking.
constexpr long kUseServer = 2;
constexpr long kUseClient = 3;
constexpr long kOpenKeyset = 1;
constexpr long kLockPessimistic = 2;
constexpr long kCmdUnspecified = -1;

class Recordset {
public:
    Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    long CursorLocation() const { return m_cursorLocation; }
    // Raises err::kObjectOpen while open.
    void CursorLocation(long location);

    // Opens table source of the connection's database and stands on its first record (none
    // when the table is empty). Raises err::kObjectOpen, err::kConnectionClosed,
    // err::kInvalidArgument (modes other than the served ones), err::kFileInUse (already open
    // for update), the file errors, and err::kTableNotFound.
    void Open(const std::wstring& source, const Connection& connection, long cursorType, long lockType,
              long options = kCmdUnspecified);
    // Goes to the first record, saving a pending assignment first. Raises
    // err::kNoCurrentRecord on an empty table.
    void MoveFirst();
    // Field index of the current record. Raises err::kItemNotFound when out of range.
    Field Fields(int index);
    // Writes pending assignments to the file; nothing to do when there are none. On failure
    // the file is as it was and the assignments stay pending. In a folder that takes no new
    // file it raises err::kReadOnly, as for a read-only file.
    void Update();
    // Drops pending assignments and releases the lock.
    void Close();

    bool IsOpen() const { return m_open; }

private:
    friend class Field;
    Variant FieldValue(int index);
    void SetFieldValue(int index, const Variant& value);

    void RequireOpen() const;
    void RequireCurrentRecord() const;
    void RequireFieldIndex(int index) const;
    const Table& CurrentTable() const { return m_database.tables[m_tableIndex]; }

    long m_cursorLocation = kUseServer;
    bool m_open = false;
    std::wstring m_path;
    DatabaseLock m_lock;
    Database m_database;
    std::size_t m_tableIndex = 0;
    std::size_t m_position = 0;        // == record count: no current record
    std::optional<Record> m_pending;   // the current record with unsaved assignments
};

}  // namespace store
