#include "tests/support/Places.h"

#include <windows.h>


namespace testing_support {

namespace {

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

}  // namespace

std::wstring PlaceFolder(const wchar_t* place) {
    std::wstring folder = L"Z:" LUMESCA_PLACES L"/" + std::wstring(place);
    for (auto& c : folder) c = c == L'/' ? L'\\' : c;
    // The script leaves a place empty when it could not mount it.
    return FilesWithBytes(folder).empty() ? std::wstring() : folder;
}

std::map<std::wstring, std::string> FilesWithBytes(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[found.cFileName] = ReadFileBytes(folder + L"\\" + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

long FillWithRecords(const std::wstring& path, size_t recordLength, const std::function<std::string(long)>& record) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    const long count = static_cast<long>(GetFileSize(file, nullptr) / recordLength);
    std::string bytes;
    for (long i = 1; i <= count; ++i) bytes += record(i);
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && SetEndOfFile(file);
    CloseHandle(file);
    return ok ? count : 0;
}

}  // namespace testing_support
