// Deleting a record by shifting the later records down, in a book larger than the record
// window: a full disk met on the way is reported by the shift, and a child process killed at
// any moment of the shift loses no record but the deleted one.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
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

// Another program holds a lock on a record far down the book: the shift moves a first part of
// the records and stops there. The message tells what the file then holds.
TEST(BookShift, AShiftStoppedMidwayIsToldAsTheFileHoldsIt) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    const std::wstring book = folder.File(L"BOOK");
    ASSERT_TRUE(WriteBytes(book, TestBook(kRecords)));
    HANDLE other = CreateFileW(book.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    OVERLAPPED locked = {};
    locked.Offset = 4000 * kRecordLength;
    ASSERT_TRUE(LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, kRecordLength, 0, &locked));
    const short n = OpenBookFile(book);
    const std::string before = StoredRecords(n, 2, kRecords);
    EXPECT_NE(ErrorOf([&] { DeleteByShifting(n, 2, kRecords); }), 0);
    UnlockFileEx(other, 0, kRecordLength, 0, &locked);
    CloseHandle(other);
    const std::string after = StoredRecords(n, 2, kRecords);

    size_t moved = 0;
    while (after.substr(moved * kRecordLength, kRecordLength) == before.substr((moved + 1) * kRecordLength, kRecordLength))
        ++moved;
    ASSERT_GT(moved, 0u) << "the shift moved nothing";
    ASSERT_LT(moved, static_cast<size_t>(kRecords - 2)) << "the shift did not stop";
    ASSERT_EQ(after.substr(moved * kRecordLength), before.substr(moved * kRecordLength)) << "the rest is as it was";
    const std::wstring last = std::to_wstring(2 + moved);
    EXPECT_EQ(ShiftOutcomeText(before, after, 2), L"删除没有完成：第 2 条记录已从文件中删去，原第 3 至 " + last +
                                                      L" 条记录各前移了一位，原第 " + last +
                                                      L" 条记录现在存了两遍；其余记录没有改动。");
    EXPECT_EQ(ShiftOutcomeText(before, before, 2), L"文件中的其他记录没有改动。");
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
