// Deleting a record by shifting the later records down, in a book larger than the record
// window: a full disk met on the way is reported by the shift, and a child process killed at
// any moment of the shift loses no record but the deleted one.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <set>

#include "passbook/AccountRecord.h"
#include "passbook/BookRecords.h"
#include "passbook/ShiftOutcome.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/Files.h"
#include "runtime/core/Text.h"
#include "tests/passbook/BookBytes.h"
#include "tests/passbook/BookProbe.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Places.h"

using namespace passbook_tests;
using namespace testing_support;

namespace {

constexpr long kRecords = 5000;  // about twice the record window

struct FilesClosed {
    ~FilesClosed() { rt::CloseAll(); }
};

std::string Stored(const AccountRecord& record) {
    const RecordBytes bytes = EncodeRecord(record);
    return std::string(bytes.begin(), bytes.end());
}

// How long the shift takes here; the child runs the same code.
double ShiftSeconds(const std::wstring& book, long deleted) {
    short n = OpenBookFile(book);
    const double start = Now();
    DeleteByShifting(n, deleted, RecordCount(n));
    const double seconds = Now() - start;
    rt::Close(n);
    return seconds;
}

}  // namespace

TEST(BookShift, AFullDiskIsReportedByTheShiftAndLeavesNoStaleReads) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    // A book that is the host's always-full device (made by the build).
    std::wstring full = L"Z:" PASSBOOK_FULL_DISK_FOLDER "\\FULLBOOK";
    std::replace(full.begin(), full.end(), L'/', L'\\');
    HANDLE device = CreateFileW(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(device, INVALID_HANDLE_VALUE) << "the build did not make " << rt::Utf8FromWide(full);
    CloseHandle(device);
    const short onFullDisk = OpenBookFile(full);
    EXPECT_EQ(ErrorOf([&] { DeleteByShifting(onFullDisk, 1, kRecords); }), rt::err::kDiskFull);

    // The failed shift is over: a book beside it is read from the disk, as another program
    // leaves it.
    const std::wstring book = folder.File(L"BOOK");
    ASSERT_TRUE(WriteBytes(book, TestBook(3)));
    const short n = OpenBookFile(book);
    EXPECT_EQ(Stored(ReadRecord(n, 2)), TestRecord(2));
    ASSERT_TRUE(WriteBytes(book, TestRecord(1) + TestRecord(7) + TestRecord(3)));
    EXPECT_EQ(Stored(ReadRecord(n, 2)), TestRecord(7));
}

// A book whose later part has no pages on a full volume: the shift moves the records that have
// pages, and its write into the part without pages fails. The message says what the file then
// holds: here the records moved down one place, the zero records past them look as shifted.
TEST(BookShift, AShiftStoppedByAFullDiskIsToldAsTheFileHoldsIt) {
    const std::wstring sparse = PlaceFolder(L"passbook-sparse");
    if (sparse.empty()) GTEST_SKIP() << "no full place: mounting a tmpfs needs root";
    FilesClosed closed;
    const std::wstring book = sparse + L"\\SPARSE";
    const long paged = 2404;  // as many records as the pages hold
    const std::string records = TestBook(paged);
    HANDLE file = CreateFileW(book.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, records.data(), static_cast<DWORD>(records.size()), &written, nullptr));
    CloseHandle(file);
    const short n = OpenBookFile(book);
    const long count = RecordCount(n);
    const std::string before = StoredRecords(n, 2, count);
    EXPECT_EQ(ErrorOf([&] { DeleteByShifting(n, 2, count); }), rt::err::kDiskFull);
    const std::string after = StoredRecords(n, 2, count);
    ASSERT_EQ(after.substr(0, (paged - 2) * kRecordLength), records.substr(2 * kRecordLength)) << "records 3 on moved";
    ASSERT_EQ(after.find_first_not_of('\0', (paged - 2) * kRecordLength), std::string::npos);
    EXPECT_EQ(ShiftOutcomeText(before, after, 2), L"第 2 条记录已从文件中删去，最后一条记录在文件末尾存了两遍。");
}

// The wording for the other things a failed shift can leave, from the stored bytes of records
// k on: nothing changed, a first part moved, a first part moved and the next record cut short.
TEST(BookShift, AFailedShiftIsToldAsTheBytesShowIt) {
    const std::string before = TestBook(6).substr(kRecordLength);  // records 2 to 6
    const auto records = [](std::initializer_list<long> numbers) {
        std::string bytes;
        for (const long i : numbers) bytes += TestRecord(i);
        return bytes;
    };
    EXPECT_EQ(ShiftOutcomeText(before, before, 2), L"文件中的其他记录没有改动。");
    EXPECT_EQ(ShiftOutcomeText(before, records({3, 4, 4, 5, 6}), 2),
              L"删除没有完成：第 2 条记录已从文件中删去，原第 3 至 4 条记录各前移了一位，原第 4 条记录现在存了两遍；"
              L"其余记录没有改动。");
    const std::string torn = records({3, 4}) + TestRecord(5).substr(0, 50) + TestRecord(4).substr(50) + records({5, 6});
    EXPECT_EQ(ShiftOutcomeText(before, torn, 2),
              L"删除没有完成：第 2 条记录已从文件中删去，原第 3 至 4 条记录各前移了一位，原第 4 "
              L"条记录原来的位置上现在是一条只写了一部分的记录；其余记录没有改动。");
    EXPECT_EQ(ShiftOutcomeText(before, records({6, 3, 4, 5, 2}), 2), L"第 2 条以后的记录已有改动，请逐条检查。");
}

// The kills land once the child's shift has visibly begun (the deleted record is overwritten),
// at seeded moments within half the shift's time after that: most of them stop it midway, and
// the test fails unless they do.
TEST(BookShift, KilledAtAnyMomentNoRecordButTheDeletedOneIsLost) {
    TempFolder folder;
    const std::wstring book = folder.File(L"BOOK");
    const long records = 40000;  // some sixteen record windows: a shift that takes a while
    const long deleted = 3;
    const std::string before = TestBook(records);
    const std::string shifted =
        TestBook(deleted - 1) + before.substr(deleted * kRecordLength) + TestRecord(records);
    ASSERT_TRUE(WriteBytes(book, before));
    const double duration = ShiftSeconds(book, deleted);
    ASSERT_EQ(ReadAll(book), shifted);

    std::mt19937 random(1207);
    std::uniform_real_distribution<double> moment(0, duration / 2);
    const long long at = static_cast<long long>(deleted - 1) * kRecordLength;
    constexpr int kKills = 20;
    int midway = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        ASSERT_TRUE(WriteBytes(book, before));
        Probe probe(L"shift", book, deleted);
        ASSERT_TRUE(probe.WaitUntilWorking());
        ASSERT_TRUE(probe.KillOnceChanged(book, at, TestRecord(deleted), moment(random))) << "kill " << kill;
        const std::string found = ReadAll(book);
        ASSERT_EQ(found.size(), before.size()) << "kill " << kill;
        std::set<std::string> kept;
        for (size_t offset = 0; offset + kRecordLength <= found.size(); offset += kRecordLength)
            kept.insert(found.substr(offset, kRecordLength));
        for (long i = 1; i <= records; ++i) {
            if (i == deleted) continue;
            ASSERT_TRUE(kept.count(TestRecord(i))) << "kill " << kill << " lost record " << i;
        }
        if (found != shifted) ++midway;
    }
    std::printf("%d kills within %.1f ms of the shift's start: %d stopped it midway\n", kKills, duration * 500, midway);
    EXPECT_GE(midway, kKills / 2) << "too few kills landed while the shift was under way";
}
