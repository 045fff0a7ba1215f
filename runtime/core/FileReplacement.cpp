#include "runtime/core/FileReplacement.h"

#include <atomic>

#include "runtime/core/FileErrors.h"
#include "runtime/core/FileIdentity.h"
#include "runtime/core/RuntimeError.h"
#include "runtime/core/Wine.h"

namespace rt {

namespace {

// Names tried before the folder counts as one that takes no new file.
constexpr int kNameAttempts = 64;
// Another program reading the target for a moment blocks the replacement; wait that long.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryMs = 50;
constexpr DWORD kCopyChunk = 64 * 1024;

constexpr SECURITY_INFORMATION kOwnership = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION;
// The audit list only with the privilege to read it, the owner only where the user may give it.
constexpr SECURITY_INFORMATION kFullSecurity = kOwnership | DACL_SECURITY_INFORMATION | SACL_SECURITY_INFORMATION;

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

bool Exists(DWORD attributes) { return attributes != INVALID_FILE_ATTRIBUTES; }

// A name that has a directory entry: a file being deleted still has one, and refuses every
// open with "access denied" until its last handle closes.
bool NameTaken(const std::wstring& path) {
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

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

// Wine makes a file's access list up from its Unix mode and turns a list given to a new file
// into a mode that gives the group the owner's rights: there the fresh file keeps the mode its
// folder gives new files rather than gain rights for the group.
bool AccessListsAreUnixModes() { return RunningUnderWine(); }

// The target's descriptor, as much of it as the user may read and set. Empty for a volume that
// keeps no access lists; any other failure to read it stops the replacement, which would
// otherwise leave the target's bytes under the folder's inherited list.
std::vector<unsigned char> SecurityOf(ReplaceCalls& calls, const std::wstring& target, SECURITY_INFORMATION parts) {
    std::vector<unsigned char> descriptor;
    DWORD error = calls.ReadSecurity(target, parts, descriptor);
    if (error == ERROR_PRIVILEGE_NOT_HELD && (parts & SACL_SECURITY_INFORMATION))
        error = calls.ReadSecurity(target, parts & ~SACL_SECURITY_INFORMATION, descriptor);
    if (error == ERROR_SUCCESS) return descriptor;
    if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) return {};
    Raise(err::kPathFileAccess, {},
          L"无法读取该文件的访问权限，不能替换它 (GetFileSecurityW: " + std::to_wstring(error) + L")");
}

}  // namespace

DWORD ReplaceCalls::ReadSecurity(const std::wstring& path, SECURITY_INFORMATION parts,
                                 std::vector<unsigned char>& descriptor) {
    if (AccessListsAreUnixModes()) return ERROR_NOT_SUPPORTED;
    DWORD needed = 0;
    descriptor.clear();
    while (!GetFileSecurityW(path.c_str(), parts, descriptor.data(), static_cast<DWORD>(descriptor.size()), &needed)) {
        const DWORD error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER || needed <= descriptor.size()) return error;
        descriptor.resize(needed);
    }
    return ERROR_SUCCESS;
}

HANDLE ReplaceCalls::CreateNew(const std::wstring& path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                               DWORD flagsAndAttributes) {
    return CreateFileW(path.c_str(), access, share, security, CREATE_NEW, flagsAndAttributes, nullptr);
}

DWORD ReplaceCalls::Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

