#include "store/AtomicFile.h"

#include <windows.h>

#include <algorithm>

#include "store/FileHandle.h"
#include "store/StoreErrors.h"
#include "store/SystemMessage.h"

namespace store {

namespace {

constexpr wchar_t kTemporaryPrefix[] = L"lms";
// A reader that has the old file open for a moment blocks the rename; wait that long at most.
constexpr int kRenameAttempts = 20;
constexpr DWORD kRenameRetryMs = 50;

std::function<void(const std::wstring&)>& BeforeReplaceHook() {
    static std::function<void(const std::wstring&)> hook;
    return hook;
}

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    if (slash == 0 || path[slash - 1] == L':') return path.substr(0, slash + 1);  // a root keeps its slash
    return path.substr(0, slash);
}

[[noreturn]] void RaiseDiskError(const std::wstring& path, DWORD code) {
    RaiseStoreError(err::kDiskError, kDatabaseSource, path, SystemMessage(code));
}

// Deletes the temporary file unless it has been renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path) : m_path(std::move(path)) {}
    ~TemporaryFile() {
        if (!m_path.empty()) DeleteFileW(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::wstring& Path() const { return m_path; }
    void Keep() { m_path.clear(); }

private:
    std::wstring m_path;
};

void WriteAndFlush(const std::wstring& temporaryPath, const std::vector<std::uint8_t>& bytes,
                   const std::wstring& targetPath) {
    FileHandle file(CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) RaiseDiskError(targetPath, GetLastError());
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        RaiseDiskError(targetPath, GetLastError());
    if (!FlushFileBuffers(file.get())) RaiseDiskError(targetPath, GetLastError());
}

void RenameOver(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
        const DWORD code = GetLastError();
        const bool busy = code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED;
        if (!busy || attempt == kRenameAttempts) RaiseDiskError(to, code);
        Sleep(kRenameRetryMs);
    }
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path, std::size_t maxBytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
            RaiseStoreError(err::kFileNotFound, kDatabaseSource, path);
        RaiseStoreError(err::kCannotOpenFile, kDatabaseSource, path, SystemMessage(code));
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size))
        RaiseStoreError(err::kCannotOpenFile, kDatabaseSource, path, SystemMessage(GetLastError()));
    const auto wanted = static_cast<std::size_t>(
        std::min<unsigned long long>(static_cast<unsigned long long>(size.QuadPart), maxBytes + 1ull));
    std::vector<std::uint8_t> bytes(wanted);
    std::size_t done = 0;
    while (done < wanted) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(wanted - done), &got, nullptr))
            RaiseStoreError(err::kCannotOpenFile, kDatabaseSource, path, SystemMessage(GetLastError()));
        if (got == 0) break;  // the file shrank while we read: decoding reports what is missing
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void ReplaceFileAtomically(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseStoreError(err::kReadOnly, kDatabaseSource, path);

    wchar_t temporaryName[MAX_PATH] = {};
    // Creates the (empty) file under a fresh name, in the same folder so the rename stays on
    // one volume and is atomic.
    if (!GetTempFileNameW(FolderOf(path).c_str(), kTemporaryPrefix, 0, temporaryName))
        RaiseDiskError(path, GetLastError());
    TemporaryFile temporary(temporaryName);
    WriteAndFlush(temporary.Path(), bytes, path);
    if (const auto& hook = BeforeReplaceHook()) hook(temporary.Path());
    RenameOver(temporary.Path(), path);
    temporary.Keep();
}

void SetBeforeReplaceHook(std::function<void(const std::wstring& temporaryPath)> hook) {
    BeforeReplaceHook() = std::move(hook);
}

}  // namespace store
