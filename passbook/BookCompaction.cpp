#include "passbook/BookCompaction.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "passbook/AccountRecord.h"
#include "passbook/BookRecords.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/Files.h"
#include "runtime/core/FreshFileBeside.h"
#include "runtime/core/RuntimeError.h"

namespace {

// Another program reading the book for a moment blocks the replacement; wait that long.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryMs = 50;
// Records gathered per write of the copy.
constexpr long kRecordsPerWrite = 2400;

void CopyRecords(short fromFile, rt::FreshFileBeside& to, long count) {
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
    rt::FreshFileBeside copy(bookName);
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
