#include "runtime/core/Files.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "runtime/core/FileErrors.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

constexpr long kBadRecordLength = 59;
constexpr long kTooManyFiles = 67;
constexpr long kDeviceUnavailable = 68;

// A run of record writes (copying or shifting records: each write begins where the last one
// ended) collects in memory and goes to the file in one system call per window rather than
// one per record: `bytes` are pending at `start`. Reads never come from here alone: they read
// the file and see the pending bytes over it. The window is written when the run breaks,
// when it is full, and when Flush, Commit or Close ends the operation.
constexpr size_t kRecordWindowBytes = 256 * 1024;

struct RecordWindow {
    std::vector<unsigned char> bytes;
    long long start = 0;
    long long lastWriteEnd = -1;  // where the last record write ended, to see a run

    bool Dirty() const { return !bytes.empty(); }
    long long End() const { return start + static_cast<long long>(bytes.size()); }
};

// One open file: its handle, closed when the entry goes. Pending record writes never reach
// the destructor: the operation that made them writes them, or reports their failure.
struct OpenFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    OpenMode mode = OpenMode::Input;
    FileAccess access = FileAccess::Default;
    int recordLength = kDefaultRecordLength;
    std::wstring fullPath;
    RecordWindow window;

    OpenFile() = default;
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile();
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

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool WritesSequentially(OpenMode mode) { return mode == OpenMode::Output || mode == OpenMode::Append; }

// A Random or Binary file that allows no writing falls back to reading: access becomes Read.
HANDLE CreateFor(const std::wstring& path, OpenMode mode, FileAccess& access) {
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
        // Read and write when allowed, else read only (a read-only file still opens). The
        // read-only attribute is obeyed even where the host would let its superuser write.
        HANDLE handle = INVALID_HANDLE_VALUE;
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            SetLastError(ERROR_ACCESS_DENIED);
        } else {
            handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, shareAll, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        }
        if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
            handle = CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
            if (handle == INVALID_HANDLE_VALUE) SetLastError(ERROR_ACCESS_DENIED);
            access = FileAccess::Read;
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

OVERLAPPED At(long long offset) {
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

// Reads up to count bytes at offset in one call; returns how many there were (fewer at the
// end of the file). The handle's own position is left where the read ended.
size_t ReadSome(const OpenFile& file, long long offset, void* buffer, size_t count) {
    if (count == 0) return 0;
    OVERLAPPED at = At(offset);
    DWORD read = 0;
    if (!ReadFile(file.handle, buffer, static_cast<DWORD>(count), &read, &at)) {
        if (GetLastError() == ERROR_HANDLE_EOF) return 0;
        RaiseLastFileError();
    }
    return read;
}

// Writes count bytes at offset, wholly or with an error (61 when the disk takes fewer).
DWORD WriteSome(const OpenFile& file, long long offset, const void* buffer, size_t count) {
    if (count == 0) return ERROR_SUCCESS;
    OVERLAPPED at = At(offset);
    DWORD written = 0;
    if (!WriteFile(file.handle, buffer, static_cast<DWORD>(count), &written, &at)) return GetLastError();
    return written == count ? ERROR_SUCCESS : ERROR_DISK_FULL;
}

// Reads count bytes at offset; bytes beyond the end of the file come back as zero.
void ReadAt(const OpenFile& file, long long offset, void* buffer, size_t count) {
    memset(buffer, 0, count);
    ReadSome(file, offset, buffer, count);
}

void WriteAt(const OpenFile& file, long long offset, const void* buffer, size_t count) {
    const DWORD error = WriteSome(file, offset, buffer, count);
    if (error != ERROR_SUCCESS) RaiseFileError(error);
}

// Writes the window's pending bytes to the file and forgets them: after a failure the file
// holds at most a first part of them, and the error is returned for the operation to raise.
DWORD WritePending(OpenFile& file) {
    RecordWindow& w = file.window;
    const DWORD error = WriteSome(file, w.start, w.bytes.data(), w.bytes.size());
    w.bytes.clear();
    if (error != ERROR_SUCCESS) w.lastWriteEnd = -1;
    return error;
}

void FlushWindow(OpenFile& file) {
    const DWORD error = WritePending(file);
    if (error != ERROR_SUCCESS) RaiseFileError(error);
}

// Reads the file's bytes and lays this handle's pending bytes over them.
void ReadRecordBytes(const OpenFile& file, long long offset, void* buffer, size_t count) {
    ReadAt(file, offset, buffer, count);
    const RecordWindow& w = file.window;
    const long long from = std::max(offset, w.start);
    const long long to = std::min(offset + static_cast<long long>(count), w.End());
    if (from >= to) return;
    memcpy(static_cast<unsigned char*>(buffer) + (from - offset), w.bytes.data() + (from - w.start),
           static_cast<size_t>(to - from));
}

// A write that does not continue the previous one goes to the file at once, so that a lone
// record write reports its failure itself; the writes of a run that follows it collect in
// the window.
void WriteRecordBytes(OpenFile& file, long long offset, const void* buffer, size_t count) {
    if (count == 0) return;
    RecordWindow& w = file.window;
    const bool continuesRun = offset == w.lastWriteEnd;
    if (!continuesRun || w.bytes.size() + count > kRecordWindowBytes) FlushWindow(file);
    if (!continuesRun || count > kRecordWindowBytes) {
        WriteAt(file, offset, buffer, count);
    } else {
        if (!w.Dirty()) {
            w.bytes.reserve(kRecordWindowBytes);
            w.start = offset;
        }
        const auto* bytes = static_cast<const unsigned char*>(buffer);
        w.bytes.insert(w.bytes.end(), bytes, bytes + count);
    }
    w.lastWriteEnd = offset + static_cast<long long>(count);
}

OpenFile::~OpenFile() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
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

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) RaiseLastFileError();
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) RaiseLastFileError();
    full.resize(length);
    return full;
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
    const auto it = files.find(fileNumber);
    if (it == files.end()) Raise(err::kBadFileName);
    const std::unique_ptr<OpenFile> file = std::move(it->second);
    files.erase(it);
    FlushWindow(*file);
}

