#include "store/DatabaseLock.h"

#include "store/StoreErrors.h"
#include "store/SystemMessage.h"

namespace store {

namespace {

// A lock file whose last handle is closing is briefly "delete pending" and refuses opens with
// access denied; a few short retries tell that apart from a folder we may not write.
constexpr int kPendingDeleteAttempts = 10;
constexpr DWORD kPendingDeleteWaitMs = 20;

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_FILE_NOT_FOUND;
}

// Whether creating the lock file failed because the folder takes no new file. Access denied
// while no lock file is there means the folder refused the creation; a pending-delete lock
// file would still be there.
bool FolderRefusedNewFile(DWORD code, const std::wstring& lockPath) {
    switch (code) {
    case ERROR_WRITE_PROTECT:
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return true;
    case ERROR_ACCESS_DENIED:
        return !Exists(lockPath);
    default:
        return false;
    }
}

}  // namespace

DatabaseLock DatabaseLock::ForReadOnlyPlace() {
    DatabaseLock lock;
    lock.m_readOnlyPlace = true;
    return lock;
}

DatabaseLock DatabaseLock::Acquire(const std::wstring& databasePath) {
    const std::wstring lockPath = LockFilePath(databasePath);
    // A lock file that vanished between the failed creation and the look for it would make a
    // writable folder look read-only: the folder counts as refusing only twice in a row.
    bool refusedBefore = false;
    for (int attempt = 1;; ++attempt) {
        FileHandle handle(CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (handle.Valid()) return DatabaseLock(std::move(handle));
        const DWORD code = GetLastError();
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
            RaiseStoreError(err::kFileInUse, kRecordsetSource, databasePath,
                            L"它正被别处打开以进行更新；请待其完成后再试。");
        const bool refused = FolderRefusedNewFile(code, lockPath);
        if (refused && refusedBefore) return ForReadOnlyPlace();
        refusedBefore = refused;
        const bool mayRetry = refused || code == ERROR_ACCESS_DENIED;
        if (!mayRetry || attempt == kPendingDeleteAttempts)
            RaiseStoreError(err::kCannotOpenFile, kRecordsetSource, lockPath, SystemMessage(code));
        Sleep(kPendingDeleteWaitMs);
    }
}

}  // namespace store
