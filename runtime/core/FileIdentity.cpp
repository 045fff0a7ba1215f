#include "runtime/core/FileIdentity.h"

#include <windows.h>
#include <winioctl.h>

#include <vector>

#include "runtime/core/FileErrors.h"
#include "runtime/core/Files.h"

namespace rt {

namespace {

// Attributes a copy takes over besides the archive bit, which marks every changed file. Read-only,
// hidden and system targets are never replaced; compression and encryption are not attributes
// one sets.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
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

void Compress(HANDLE file) {
    USHORT format = COMPRESSION_FORMAT_DEFAULT;
    DWORD returned = 0;
    // Only space is at stake: a volume that cannot compress keeps the copy as it is.
    DeviceIoControl(file, FSCTL_SET_COMPRESSION, &format, sizeof(format), nullptr, 0, &returned, nullptr);
}

void CopyStream(const std::wstring& from, const std::wstring& to) {
    Handle source = OpenFile(from, GENERIC_READ);
    Handle copy = OpenFile(to, GENERIC_WRITE, CREATE_ALWAYS);
    if (!source || !copy) RaiseLastFileError(L"CreateFileW");
    std::vector<unsigned char> buffer(64 * 1024);
    for (;;) {
        DWORD read = 0, written = 0;
        if (!ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            RaiseLastFileError(L"ReadFile");
        if (read == 0) return;
        if (!WriteFile(copy.get(), buffer.data(), read, &written, nullptr)) RaiseLastFileError(L"WriteFile");
        if (written != read) RaiseFileError(ERROR_DISK_FULL, L"WriteFile");
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

void CopyFileIdentity(const std::wstring& from, HANDLE copy, const std::wstring& copyPath) {
    WIN32_FILE_ATTRIBUTE_DATA target = {};
    if (!GetFileAttributesExW(from.c_str(), GetFileExInfoStandard, &target)) RaiseLastFileError(L"GetFileAttributesExW");
    CopyStreams(from, copyPath);
    if (target.dwFileAttributes & FILE_ATTRIBUTE_COMPRESSED) Compress(copy);
    FILE_BASIC_INFO basic = {};  // times left 0 stay as they are
    basic.CreationTime.LowPart = target.ftCreationTime.dwLowDateTime;
    basic.CreationTime.HighPart = static_cast<LONG>(target.ftCreationTime.dwHighDateTime);
    basic.FileAttributes = FILE_ATTRIBUTE_ARCHIVE | (target.dwFileAttributes & kKeptAttributes);
    if (!SetFileInformationByHandle(copy, FileBasicInfo, &basic, sizeof(basic))) {
        // A volume that keeps no creation time: the attributes alone.
        basic.CreationTime.QuadPart = 0;
        if (!SetFileInformationByHandle(copy, FileBasicInfo, &basic, sizeof(basic)))
            RaiseLastFileError(L"SetFileInformationByHandle");
    }
}

}  // namespace rt
