#include "passbook/BookRecords.h"

#include "runtime/core/Files.h"

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
    RecordBytes bytes{};
    for (long i = k; i <= n - 1; ++i) {
        rt::GetRecord(fileNum, i + 1, bytes.data(), bytes.size());
        rt::PutRecord(fileNum, i, bytes.data(), bytes.size());
    }
    rt::Flush(fileNum);
}
