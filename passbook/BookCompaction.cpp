#include "passbook/BookCompaction.h"

#include "passbook/AccountRecord.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

void CompactBook(short fileNum, long lastRecord) {
    if (rt::OpenedReadOnly(fileNum)) rt::Raise(rt::err::kBadFileMode);
    rt::Flush(fileNum);  // the book's own pending writes fail here, before its length changes
    const long long length = static_cast<long long>(lastRecord) * kRecordLength;
    if (length >= rt::Lof(fileNum)) return;  // nothing after the records: nothing to cut
    rt::SetLength(fileNum, length);
    rt::Commit(fileNum);
}
