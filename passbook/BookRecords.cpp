#include "passbook/BookRecords.h"

#include <algorithm>
#include <vector>

#include "runtime/core/Files.h"

namespace {

// Records read at once while shifting: about one write window of the record file.
constexpr long kRecordsPerRead = 2400;

}  // namespace

short OpenBookFile(const std::wstring& path) {
    const int number = rt::FreeFile();
    rt::Open(path, rt::OpenMode::Random, number, static_cast<int>(kRecordLength));
    return static_cast<short>(number);
}

long RecordCount(short fileNum) { return static_cast<long>(rt::Lof(fileNum) / static_cast<long long>(kRecordLength)); }

AccountRecord ReadRecord(short fileNum, long n) {
    RecordBytes bytes{};
    rt::GetRecord(fileNum, n, bytes.data(), bytes.size());
    return DecodeRecord(bytes.data());
}

void WriteRecord(short fileNum, long n, const AccountRecord& record) {
    const RecordBytes bytes = EncodeRecord(record);
    rt::PutRecord(fileNum, n, bytes.data(), bytes.size());
    rt::Flush(fileNum);
}

void DeleteByShifting(short fileNum, long k, long n) {
    std::vector<unsigned char> chunk(static_cast<size_t>(std::clamp(n - k, 0L, kRecordsPerRead)) * kRecordLength);
    for (long first = k + 1; first <= n; first += kRecordsPerRead) {
        const long records = std::min(kRecordsPerRead, n - first + 1);
        rt::GetRecords(fileNum, first, records, chunk.data());
        for (long i = 0; i < records; ++i)
            rt::PutRecord(fileNum, first - 1 + i, chunk.data() + static_cast<size_t>(i) * kRecordLength, kRecordLength);
    }
    rt::Flush(fileNum);
}
