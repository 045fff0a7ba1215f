// Deleting a record by shifting the later records down, in a book larger than the record
// window: a full disk met on the way is reported by the shift, and a child process killed at
// any moment of the shift loses no record but the deleted one.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <random>

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
    const std::string stored = StoredRecords(onFullDisk, 1, kRecords);
    EXPECT_EQ(ErrorOf([&] { DeleteByShifting(onFullDisk, 1, kRecords); }), rt::err::kDiskFull);
    // The message after it is reckoned from what the book holds then.
    EXPECT_EQ(ShiftOutcomeText(stored, StoredRecords(onFullDisk, 1, kRecords), 1), L"文件中的其他记录没有改动。");

    // The failed shift is over: a book beside it is read from the disk, as another program
    // leaves it.
    const std::wstring book = folder.File(L"BOOK");
    ASSERT_TRUE(WriteBytes(book, TestBook(3)));
    const short n = OpenBookFile(book);
    EXPECT_EQ(Stored(ReadRecord(n, 2)), TestRecord(2));
    ASSERT_TRUE(WriteBytes(book, TestRecord(1) + TestRecord(7) + TestRecord(3)));
    EXPECT_EQ(Stored(ReadRecord(n, 2)), TestRecord(7));
}

// The wording for what a failed shift can leave, from the stored bytes of records k on:
// nothing changed, a first part moved, a first part moved and the next record cut short.
TEST(BookShift, AFailedShiftIsToldAsTheBytesShowIt) {
    const std::string before = TestBook(6).substr(kRecordLength);  // records 2 to 6
    const auto records = [](std::initializer_list<long> numbers) {
        std::string bytes;
        for (const long i : numbers) bytes += TestRecord(i);
        return bytes;
    };
    EXPECT_EQ(ShiftOutcomeText(before, records({3, 4, 4, 5, 6}), 2),
              L"删除没有完成：第 2 条记录已从文件中删去，原第 3 至 4 条记录各前移了一位，原第 4 条记录现在存了两遍；"
              L"其余记录没有改动。");
    const std::string torn = records({3, 4}) + TestRecord(5).substr(0, 50) + TestRecord(4).substr(50) + records({5, 6});
    EXPECT_EQ(ShiftOutcomeText(before, torn, 2),
              L"删除没有完成：第 2 条记录已从文件中删去，原第 3 至 4 条记录各前移了一位，原第 4 "
              L"条记录原来的位置上现在是一条只写了一部分的记录；其余记录没有改动。");
    EXPECT_EQ(ShiftOutcomeText(before, records({6, 3, 4, 5, 2}), 2), L"第 2 条以后的记录已有改动，请逐条检查。");
}

// Each kill lands once the child's shift has visibly reached a seeded record of the book's
// first quarter: most of them stop it midway, and the test fails unless they do.
TEST(BookShift, KilledAtAnyMomentNoRecordButTheDeletedOneIsLost) {
    TempFolder folder;
    const std::wstring book = folder.File(L"BOOK");
    const long records = 120000;  // some fifty record windows: a shift that takes a while
    const long deleted = 3;
    const std::string before = TestBook(records);
    const std::string shifted =
        TestBook(deleted - 1) + before.substr(deleted * kRecordLength) + TestRecord(records);
    ASSERT_TRUE(WriteBytes(book, before));
    const double duration = ShiftSeconds(book, deleted);
    ASSERT_EQ(ReadAll(book), shifted);

    std::mt19937 random(1207);
    std::uniform_int_distribution<long> place(deleted, records / 4);
    constexpr int kKills = 20;
    int midway = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        ASSERT_TRUE(WriteBytes(book, before));
        Probe probe(L"shift", book, deleted);
        ASSERT_TRUE(probe.WaitUntilWorking());
        const long at = place(random);
        ASSERT_TRUE(probe.KillOnceChanged(book, (at - 1) * kRecordLength, TestRecord(at))) << "kill " << kill;
        const std::string found = ReadAll(book);
        ASSERT_TRUE(IsPartlyShifted(found, before, shifted)) << "kill " << kill << ": a record is lost";
        if (found != shifted) ++midway;
    }
    std::printf("%d kills in a shift of %.1f ms: %d stopped it midway\n", kKills, duration * 1000, midway);
    EXPECT_GE(midway, kKills / 2) << "too few kills landed while the shift was under way";
}
