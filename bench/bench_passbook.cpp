// Compaction of a password book against a plain copy of the same file.
//   bench_passbook BOOK   compacts BOOK as the editor does (LastRecord = its length / 109) and
//                         prints the time
//   bench_passbook        makes a book of 32,767 records, deletes record 1 (the full shift and
//                         compaction), compacts it again, and times both against a plain copy;
//                         the compaction also against a durable copy (the plain copy put on the
//                         disk, as the compaction puts its copy); the last line is
//                         "compaction/durable copy: R", the median ratio
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "passbook/AccountRecord.h"
#include "passbook/BookCompaction.h"
#include "passbook/BookRecords.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"
#include "runtime/core/Text.h"

namespace {

constexpr long kBookRecords = 32767;
constexpr int kRuns = 7;

double Now() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The plain copy followed by putting the copy's data on the disk.
void DurableCopy(const std::wstring& from, const std::wstring& to) {
    rt::FileCopy(from, to);
    HANDLE copy = CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    FlushFileBuffers(copy);
    CloseHandle(copy);
}

template <class F>
double Milliseconds(F&& work) {
    const double start = Now();
    work();
    return (Now() - start) * 1000;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void WriteBook(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(kBookRecords) * kRecordLength);
    for (long i = 1; i <= kBookRecords; ++i) {
        AccountRecord r;
        r.PasswordNo = static_cast<short>(i);
        r.Balance = i * 3.5;
        r.LastDepositDate = 40000 + i;
        r.HolderName = FieldText(L"持卡人" + std::to_wstring(i), kNameWidth);
        const RecordBytes stored = EncodeRecord(r);
        bytes.append(stored.begin(), stored.end());
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

int CompactOne(const std::wstring& book) {
    const long lastRecord = static_cast<long>(rt::FileLen(book) / static_cast<long long>(kRecordLength));
    short fileNum = OpenBookFile(book);
    const double ms = Milliseconds([&] { CompactBook(fileNum, lastRecord); });
    rt::CloseAll();
    std::printf("compacted %ld records in %.1f ms\n", lastRecord, ms);
    return 0;
}

int Compare() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"bench_passbook_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring book = folder + L"\\BOOK";
    const std::wstring copy = folder + L"\\COPY";
    std::vector<double> deleteRatios, compactRatios, durableRatios;
    // Every timed copy goes over an earlier copy, as a compaction replaces the earlier book.
    WriteBook(copy);
    for (int run = 1; run <= kRuns; ++run) {
        WriteBook(book);
        const double copyFull = Milliseconds([&] { rt::FileCopy(book, copy); });
        short fileNum = OpenBookFile(book);
        const double deletion = Milliseconds([&] {
            DeleteByShifting(fileNum, 1, kBookRecords);
            CompactBook(fileNum, kBookRecords - 1);
        });
        rt::CloseAll();
        const double copyShorter = Milliseconds([&] { rt::FileCopy(book, copy); });
        fileNum = OpenBookFile(book);
        const double compaction = Milliseconds([&] { CompactBook(fileNum, kBookRecords - 1); });
        rt::CloseAll();
        const double copyDurable = Milliseconds([&] { DurableCopy(book, copy); });
        deleteRatios.push_back(deletion / copyFull);
        compactRatios.push_back(compaction / copyShorter);
        durableRatios.push_back(compaction / copyDurable);
        std::printf("run %d: delete record 1 of %ld %.1f ms, copy %.1f ms; compaction %.1f ms, copy %.1f ms, "
                    "durable copy %.1f ms\n",
                    run, kBookRecords, deletion, copyFull, compaction, copyShorter, copyDurable);
    }
    DeleteFileW(book.c_str());
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
    std::printf("deletion/copy: %.2f\n", Median(deleteRatios));
    std::printf("compaction/copy: %.2f\n", Median(compactRatios));
    std::printf("compaction/durable copy: %.2f\n", Median(durableRatios));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return argc > 1 ? CompactOne(argv[1]) : Compare();
    } catch (const rt::RuntimeError& e) {
        std::printf("error %ld: %s\n", e.Number(), rt::Utf8FromWide(e.Description()).c_str());
        return 1;
    }
}
