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

TEST(BookShift, KilledAtAnyMomentNoRecordButTheDeletedOneIsLost) {
    TempFolder folder;
    const std::wstring book = folder.File(L"BOOK");
    const long deleted = 3;
    const std::string before = TestBook(kRecords);
    const std::string shifted = TestBook(deleted - 1) + TestBook(kRecords).substr(deleted * kRecordLength) +
                                TestRecord(kRecords);
    ASSERT_TRUE(WriteBytes(book, before));
    const double duration = ShiftSeconds(book, deleted);
    ASSERT_EQ(ReadAll(book), shifted);

    std::mt19937 random(1207);
    std::uniform_real_distribution<double> moment(0, duration * 1.5);
    int midway = 0;
    for (int kill = 0; kill < 30; ++kill) {
        ASSERT_TRUE(WriteBytes(book, before));
        Probe probe(L"shift", book, deleted);
        ASSERT_TRUE(probe.WaitUntilWorking());
        SpinFor(moment(random));
        probe.Kill();
        const std::string found = ReadAll(book);
        ASSERT_EQ(found.size(), before.size()) << "kill " << kill;
        std::set<std::string> kept;
        for (size_t at = 0; at + kRecordLength <= found.size(); at += kRecordLength)
            kept.insert(found.substr(at, kRecordLength));
        for (long i = 1; i <= kRecords; ++i) {
            if (i == deleted) continue;
            ASSERT_TRUE(kept.count(TestRecord(i))) << "kill " << kill << " lost record " << i;
        }
        if (found != before && found != shifted) ++midway;
    }
    std::printf("30 kills within %.1f ms: %d stopped the shift midway\n", duration * 1500, midway);
}
