#include "passbook/BookRecords.h"

#include <algorithm>
#include <vector>

#include "runtime/core/Files.h"

namespace {

// Records read at once: about one write window of the record file.
constexpr long kRecordsPerRun = 2400;

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

void ForEachRecordRun(short fileNum, long first, long last,
                      const std::function<void(long, long, const unsigned char*)>& use) {
    if (last < first) return;
    std::vector<unsigned char> run(static_cast<size_t>(std::min(last - first + 1, kRecordsPerRun)) * kRecordLength);
    for (long start = first; start <= last; start += kRecordsPerRun) {
        const long records = std::min(kRecordsPerRun, last - start + 1);
        rt::GetRecords(fileNum, start, records, run.data());
        use(start, records, run.data());
    }
}

std::string StoredRecords(short fileNum, long first, long last) {
    std::string bytes;
    ForEachRecordRun(fileNum, first, last, [&bytes](long, long records, const unsigned char* run) {
        bytes.append(reinterpret_cast<const char*>(run), static_cast<size_t>(records) * kRecordLength);
    });
    return bytes;
}

void DeleteByShifting(short fileNum, long k, long n) {
    ForEachRecordRun(fileNum, k + 1, n, [fileNum](long start, long records, const unsigned char* bytes) {
        for (long i = 0; i < records; ++i)
            rt::PutRecord(fileNum, start - 1 + i, bytes + static_cast<size_t>(i) * kRecordLength, kRecordLength);
    });
    rt::Flush(fileNum);
}
