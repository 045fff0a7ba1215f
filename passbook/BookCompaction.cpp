#include "passbook/BookCompaction.h"

#include <utility>

#include "passbook/AccountRecord.h"
#include "passbook/BookRecords.h"
#include "runtime/core/Files.h"
#include "runtime/core/FreshFileBeside.h"
#include "runtime/core/RuntimeError.h"

namespace {

// The copy gets the records run by run, as they are read.
void CopyRecords(short fromFile, rt::FreshFileBeside& to, long count) {
    ForEachRecordRun(fromFile, 1, count, [&to](long, long records, const unsigned char* bytes) {
        to.Write(bytes, static_cast<size_t>(records) * kRecordLength);
    });
}

// The way through a copy: the book is closed (fileNum 0) once the copy is on the disk, and
// replaced by it.
void CopyAndReplace(const std::wstring& bookName, short& fileNum, long lastRecord) {
    rt::FreshFileBeside copy(bookName);
    CopyRecords(fileNum, copy, lastRecord);
    copy.Finish();
    rt::Close(std::exchange(fileNum, static_cast<short>(0)));
    copy.ReplaceTarget();
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
