#include "passbook/BookCompaction.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "passbook/AccountRecord.h"
#include "passbook/BookRecords.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace {

// Another program reading the book for a moment blocks the replacement; wait that long.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryMs = 50;
// Fresh names tried before the folder counts as one that takes no new file.
constexpr int kNameAttempts = 64;
// Records gathered per write of the copy.
constexpr long kRecordsPerWrite = 2400;

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

// The copy of a book: a file of a fresh name that this compaction created itself (never one
// that was there before), removed again unless it became the book.
class TemporaryCopy {
public:
    // Creates the file in the folder; raises the file error when the folder takes no new file.
    explicit TemporaryCopy(const std::wstring& folder) {
        const unsigned seed = GetTickCount() ^ (GetCurrentProcessId() << 12);
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const std::wstring path = folder + L"~BK" + Hex(seed + static_cast<unsigned>(attempt) * 0x9E37u, 5) + L".TMP";
            m_handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (m_handle != INVALID_HANDLE_VALUE) {
                m_path = path;
                return;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) rt::RaiseFileError(error);
        }
        rt::RaiseFileError(ERROR_FILE_EXISTS);
    }
    ~TemporaryCopy() {
        Close();
        if (!m_path.empty()) DeleteFileW(m_path.c_str());  // a copy left behind does no harm
    }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    void Write(const unsigned char* bytes, size_t count) {
        DWORD written = 0;
        if (!WriteFile(m_handle, bytes, static_cast<DWORD>(count), &written, nullptr)) rt::RaiseLastFileError();
        if (written != count) rt::RaiseFileError(ERROR_DISK_FULL);
    }
    // Puts the data on the disk and lets go of the file, so that it can be renamed.
    void Finish() {
        if (!FlushFileBuffers(m_handle)) rt::RaiseLastFileError();
        Close();
    }
    const std::wstring& Path() const { return m_path; }
    // The copy has become the book: nothing to remove.
    void Keep() { m_path.clear(); }

private:
    void Close() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

    std::wstring m_path;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

void CopyRecords(short fromFile, TemporaryCopy& to, long count) {
    std::vector<unsigned char> chunk(static_cast<size_t>(std::min(count, kRecordsPerWrite)) * kRecordLength);
    for (long first = 1; first <= count; first += kRecordsPerWrite) {
        const long records = std::min(kRecordsPerWrite, count - first + 1);
        rt::GetRecords(fromFile, first, records, chunk.data());
        to.Write(chunk.data(), static_cast<size_t>(records) * kRecordLength);
    }
}

// The way through a copy: the book is closed (fileNum 0) once the copy is on the disk, and
// replaced by it.
void CopyAndReplace(const std::wstring& bookName, short& fileNum, long lastRecord) {
    TemporaryCopy copy(FolderOf(bookName));
    CopyRecords(fileNum, copy, lastRecord);
    copy.Finish();
    rt::Close(std::exchange(fileNum, static_cast<short>(0)));
    ReplaceBookFile(copy.Path(), bookName);
    copy.Keep();
}

// The way with no new file: the book cut after its last record and put on the disk. A book
// that holds no more than its records already needs nothing.
void CutInPlace(short fileNum, long lastRecord) {
    const long long length = static_cast<long long>(lastRecord) * kRecordLength;
    if (length >= rt::Lof(fileNum)) return;
    rt::SetLength(fileNum, length);
    rt::Commit(fileNum);
}

}  // namespace

void ReplaceBookFile(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
        const DWORD error = GetLastError();
        const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
        if (!busy || attempt == kReplaceAttempts) rt::RaiseFileError(error);
        Sleep(kReplaceRetryMs);
    }
}

void CompactBook(const std::wstring& bookName, short& fileNum, long lastRecord) {
    if (rt::OpenedReadOnly(fileNum)) rt::Raise(rt::err::kBadFileMode);
    rt::Flush(fileNum);  // the book's own pending writes fail here, before anything else moves
    try {
        CopyAndReplace(bookName, fileNum, lastRecord);
    } catch (const rt::RuntimeError&) {
        // The book is as it was; without a copy it can still be cut where it stands.
        if (fileNum == 0) fileNum = OpenBookFile(bookName);
        if (rt::TryStatement([&] { CutInPlace(fileNum, lastRecord); }) != 0) throw;
        return;
    }
    fileNum = OpenBookFile(bookName);
}
