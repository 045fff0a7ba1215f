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

// During an operation, records of a Random file go through one window of the file held in
// memory, so that a run of neighbouring records costs one system call per window rather than
// one per record. The window is a read-ahead and a write-behind buffer at once: `valid` bytes
// from `start` are the file's bytes (as read during this operation, or as written since),
// [dirtyBegin, dirtyEnd) of them not yet written to the file. `reachesEnd` says the window
// holds the file's last byte, so that bytes past `valid` are beyond the end (zeros). The
// window never outlives the operation: what it read may have been changed by another writer
// since.
constexpr size_t kRecordWindowBytes = 256 * 1024;

struct RecordWindow {
    std::vector<unsigned char> bytes;
    long long start = 0;
    size_t valid = 0;
    size_t dirtyBegin = 0;
    size_t dirtyEnd = 0;
    bool reachesEnd = false;
    bool loaded = false;
    long long lastWriteEnd = -1;  // where the last record write ended, to see a run

    bool Dirty() const { return dirtyEnd > dirtyBegin; }
    long long End() const { return start + static_cast<long long>(valid); }
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
    bool inOperation = false;  // record writes since the last Flush, Commit or Close

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

// Writes the window's pending bytes to the file. On failure they stay pending (so a later
// flush can try again) and the error is returned.
DWORD WritePending(OpenFile& file) {
    RecordWindow& w = file.window;
    if (!w.Dirty()) return ERROR_SUCCESS;
    const DWORD error = WriteSome(file, w.start + static_cast<long long>(w.dirtyBegin), w.bytes.data() + w.dirtyBegin,
                                  w.dirtyEnd - w.dirtyBegin);
    if (error == ERROR_SUCCESS) w.dirtyBegin = w.dirtyEnd = 0;
    return error;
}

void FlushWindow(OpenFile& file) {
    const DWORD error = WritePending(file);
    if (error == ERROR_SUCCESS) return;
    // A failed write leaves the file as it was before the pending bytes: forget them and
    // read afresh next time, so the window never claims what the file does not hold.
    file.window = RecordWindow{};
    RaiseFileError(error);
}

bool AnyOperation() {
    const auto& files = Table();
    return std::any_of(files.begin(), files.end(), [](const auto& entry) { return entry.second->inOperation; });
}

// Ends the file's operation; its window goes (whatever it still holds has been written, or
// its failure is on the way to the caller). When no operation is left, the read-aheads of
// every file go too: the next read sees the disk.
void EndOperation(OpenFile& file) {
    file.window = RecordWindow{};
    file.inOperation = false;
    if (AnyOperation()) return;
    for (auto& entry : Table()) entry.second->window = RecordWindow{};
}

// Writes the pending bytes and ends the operation, raising a failure of the write.
void FinishOperation(OpenFile& file) {
    const DWORD error = WritePending(file);
    EndOperation(file);
    if (error != ERROR_SUCCESS) RaiseFileError(error);
}

// A failure inside an operation ends it: it is reported to the caller now, who may never
// come back to end it. Nothing is pending when a record access raises (every path writes
// the pending bytes before it reads or writes the file).
template <class Access>
void WithinOperation(OpenFile& file, Access&& access) {
    try {
        access();
    } catch (...) {
        EndOperation(file);
        throw;
    }
}

// Makes the window start at offset, holding the file's bytes from there.
void MoveWindow(OpenFile& file, long long offset) {
    FlushWindow(file);
    RecordWindow& w = file.window;
    w.dirtyBegin = w.dirtyEnd = 0;
    w.bytes.resize(kRecordWindowBytes);
    w.start = offset;
    w.loaded = false;
    w.valid = ReadSome(file, offset, w.bytes.data(), w.bytes.size());
    w.reachesEnd = w.valid < w.bytes.size();
    w.loaded = true;
}

bool WindowCanRead(const RecordWindow& w, long long offset, size_t count) {
    if (!w.loaded || offset < w.start) return false;
    const long long end = offset + static_cast<long long>(count);
    if (end <= w.End()) return true;
    return w.reachesEnd && end <= w.start + static_cast<long long>(w.bytes.size());
}

// A write may go into the window when it lands inside it and leaves no unknown gap: next to
// or inside the known bytes, or anywhere in the window when the file ends inside it (the
// gap is then beyond the end, zeros).
bool WindowCanWrite(const RecordWindow& w, long long offset, size_t count) {
    if (!w.loaded || offset < w.start) return false;
    if (offset + static_cast<long long>(count) > w.start + static_cast<long long>(w.bytes.size())) return false;
    return offset <= w.End() || w.reachesEnd;
}

// Outside an operation a read goes to the file, which then holds no pending bytes of this
// handle; inside one it reads ahead through the window.
void ReadRecordBytes(OpenFile& file, long long offset, void* buffer, size_t count) {
    if (count == 0) return;
    if (count > kRecordWindowBytes || !AnyOperation()) {
        FlushWindow(file);
        ReadAt(file, offset, buffer, count);
        return;
    }
    if (!WindowCanRead(file.window, offset, count)) MoveWindow(file, offset);
    const RecordWindow& w = file.window;
    const size_t from = static_cast<size_t>(offset - w.start);
    const size_t known = from < w.valid ? std::min(count, w.valid - from) : 0;
    memcpy(buffer, w.bytes.data() + from, known);
    memset(static_cast<unsigned char*>(buffer) + known, 0, count - known);
}

// Every record write begins or continues the file's operation. One that does not continue
// the previous write goes to the file at once, so that a lone record write reports its
// failure itself; the writes of a run that follows it (copying or shifting records) collect
// in the window until it moves or the operation ends.
void WriteRecordBytes(OpenFile& file, long long offset, const void* buffer, size_t count) {
    if (count == 0) return;
    file.inOperation = true;
    const bool continuesRun = offset == file.window.lastWriteEnd;
    if (!continuesRun || count > kRecordWindowBytes) {
        FlushWindow(file);
        file.window = RecordWindow{};
        WriteAt(file, offset, buffer, count);
        file.window.lastWriteEnd = offset + static_cast<long long>(count);
        return;
    }
    if (!WindowCanWrite(file.window, offset, count)) MoveWindow(file, offset);
    RecordWindow& w = file.window;
    const size_t from = static_cast<size_t>(offset - w.start);
    if (from > w.valid) memset(w.bytes.data() + w.valid, 0, from - w.valid);
    memcpy(w.bytes.data() + from, buffer, count);
    const size_t to = from + count;
    w.dirtyBegin = w.Dirty() ? std::min(w.dirtyBegin, from) : from;
    w.dirtyEnd = std::max(w.dirtyEnd, to);
    // The zeros of a gap are written too, so the pending range covers it.
    if (from > w.valid) w.dirtyBegin = std::min(w.dirtyBegin, w.valid);
    w.valid = std::max(w.valid, to);
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
    FinishOperation(*file);
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
    const long long pendingEnd = w.Dirty() ? w.start + static_cast<long long>(w.dirtyEnd) : 0;
    return std::max(SizeOf(file), pendingEnd);
}

void Flush(int fileNumber) { FinishOperation(Lookup(fileNumber)); }

void Commit(int fileNumber) {
    OpenFile& file = Lookup(fileNumber);
    FinishOperation(file);
    if (file.access != FileAccess::Read && file.mode != OpenMode::Input && !FlushFileBuffers(file.handle)) {
        RaiseLastFileError();
    }
}

void GetRecord(int fileNumber, long recordNumber, void* buffer, size_t size) {
    OpenFile& file = LookupIn(fileNumber, OpenMode::Random);
    if (recordNumber < 1) Raise(err::kBadRecordNumber);
    if (size > static_cast<size_t>(file.recordLength)) Raise(kBadRecordLength, {}, L"Bad record length");
    const long long offset = static_cast<long long>(recordNumber - 1) * file.recordLength;
    WithinOperation(file, [&] { ReadRecordBytes(file, offset, buffer, size); });
}

void PutRecord(int fileNumber, long recordNumber, const void* buffer, size_t size) {
    OpenFile& file = LookupForWriting(fileNumber, OpenMode::Random);
    if (recordNumber < 1) Raise(err::kBadRecordNumber);
    if (size > static_cast<size_t>(file.recordLength)) Raise(kBadRecordLength, {}, L"Bad record length");
    const long long offset = static_cast<long long>(recordNumber - 1) * file.recordLength;
    WithinOperation(file, [&] { WriteRecordBytes(file, offset, buffer, size); });
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
    file.window = RecordWindow{};  // it may hold bytes the cut removes
    SeekTo(file, length);
    if (!SetEndOfFile(file.handle)) RaiseLastFileError();
}

}  // namespace rt
