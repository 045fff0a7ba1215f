#pragma once
// The update lock of one database file: while a DatabaseLock is held, no other open for update
// of that file succeeds, in this process or in any other. It is an exclusively opened lock file
// beside the database ("<file>.lock"), deleted by the system when its handle closes, so a
// process that dies releases its lock with it. In a folder that takes no new file (read-only
// media, an install folder users may only read) there is no lock file, but nobody can replace
// the database there either: such a place is read without a lock and never written. A disk
// too full for the lock file is read alike, and an update there is told that the disk is full.
#include <string>

#include "store/FileHandle.h"

namespace store {

class DatabaseLock {
public:
    DatabaseLock() = default;
    // Takes the lock of databasePath, or notes that its folder takes no new file
    // (ReadOnlyPlace). Raises err::kFileInUse (someone holds the lock) or
    // err::kCannotOpenFile (the lock file cannot be opened for another reason).
    static DatabaseLock Acquire(const std::wstring& databasePath);

    bool Held() const { return m_handle.Valid(); }
    // The database's folder refused the lock file: the database can be read, not replaced.
    bool ReadOnlyPlace() const { return m_refusal != ERROR_SUCCESS; }
    // Raises the error an update of the database meets in such a place: err::kReadOnly for a
    // folder that takes no new file, err::kDiskError for a full disk.
    [[noreturn]] void RaiseRefusal(const std::wstring& databasePath) const;
    void Release() {
        m_handle.Reset();
        m_refusal = ERROR_SUCCESS;
    }

    static std::wstring LockFilePath(const std::wstring& databasePath) { return databasePath + L".lock"; }

private:
    explicit DatabaseLock(FileHandle handle) : m_handle(std::move(handle)) {}
    static DatabaseLock ForReadOnlyPlace(DWORD refusal);

    FileHandle m_handle;
    DWORD m_refusal = ERROR_SUCCESS;  // the system's answer to the lock file's creation
};

}  // namespace store
