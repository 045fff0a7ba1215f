#pragma once
// The update lock of one database file: while a DatabaseLock is held, no other open for update
// of that file succeeds, in this process or in any other. It is an exclusively opened lock file
// beside the database ("<file>.lock"), deleted by the system when its handle closes, so a
// process that dies releases its lock with it.
#include <string>

#include "store/FileHandle.h"

namespace store {

class DatabaseLock {
public:
    DatabaseLock() = default;
    // Takes the lock of databasePath or raises err::kFileInUse (someone holds it) or
    // err::kCannotOpenFile (the lock file cannot be made, e.g. a read-only folder).
    static DatabaseLock Acquire(const std::wstring& databasePath);

    bool Held() const { return m_handle.Valid(); }
    void Release() { m_handle.Reset(); }

    static std::wstring LockFilePath(const std::wstring& databasePath) { return databasePath + L".lock"; }

private:
    explicit DatabaseLock(FileHandle handle) : m_handle(std::move(handle)) {}
    FileHandle m_handle;
};

}  // namespace store
