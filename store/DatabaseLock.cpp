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

// Whether creating the lock file failed because the folder takes no new file, or the disk
// none at all (told apart by RaiseRefusal). Access denied
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

DatabaseLock DatabaseLock::ForReadOnlyPlace(DWORD refusal) {
    DatabaseLock lock;
    lock.m_refusal = refusal;
    return lock;
}

void DatabaseLock::RaiseRefusal(const std::wstring& databasePath) const {
    if (m_refusal == ERROR_DISK_FULL || m_refusal == ERROR_HANDLE_DISK_FULL)
        RaiseStoreError(err::kDiskError, kDatabaseSource, databasePath, L"磁盘已满。");
    RaiseStoreError(err::kReadOnly, kDatabaseSource, databasePath, L"它所在的文件夹不能创建新文件。");
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
        if (refused && refusedBefore) return ForReadOnlyPlace(code);
        refusedBefore = refused;
        const bool mayRetry = refused || code == ERROR_ACCESS_DENIED;
        if (!mayRetry || attempt == kPendingDeleteAttempts)
            RaiseStoreError(err::kCannotOpenFile, kRecordsetSource, lockPath, SystemMessage(code));
        Sleep(kPendingDeleteWaitMs);
    }
}

}  // namespace store
