#include "runtime/core/Files.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "runtime/core/FileErrors.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

constexpr long kBadRecordLength = 59;
constexpr long kTooManyFiles = 67;
constexpr long kDeviceUnavailable = 68;

// One open file: its handle, closed when the entry goes.
struct OpenFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    OpenMode mode = OpenMode::Input;
    FileAccess access = FileAccess::Default;
    int recordLength = kDefaultRecordLength;
    std::wstring fullPath;

    OpenFile() = default;
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

std::map<int, std::unique_ptr<OpenFile>>& Table() {
    static std::map<int, std::unique_ptr<OpenFile>> files;
    return files;
}

OpenFile& Lookup(int fileNumber) {
    auto& files = Table();
    const auto it = files.find(fileNumber);
    if (it == files.end()) Raise(err::kBadFileName);
    return *it->second;
}

OpenFile& LookupIn(int fileNumber, OpenMode mode) {
    OpenFile& file = Lookup(fileNumber);
    if (file.mode != mode) Raise(err::kBadFileMode);
    return file;
}

OpenFile& LookupForWriting(int fileNumber, OpenMode mode) {
    OpenFile& file = LookupIn(fileNumber, mode);
    if (file.access == FileAccess::Read) Raise(err::kBadFileMode);
    return file;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH * 2) return path;
    return buffer;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool WritesSequentially(OpenMode mode) { return mode == OpenMode::Output || mode == OpenMode::Append; }

HANDLE CreateFor(const std::wstring& path, OpenMode mode, FileAccess access) {
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (access == FileAccess::Read) {
        return CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    switch (mode) {
    case OpenMode::Output:
        return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    case OpenMode::Input:
        return CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    case OpenMode::Append:
        return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    case OpenMode::Random:
    case OpenMode::Binary: {
        // Read and write when allowed, else read only (a read-only file still opens).
        HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, shareAll, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
            handle = CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
            if (handle == INVALID_HANDLE_VALUE) SetLastError(ERROR_ACCESS_DENIED);
        }
        return handle;
    }
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
}

void SeekTo(const OpenFile& file, long long offset) {
    LARGE_INTEGER to;
    to.QuadPart = offset;
    if (!SetFilePointerEx(file.handle, to, nullptr, FILE_BEGIN)) RaiseLastFileError();
}

long long SizeOf(const OpenFile& file) {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.handle, &size)) RaiseLastFileError();
    return size.QuadPart;
}

// Reads count bytes at offset; bytes beyond the end of the file come back as zero.
void ReadAt(const OpenFile& file, long long offset, void* buffer, size_t count) {
    memset(buffer, 0, count);
    if (count == 0) return;
    const long long size = SizeOf(file);
    if (offset >= size) return;
    const size_t available = static_cast<size_t>(std::min<long long>(static_cast<long long>(count), size - offset));
    SeekTo(file, offset);
    DWORD read = 0;
    if (!ReadFile(file.handle, buffer, static_cast<DWORD>(available), &read, nullptr)) RaiseLastFileError();
}

void WriteAt(const OpenFile& file, long long offset, const void* buffer, size_t count) {
    if (count == 0) return;
    SeekTo(file, offset);
    DWORD written = 0;
    if (!WriteFile(file.handle, buffer, static_cast<DWORD>(count), &written, nullptr)) RaiseLastFileError();
    if (written != count) RaiseFileError(ERROR_DISK_FULL);
}

}  // namespace

std::wstring AppPath() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring folder(path, length);
    const auto slash = folder.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return folder;
    folder.erase(slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // a drive root keeps its backslash
    return folder;
}

std::wstring CurDir() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, folder.data());
    folder.resize(length);
    return folder;
}

void ChDrive(const std::wstring& drive) {
    if (drive.empty()) return;
    const wchar_t letter = static_cast<wchar_t>(towupper(drive[0]));
    const std::wstring root = std::wstring(1, letter) + L":\\";
    if (letter < L'A' || letter > L'Z' || GetDriveTypeW(root.c_str()) <= DRIVE_NO_ROOT_DIR) Raise(kDeviceUnavailable);
    // "X:" makes the drive's own current folder current (its root when it has none yet).
    if (!SetCurrentDirectoryW((std::wstring(1, letter) + L":").c_str()) && !SetCurrentDirectoryW(root.c_str())) {
        Raise(kDeviceUnavailable);
    }
}