BOOL ReplaceCalls::Move(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

ReplaceCalls& SystemReplaceCalls() {
    static ReplaceCalls calls;
    return calls;
}

void RefuseProtectedTarget(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (!Exists(attributes) || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    const wchar_t* kind = (attributes & FILE_ATTRIBUTE_READONLY) ? L"只读文件"
                          : (attributes & FILE_ATTRIBUTE_SYSTEM) ? L"系统文件"
                          : (attributes & FILE_ATTRIBUTE_HIDDEN) ? L"隐藏文件"
                                                                 : nullptr;
    if (kind) Raise(err::kPathFileAccess, {}, L"该文件是" + std::wstring(kind) + L"，不能覆盖");
}

FileReplacement::FileReplacement(const std::wstring& target, ReplaceCalls& calls)
    : m_calls(calls), m_target(FinalPathOf(target)) {
    RefuseProtectedTarget(m_target);
    const DWORD attributes = m_calls.Attributes(m_target);
    if (Exists(attributes)) m_security = SecurityOf(m_calls, m_target, kFullSecurity);
    Create(FolderOf(m_target), attributes);
}

void FileReplacement::Create(const std::wstring& folder, DWORD targetAttributes) {
    const bool encrypted = Exists(targetAttributes) && (targetAttributes & FILE_ATTRIBUTE_ENCRYPTED);
    // Encrypted from its creation, so that no byte reaches the disk in plain text.
    const DWORD flags = FILE_ATTRIBUTE_ARCHIVE | (encrypted ? FILE_ATTRIBUTE_ENCRYPTED : 0);
    const unsigned seed = NameSeed();
    bool ownerKept = true;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        // An 8.3 name, so that the copy needs no second directory entry on a FAT volume.
        const std::wstring path = folder + L"~LM" + Hex(seed + static_cast<unsigned>(attempt) * 0x9E37u, 5) + L".TMP";
        SECURITY_ATTRIBUTES security = {sizeof(security), m_security.empty() ? nullptr : m_security.data(), FALSE};
        // DELETE, granted to the creator whatever the list says, removes the file again when the
        // list does not let this user open it for deletion; shared for deletion, it can be renamed.
        m_handle = m_calls.CreateNew(path, GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, &security, flags);
        const DWORD error = GetLastError();
        const bool ownerRefused = error == ERROR_INVALID_OWNER || error == ERROR_INVALID_PRIMARY_GROUP;
        if (m_handle == INVALID_HANDLE_VALUE && ownerRefused && ownerKept && !m_security.empty()) {
            // A user who may not give the file its owner owns it: the access list still goes over.
            m_security = SecurityOf(m_calls, m_target, kFullSecurity & ~kOwnership);
            ownerKept = false;
            --attempt;
            continue;
        }
        if (m_handle != INVALID_HANDLE_VALUE) {
            m_path = path;
            if (encrypted && !(m_calls.Attributes(path) & FILE_ATTRIBUTE_ENCRYPTED)) {
                Discard();
                RaiseFileError(ERROR_ENCRYPTION_FAILED, L"CreateFileW");
            }
            return;
        }
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        if (error == ERROR_ACCESS_DENIED && NameTaken(path)) continue;  // a file still being deleted
        if (error == ERROR_ACCESS_DENIED && Exists(targetAttributes)) {
            // A folder that takes no new file: the target itself is what can be written.
            m_handle = CreateFileW(m_target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            if (m_handle == INVALID_HANDLE_VALUE) RaiseLastFileError(L"CreateFileW");
            m_inPlace = true;
            return;
        }
        RaiseFileError(error, L"CreateFileW");
    }
    RaiseFileError(ERROR_FILE_EXISTS, L"CreateFileW");
}

FileReplacement::~FileReplacement() { Discard(); }

// Through the creator's handle, which may delete what the fresh file's access list would not
// let this user open for deletion. A fresh file left behind harms nobody's file, but goes.
void FileReplacement::Discard() {
    if (!m_path.empty() && m_handle != INVALID_HANDLE_VALUE) {
        FILE_DISPOSITION_INFO dispose = {TRUE};
        SetFileInformationByHandle(m_handle, FileDispositionInfo, &dispose, sizeof(dispose));
    }
    m_path.clear();
    Close();
}

void FileReplacement::Write(const void* bytes, size_t count) {
    if (m_inPlace) {
        const auto* first = static_cast<const unsigned char*>(bytes);
        m_bytes.insert(m_bytes.end(), first, first + count);
        return;
    }
    DWORD written = 0;
    if (!WriteFile(m_handle, bytes, static_cast<DWORD>(count), &written, nullptr)) RaiseLastFileError(L"WriteFile");
    if (written != count) RaiseFileError(ERROR_DISK_FULL, L"WriteFile");
}

void FileReplacement::Finish() {
    if (m_inPlace) return;  // the target is written by ReplaceTarget
    if (!FlushFileBuffers(m_handle)) RaiseLastFileError(L"FlushFileBuffers");
}

void FileReplacement::ReplaceTarget() {
    if (m_inPlace) WriteInPlace(m_handle, false);
    else ReplaceByRename();
}

void FileReplacement::ReplaceByRename() {
    if (Exists(GetFileAttributesW(m_target.c_str()))) CopyFileIdentity(m_target, m_handle, m_path);
    for (int attempt = 1;; ++attempt) {
        if (m_calls.Move(m_path, m_target)) break;
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED && !HeldOpenElsewhere(m_target)) {
            // The user may write the target but not delete it: its own bytes are replaced.
            const HANDLE target = CreateFileW(m_target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, 0, nullptr);
            if (target == INVALID_HANDLE_VALUE) RaiseLastFileError(L"CreateFileW");
            struct Closed {
                HANDLE handle;
                ~Closed() { CloseHandle(handle); }
            } closed{target};
            WriteInPlace(target, true);
            return;  // the fresh file goes with the replacement
        }
        if (!IsBusy(error, m_target) || attempt == kReplaceAttempts) RaiseFileError(error, L"MoveFileExW");
        Sleep(kReplaceRetryMs);
    }
    m_path.clear();  // it is the target now: nothing to remove
    Close();
}

// The space for the new bytes is taken first, so that a full disk stops the save while the
// old bytes are all there; then the new bytes go over them and the file is cut to their length.
void FileReplacement::WriteInPlace(HANDLE target, bool fromFreshFile) {
    LARGE_INTEGER oldLength = {}, newLength = {};
    newLength.QuadPart = static_cast<LONGLONG>(m_bytes.size());
    if (fromFreshFile && !GetFileSizeEx(m_handle, &newLength)) RaiseLastFileError(L"GetFileSizeEx");
    if (!GetFileSizeEx(target, &oldLength)) RaiseLastFileError(L"GetFileSizeEx");
    FILE_ALLOCATION_INFO space = {};
    space.AllocationSize = newLength;
    if (newLength.QuadPart > oldLength.QuadPart &&
        !SetFileInformationByHandle(target, FileAllocationInfo, &space, sizeof(space))) {
        const DWORD error = GetLastError();
        if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
            RaiseFileError(error, L"SetFileInformationByHandle");
        // A volume that cannot reserve space: the write below meets a full disk itself.
    }
    const auto put = [&](const void* bytes, DWORD count) {
        DWORD written = 0;
        if (!WriteFile(target, bytes, count, &written, nullptr)) RaiseLastFileError(L"WriteFile");
        if (written != count) RaiseFileError(ERROR_DISK_FULL, L"WriteFile");
    };
    if (!fromFreshFile) {
        put(m_bytes.data(), static_cast<DWORD>(m_bytes.size()));
    } else {
        std::vector<unsigned char> chunk(kCopyChunk);
        LARGE_INTEGER start = {};
        if (!SetFilePointerEx(m_handle, start, nullptr, FILE_BEGIN)) RaiseLastFileError(L"SetFilePointerEx");
        for (DWORD read = 0;; put(chunk.data(), read)) {
            if (!ReadFile(m_handle, chunk.data(), kCopyChunk, &read, nullptr)) RaiseLastFileError(L"ReadFile");
            if (read == 0) break;
        }
    }
    if (!SetEndOfFile(target)) RaiseLastFileError(L"SetEndOfFile");
    if (!FlushFileBuffers(target)) RaiseLastFileError(L"FlushFileBuffers");
    if (!fromFreshFile) Close();
}

void FileReplacement::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

}  // namespace rt
