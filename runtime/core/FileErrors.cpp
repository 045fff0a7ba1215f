#include "runtime/core/FileErrors.h"

#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {
constexpr long kDeviceIoError = 57;
constexpr long kTooManyFiles = 67;
constexpr long kDiskNotReady = 71;
constexpr long kDeviceUnavailable = 68;
}  // namespace

long FileErrorNumber(DWORD win32Error) {
    switch (win32Error) {
    case ERROR_FILE_NOT_FOUND:
        return err::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return err::kPathNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_HANDLE:
        return err::kBadFileName;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return err::kDiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return err::kPermissionDenied;
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return err::kPathFileAccess;
    case ERROR_NOT_READY:
        return kDiskNotReady;
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DEV_NOT_EXIST:
        return kDeviceUnavailable;
    case ERROR_TOO_MANY_OPEN_FILES:
        return kTooManyFiles;
    case ERROR_HANDLE_EOF:
        return err::kInputPastEnd;
    default:
        return kDeviceIoError;
    }
}

void RaiseFileError(DWORD win32Error) { Raise(FileErrorNumber(win32Error)); }

void RaiseLastFileError() { RaiseFileError(GetLastError()); }

void RaiseFileError(DWORD win32Error, const wchar_t* call) {
    const long number = FileErrorNumber(win32Error);
    Raise(number, {}, StandardDescription(number) + L" (" + call + L")");
}

void RaiseLastFileError(const wchar_t* call) { RaiseFileError(GetLastError(), call); }

}  // namespace rt