void ChDir(const std::wstring& path) {
    if (path.empty()) Raise(err::kPathNotFound);
    if (!SetCurrentDirectoryW(path.c_str())) {
        const DWORD error = GetLastError();
        Raise(error == ERROR_FILE_NOT_FOUND || error == ERROR_DIRECTORY ? err::kPathNotFound : FileErrorNumber(error));
    }
}

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool exists = false;
    do {
        exists = (found.dwFileAttributes & kNotNormal) == 0;
    } while (!exists && FindNextFileW(search, &found));
    FindClose(search);
    return exists;
}

void FileCopy(const std::wstring& source, const std::wstring& destination) {
    if (!CopyFileW(source.c_str(), destination.c_str(), FALSE)) RaiseLastFileError();
}

void Kill(const std::wstring& path) {
    if (!DeleteFileW(path.c_str())) RaiseLastFileError();
}

long long FileLen(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) RaiseLastFileError();
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Raise(err::kFileNotFound);
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int FreeFile() {
    const auto& files = Table();
    for (int number = 1; number <= kMaxFileNumber; ++number) {
        if (!files.count(number)) return number;
    }
    Raise(kTooManyFiles);
}

void Open(const std::wstring& path, OpenMode mode, int fileNumber, int recordLength, FileAccess access) {
    auto& files = Table();
    if (fileNumber < 1 || fileNumber > kMaxFileNumber) Raise(err::kBadFileName);
    if (files.count(fileNumber)) Raise(err::kFileAlreadyOpen);
    if (recordLength < 1 || recordLength > kMaxRecordLength) Raise(err::kInvalidProcedureCall);
    if (path.empty()) Raise(err::kBadFileName);
    const std::wstring fullPath = FullPath(path);
    for (const auto& [number, open] : files) {
        if (SamePath(open->fullPath, fullPath) && (WritesSequentially(open->mode) || WritesSequentially(mode))) {
            Raise(err::kFileAlreadyOpen);
        }
    }
    auto file = std::make_unique<OpenFile>();
    // Input and the writing modes have their access in the mode itself.
    if (mode != OpenMode::Random && mode != OpenMode::Binary) access = FileAccess::Default;
    file->handle = CreateFor(path, mode, access);
    if (file->handle == INVALID_HANDLE_VALUE) RaiseLastFileError();
    file->mode = mode;
    file->access = access;
    file->recordLength = recordLength;
    file->fullPath = fullPath;
    if (mode == OpenMode::Append) SeekTo(*file, SizeOf(*file));
    files[fileNumber] = std::move(file);
}

void Close(int fileNumber) {
    auto& files = Table();
    if (!files.erase(fileNumber)) Raise(err::kBadFileName);
}

void CloseAll() { Table().clear(); }

bool IsOpen(int fileNumber) { return Table().count(fileNumber) != 0; }

long long Lof(int fileNumber) { return SizeOf(Lookup(fileNumber)); }

void GetRecord(int fileNumber, long recordNumber, void* buffer, size_t size) {
    const OpenFile& file = LookupIn(fileNumber, OpenMode::Random);
    if (recordNumber < 1) Raise(err::kBadRecordNumber);
    if (size > static_cast<size_t>(file.recordLength)) Raise(kBadRecordLength, {}, L"Bad record length");
    ReadAt(file, static_cast<long long>(recordNumber - 1) * file.recordLength, buffer, size);
}

void PutRecord(int fileNumber, long recordNumber, const void* buffer, size_t size) {
    const OpenFile& file = LookupForWriting(fileNumber, OpenMode::Random);
    if (recordNumber < 1) Raise(err::kBadRecordNumber);
    if (size > static_cast<size_t>(file.recordLength)) Raise(kBadRecordLength, {}, L"Bad record length");
    WriteAt(file, static_cast<long long>(recordNumber - 1) * file.recordLength, buffer, size);
}

std::vector<unsigned char> GetBytes(int fileNumber, long long position, size_t count) {
    const OpenFile& file = LookupIn(fileNumber, OpenMode::Binary);
    if (position < 1) Raise(err::kBadRecordNumber);
    std::vector<unsigned char> bytes(count);
    ReadAt(file, position - 1, bytes.data(), count);
    return bytes;
}

unsigned char GetByte(int fileNumber, long long position) { return GetBytes(fileNumber, position, 1)[0]; }

void PutBytes(int fileNumber, long long position, const void* bytes, size_t count) {
    const OpenFile& file = LookupForWriting(fileNumber, OpenMode::Binary);
    if (position < 1) Raise(err::kBadRecordNumber);
    WriteAt(file, position - 1, bytes, count);
}

}  // namespace rt
