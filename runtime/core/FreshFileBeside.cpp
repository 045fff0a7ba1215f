#include "runtime/core/FreshFileBeside.h"

#include <atomic>

#include "runtime/core/FileErrors.h"

namespace rt {

namespace {

// Names tried before the folder counts as one that takes no new file.
constexpr int kNameAttempts = 64;
// Another program reading the target for a moment blocks the replacement; wait that long.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryMs = 50;

std::wstring FolderOf(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    full.resize(needed == 0 ? 0 : GetFullPathNameW(path.c_str(), needed, full.data(), nullptr));
    const auto slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
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

}  // namespace

FreshFileBeside::FreshFileBeside(const std::wstring& target) : m_target(target) {
    const std::wstring folder = FolderOf(target);
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
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) RaiseFileError(error);
    }
    RaiseFileError(ERROR_FILE_EXISTS);
}

FreshFileBeside::~FreshFileBeside() {
    Close();
    if (!m_path.empty()) DeleteFileW(m_path.c_str());  // a copy left behind harms nobody's file
}

void FreshFileBeside::Write(const void* bytes, size_t count) {
    DWORD written = 0;
    if (!WriteFile(m_handle, bytes, static_cast<DWORD>(count), &written, nullptr)) RaiseLastFileError();
    if (written != count) RaiseFileError(ERROR_DISK_FULL);
}

void FreshFileBeside::Finish() {
    if (!FlushFileBuffers(m_handle)) RaiseLastFileError();
    const HANDLE handle = m_handle;
    m_handle = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle)) RaiseLastFileError();
}

void FreshFileBeside::ReplaceTarget() {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(m_path.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) break;
        const DWORD error = GetLastError();
        const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
        if (!busy || attempt == kReplaceAttempts) RaiseFileError(error);
        Sleep(kReplaceRetryMs);
    }
    m_path.clear();  // it is the target now: nothing to remove
}

void FreshFileBeside::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

}  // namespace rt
