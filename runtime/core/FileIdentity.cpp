#include "runtime/core/FileIdentity.h"

#include <windows.h>
#include <aclapi.h>
#include <winioctl.h>

#include <vector>

#include "runtime/core/FileErrors.h"
#include "runtime/core/Files.h"

namespace rt {

namespace {

// Attributes a copy takes over. Read-only is not among them: such a target is never replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr wchar_t kMainStream[] = L"::$DATA";

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

Handle OpenFile(const std::wstring& path, DWORD access, DWORD disposition = OPEN_EXISTING) {
    return Handle(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// "\\?\C:\x" and "\\?\UNC\server\share\x" as the names the rest of the program uses.
std::wstring WithoutLongPrefix(std::wstring path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
    if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

void CopyCreationTime(const std::wstring& from, const std::wstring& to) {
    FILETIME created = {};
    Handle source = OpenFile(from, FILE_READ_ATTRIBUTES);
    if (!source || !GetFileTime(source.get(), &created, nullptr, nullptr)) RaiseLastFileError();
    Handle copy = OpenFile(to, FILE_WRITE_ATTRIBUTES);
    if (!copy) RaiseLastFileError();
    SetFileTime(copy.get(), &created, nullptr, nullptr);  // a volume without creation times keeps its own
}

// Wine makes a file's access list up from its Unix mode and turns a list written back into a
// mode that gives the group the owner's rights: there the copy keeps the mode its folder gives
// new files rather than gain rights for the group.
bool AccessListsAreUnixModes() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

// The access list decides who may read the file: it goes over, or the copy does not replace.
// The owner needs a privilege the user may lack; the one who saves owns the copy then.
void CopySecurity(const std::wstring& from, const std::wstring& to) {
    if (AccessListsAreUnixModes()) return;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    const SECURITY_INFORMATION wanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    if (GetNamedSecurityInfoW(from.c_str(), SE_FILE_OBJECT, wanted, &owner, nullptr, &dacl, nullptr, &descriptor) !=
        ERROR_SUCCESS) {
        return;  // nothing to read, nothing to lose: a volume without access lists
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION inheritance =
        (control & SE_DACL_PROTECTED) ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION;
    std::wstring name = to;
    const DWORD result = dacl ? SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | inheritance,
                                                      nullptr, nullptr, dacl, nullptr)
                              : ERROR_SUCCESS;
    if (owner) SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, owner, nullptr, nullptr, nullptr);
    LocalFree(descriptor);
    if (result != ERROR_SUCCESS) RaiseFileError(result);
}

void Compress(const std::wstring& path) {
    Handle file = OpenFile(path, GENERIC_READ | GENERIC_WRITE);
    USHORT format = COMPRESSION_FORMAT_DEFAULT;
    DWORD returned = 0;
    // Only space is at stake: a volume that cannot compress keeps the copy as it is.
    if (file) DeviceIoControl(file.get(), FSCTL_SET_COMPRESSION, &format, sizeof(format), nullptr, 0, &returned, nullptr);
}

void CopyStream(const std::wstring& from, const std::wstring& to) {
    Handle source = OpenFile(from, GENERIC_READ);
    Handle copy = OpenFile(to, GENERIC_WRITE, CREATE_ALWAYS);
    if (!source || !copy) RaiseLastFileError();
    std::vector<unsigned char> buffer(64 * 1024);
    for (;;) {
        DWORD read = 0, written = 0;
        if (!ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) RaiseLastFileError();
        if (read == 0) return;
        if (!WriteFile(copy.get(), buffer.data(), read, &written, nullptr)) RaiseLastFileError();
        if (written != read) RaiseFileError(ERROR_DISK_FULL);
    }
}

// Named streams (":name:$DATA"); a volume without them reports none.
void CopyStreams(const std::wstring& from, const std::wstring& to) {
    WIN32_FIND_STREAM_DATA stream = {};
    HANDLE search = FindFirstStreamW(from.c_str(), FindStreamInfoStandard, &stream, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    struct SearchClosed {
        HANDLE search;
        ~SearchClosed() { FindClose(search); }
    } closed{search};
    do {
        const std::wstring name = stream.cStreamName;
        if (name != kMainStream) CopyStream(from + name, to + name);
    } while (FindNextStreamW(search, &stream));
}

}  // namespace

std::wstring FinalPathOf(const std::wstring& path) {
    const std::wstring full = FullPath(path);
    Handle file = OpenFile(full, 0);
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return full;
        RaiseFileError(error);
    }
    const DWORD needed = GetFinalPathNameByHandleW(file.get(), nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (needed == 0) return full;  // a device or a volume that names no final path
    std::wstring final(needed, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(), needed, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= needed) return full;
    final.resize(length);
    return WithoutLongPrefix(final);
}

void CopyFileIdentity(const std::wstring& from, const std::wstring& to) {
    const DWORD attributes = GetFileAttributesW(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) RaiseLastFileError();
    CopyStreams(from, to);
    CopySecurity(from, to);
    CopyCreationTime(from, to);
    if (attributes & FILE_ATTRIBUTE_COMPRESSED) Compress(to);
    if ((attributes & FILE_ATTRIBUTE_ENCRYPTED) && !EncryptFileW(to.c_str())) RaiseLastFileError();
    const DWORD kept = attributes & kKeptAttributes;
    if (!SetFileAttributesW(to.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL)) RaiseLastFileError();
}

}  // namespace rt
