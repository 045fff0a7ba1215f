#include "runtime/core/FileLists.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwctype>

namespace rt {

namespace {

constexpr DWORD kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool LessNoCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

template <class Keep>
std::vector<std::wstring> ListFolder(const std::wstring& path, Keep keep) {
    std::vector<std::wstring> names;
    std::wstring search = path;
    if (!search.empty() && search.back() != L'\\') search += L'\\';
    search += L'*';
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(search.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & kHiddenOrSystem) continue;
        if (keep(name, data.dwFileAttributes)) names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end(), LessNoCase);
    return names;
}

std::wstring DriveLabel(const std::wstring& root) {
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) return {};
    return label;
}

}  // namespace

std::vector<std::wstring> DriveEntries() {
    std::vector<std::wstring> entries;
    const DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        std::wstring entry{static_cast<wchar_t>(L'a' + i), L':'};
        const std::wstring root = entry + L"\\";
        // Only fixed drives are asked for a label: a removable drive may keep the user waiting.
        if (GetDriveTypeW(root.c_str()) == DRIVE_FIXED) {
            const std::wstring label = DriveLabel(root);
            if (!label.empty()) entry += L" [" + label + L"]";
        }
        entries.push_back(entry);
    }
    return entries;
}

std::wstring NormalizeFolderPath(const std::wstring& pathOrDrive) {
    std::wstring path = pathOrDrive;
    // A drive list entry: "c: [label]" -> "c:".
    if (path.size() >= 2 && path[1] == L':' && (path.size() == 2 || path[2] == L' ')) path = path.substr(0, 2);
    wchar_t full[MAX_PATH * 2] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 2) return path;
    std::wstring result = full;
    if (result.size() > 3 && result.back() == L'\\') result.pop_back();
    return result;
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> FolderChain(const std::wstring& path) {
    std::vector<std::wstring> chain;
    if (path.size() < 2) return chain;
    std::wstring current = path.substr(0, 2) + L"\\";
    chain.push_back(current);
    size_t start = 3;
    while (start < path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        if (end > start) {
            if (current.back() != L'\\') current += L'\\';
            current += path.substr(start, end - start);
            chain.push_back(current);
        }
        start = end + 1;
    }
    return chain;
}

std::vector<std::wstring> SubfolderNames(const std::wstring& path) {
    return ListFolder(path, [](const std::wstring&, DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; });
}

bool MatchesPattern(const std::wstring& name, const std::wstring& patterns) {
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(L';', start);
        if (end == std::wstring::npos) end = patterns.size();
        std::wstring pattern = patterns.substr(start, end - start);
        pattern.erase(0, pattern.find_first_not_of(L' '));
        if (!pattern.empty() && pattern.find_last_not_of(L' ') != std::wstring::npos)
            pattern.erase(pattern.find_last_not_of(L' ') + 1);
        if (!pattern.empty() && PathMatchSpecW(name.c_str(), pattern.c_str())) return true;
        start = end + 1;
    }
    return false;
}

std::vector<std::wstring> MatchingFiles(const std::wstring& path, const std::wstring& patterns) {
    return ListFolder(path, [&](const std::wstring& name, DWORD attributes) {
        return !(attributes & FILE_ATTRIBUTE_DIRECTORY) && MatchesPattern(name, patterns);
    });
}

}  // namespace rt
