#include "passbook/BookCompaction.h"

#include <windows.h>

#include "passbook/AccountRecord.h"
#include "passbook/BookRecords.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace {

// Another program reading the book for a moment blocks the replacement; wait that long.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryMs = 50;

std::wstring FullPathOf(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    full.resize(length);
    return full;
}

void CopyRecords(short fromFile, int toFile, long count) {
    RecordBytes bytes{};
    for (long i = 1; i <= count; ++i) {
        rt::GetRecord(fromFile, i, bytes.data(), bytes.size());
        rt::PutRecord(toFile, i, bytes.data(), bytes.size());
    }
}

// Creates the temporary file empty (or empties a leftover) and opens it for records.
int OpenEmptyTemporary(const std::wstring& path) {
    const int number = rt::FreeFile();
    rt::Open(path, rt::OpenMode::Output, number);
    rt::Close(number);
    rt::Open(path, rt::OpenMode::Random, number, static_cast<int>(kRecordLength));
    return number;
}

}  // namespace

std::wstring TemporaryBookPath(const std::wstring& bookName) {
    const std::wstring full = FullPathOf(bookName);
    const auto slash = full.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return kTemporaryBookName;
    return full.substr(0, slash + 1) + kTemporaryBookName;
}

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
    const std::wstring temporary = TemporaryBookPath(bookName);
    int temporaryFile = 0;
    try {
        temporaryFile = OpenEmptyTemporary(temporary);
        CopyRecords(fileNum, temporaryFile, lastRecord);
        rt::Commit(temporaryFile);
        const int copied = temporaryFile;
        temporaryFile = 0;
        rt::Close(copied);
        const short book = fileNum;
        fileNum = 0;
        rt::Close(book);
        ReplaceBookFile(temporary, bookName);
    } catch (const rt::RuntimeError&) {
        // Nothing has touched the book: drop the copy and open the book again as it stands.
        if (temporaryFile != 0) rt::TryStatement([&] { rt::Close(temporaryFile); });
        DeleteFileW(temporary.c_str());  // a copy that cannot be removed does no harm: it is emptied next time
        if (fileNum == 0) rt::TryStatement([&] { fileNum = OpenBookFile(bookName); });
        throw;
    }
    fileNum = OpenBookFile(bookName);
}