void CloseAll() {
    auto files = std::move(Table());
    Table().clear();
    DWORD firstError = ERROR_SUCCESS;
    for (auto& [number, file] : files) {
        const DWORD error = WritePending(*file);
        file->window = RecordWindow{};
        if (firstError == ERROR_SUCCESS) firstError = error;
    }
    files.clear();
    if (firstError != ERROR_SUCCESS) RaiseFileError(firstError);
}

bool IsOpen(int fileNumber) { return Table().count(fileNumber) != 0; }

long long Lof(int fileNumber) {
    const OpenFile& file = Lookup(fileNumber);
    const RecordWindow& w = file.window;
    const long long pendingEnd = w.Dirty() ? w.End() : 0;
    return std::max(SizeOf(file), pendingEnd);
}

void Flush(int fileNumber) { FlushWindow(Lookup(fileNumber)); }

void Commit(int fileNumber) {
    OpenFile& file = Lookup(fileNumber);
    FlushWindow(file);
    if (file.access != FileAccess::Read && file.mode != OpenMode::Input && !FlushFileBuffers(file.handle)) {
        RaiseLastFileError();
    }
}

void GetRecord(int fileNumber, long recordNumber, void* buffer, size_t size) {
    const OpenFile& file = LookupIn(fileNumber, OpenMode::Random);
    if (recordNumber < 1) Raise(err::kBadRecordNumber);
    if (size > static_cast<size_t>(file.recordLength)) Raise(kBadRecordLength);
    ReadRecordBytes(file, static_cast<long long>(recordNumber - 1) * file.recordLength, buffer, size);
}

void GetRecords(int fileNumber, long firstRecord, long count, void* buffer) {
    const OpenFile& file = LookupIn(fileNumber, OpenMode::Random);
    if (firstRecord < 1) Raise(err::kBadRecordNumber);
    if (count < 0) Raise(err::kInvalidProcedureCall);
    ReadRecordBytes(file, static_cast<long long>(firstRecord - 1) * file.recordLength, buffer,
                    static_cast<size_t>(count) * static_cast<size_t>(file.recordLength));
}

void PutRecord(int fileNumber, long recordNumber, const void* buffer, size_t size) {
    OpenFile& file = LookupForWriting(fileNumber, OpenMode::Random);
    if (recordNumber < 1) Raise(err::kBadRecordNumber);
    if (size > static_cast<size_t>(file.recordLength)) Raise(kBadRecordLength);
    WriteRecordBytes(file, static_cast<long long>(recordNumber - 1) * file.recordLength, buffer, size);
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

bool OpenedReadOnly(int fileNumber) {
    const OpenFile& file = Lookup(fileNumber);
    return file.access == FileAccess::Read || file.mode == OpenMode::Input;
}

void SetLength(int fileNumber, long long length) {
    if (OpenedReadOnly(fileNumber)) Raise(err::kBadFileMode);
    OpenFile& file = Lookup(fileNumber);
    FlushWindow(file);
    file.window = RecordWindow{};  // a run of writes does not go on across the cut
    SeekTo(file, length);
    if (!SetEndOfFile(file.handle)) RaiseLastFileError();
}

}  // namespace rt
