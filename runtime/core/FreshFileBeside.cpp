#include "runtime/core/FreshFileBeside.h"

#include <atomic>

#include "runtime/core/FileErrors.h"
#include "runtime/core/FileIdentity.h"

namespace rt {

namespace {

// Names tried before the folder counts as one that takes no new file.
constexpr int kNameAttempts = 64;
// Another program reading the target for a moment blocks the replacement; wait that long.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryMs = 50;

std::wstring FolderOf(const std::wstring& fullPath) {
    const auto slash = fullPath.find_last_of(L"\\/");
    if (slash == std::wstring::npos) RaiseFileError(ERROR_BAD_PATHNAME);
    return fullPath.substr(0, slash + 1);
}

std::wstring Hex(unsigned value, int digits) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text(static_cast<size_t>(digits), L'0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return text;
}

// Differs between processes and between calls of one process, so that a first try seldom
// meets a name already taken.
unsigned NameSeed() {
    static std::atomic<unsigned> calls{0};
    return GetTickCount() ^ (GetCurrentProcessId() << 12) ^ (calls.fetch_add(1) * 0x2545Fu);
}

DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool Exists(DWORD attributes) { return attributes != INVALID_FILE_ATTRIBUTES; }

// Windows refuses a rename over a file that another program holds open with "access denied",
// as it refuses one the user has no right to: only a file that cannot be opened for deletion
// because of a sharing violation is busy, and worth a wait.
bool HeldOpenElsewhere(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

bool IsBusy(DWORD error, const std::wstring& target) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    return error == ERROR_ACCESS_DENIED && HeldOpenElsewhere(target);
}

}  // namespace

FreshFileBeside::FreshFileBeside(const std::wstring& target) : m_target(FinalPathOf(target)) {
    const DWORD attributes = AttributesOf(m_target);
    if (Exists(attributes) && (attributes & FILE_ATTRIBUTE_READONLY)) RaiseFileError(ERROR_ACCESS_DENIED);
    const std::wstring folder = FolderOf(m_target);
    const unsigned seed = NameSeed();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        // An 8.3 name, so that the copy needs no second directory entry on a FAT volume.
        const std::wstring path = folder + L"~LM" + Hex(seed + static_cast<unsigned>(attempt) * 0x9E37u, 5) + L".TMP";
        m_handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_handle != INVALID_HANDLE_VALUE) {
            m_path = path;
            return;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED && Exists(attributes)) {
            // A folder that takes no new file: the target itself is what can be written.
            m_handle = CreateFileW(m_target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            if (m_handle == INVALID_HANDLE_VALUE) RaiseFileError(error);
            m_inPlace = true;
            return;
        }
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) RaiseFileError(error);
    }
    RaiseFileError(ERROR_FILE_EXISTS);
}

FreshFileBeside::~FreshFileBeside() {
    Close();
    if (!m_path.empty()) DeleteFileW(m_path.c_str());  // a copy left behind harms nobody's file
}

void FreshFileBeside::Write(const void* bytes, size_t count) {
    if (m_inPlace) {
        const auto* first = static_cast<const unsigned char*>(bytes);
        m_bytes.insert(m_bytes.end(), first, first + count);
        return;
    }
    DWORD written = 0;
    if (!WriteFile(m_handle, bytes, static_cast<DWORD>(count), &written, nullptr)) RaiseLastFileError();
    if (written != count) RaiseFileError(ERROR_DISK_FULL);
}

void FreshFileBeside::Finish() {
    if (m_inPlace) return;  // the target is written by ReplaceTarget
    if (!FlushFileBuffers(m_handle)) RaiseLastFileError();
    const HANDLE handle = m_handle;
    m_handle = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle)) RaiseLastFileError();
}

void FreshFileBeside::ReplaceTarget() {
    if (m_inPlace) WriteInPlace();
    else ReplaceByRename();
}

void FreshFileBeside::ReplaceByRename() {
    if (Exists(AttributesOf(m_target))) CopyFileIdentity(m_target, m_path);
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(m_path.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) break;
        const DWORD error = GetLastError();
        if (!IsBusy(error, m_target) || attempt == kReplaceAttempts) RaiseFileError(error);
        Sleep(kReplaceRetryMs);
    }
    m_path.clear();  // it is the target now: nothing to remove
}

// The space for the new bytes is taken first, so that a full disk stops the save while the
// old bytes are all there; then the new bytes go over them and the file is cut to their length.
void FreshFileBeside::WriteInPlace() {
    LARGE_INTEGER oldLength = {};
    if (!GetFileSizeEx(m_handle, &oldLength)) RaiseLastFileError();
    FILE_ALLOCATION_INFO space = {};
    space.AllocationSize.QuadPart = static_cast<LONGLONG>(m_bytes.size());
    if (space.AllocationSize.QuadPart > oldLength.QuadPart &&
        !SetFileInformationByHandle(m_handle, FileAllocationInfo, &space, sizeof(space))) {
        const DWORD error = GetLastError();
        if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) RaiseFileError(error);
        // A volume that cannot reserve space: the write below meets a full disk itself.
    }
    DWORD written = 0;
    if (!WriteFile(m_handle, m_bytes.data(), static_cast<DWORD>(m_bytes.size()), &written, nullptr)) RaiseLastFileError();
    if (written != m_bytes.size()) RaiseFileError(ERROR_DISK_FULL);
    if (!SetEndOfFile(m_handle) || !FlushFileBuffers(m_handle)) RaiseLastFileError();
    Close();
}

void FreshFileBeside::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

}  // namespace rt
