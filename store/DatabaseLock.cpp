#include "store/DatabaseLock.h"

#include "store/StoreErrors.h"
#include "store/SystemMessage.h"

namespace store {

namespace {

// A lock file whose last handle is closing is briefly "delete pending" and refuses opens with
// access denied; a few short retries tell that apart from a folder we may not write.
constexpr int kPendingDeleteAttempts = 10;
constexpr DWORD kPendingDeleteWaitMs = 20;

}  // namespace

DatabaseLock DatabaseLock::Acquire(const std::wstring& databasePath) {
    const std::wstring lockPath = LockFilePath(databasePath);
    for (int attempt = 1;; ++attempt) {
        FileHandle handle(CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (handle.Valid()) return DatabaseLock(std::move(handle));
        const DWORD code = GetLastError();
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
            RaiseStoreError(err::kFileInUse, kRecordsetSource, databasePath,
                            L"It is open for update elsewhere; try again when that has finished.");
        if (code != ERROR_ACCESS_DENIED || attempt == kPendingDeleteAttempts)
            RaiseStoreError(err::kCannotOpenFile, kRecordsetSource, lockPath, SystemMessage(code));
        Sleep(kPendingDeleteWaitMs);
    }
}

}  // namespace store
