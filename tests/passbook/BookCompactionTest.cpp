// Compaction and deletion of a book: the result byte for byte, other files of the folder left
// alone, a child process killed at seeded random moments while it compacts, and a book that
// cannot be replaced (cut in place) or not even cut (left whole).
#include "passbook/BookCompaction.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <memory>
#include <random>
#include <set>

#include "passbook/AccountRecord.h"
#include "passbook/BookRecords.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"
#include "runtime/core/Text.h"
#include "tests/passbook/BookBytes.h"
#include "tests/passbook/BookProbe.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/PictureFiles.h"

using namespace passbook_tests;
using namespace testing_support;

namespace {

struct FilesClosed {
    ~FilesClosed() { rt::CloseAll(); }
};

// The names of the files in the folder.
std::set<std::wstring> FilesIn(const TempFolder& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(folder.File(L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// How long the work takes in a child, measured by letting one child finish.
double MeasureChild(const std::wstring& mode, const std::wstring& book, long number) {
    Probe probe(mode, book, number);
    if (!probe.WaitUntilWorking()) return 0;
    const double start = Now();
    probe.WaitForExit();
    return Now() - start;
}

}  // namespace

TEST(BookCompaction, RewritesExactlyTheCountedRecordsAndTouchesNoOtherFile) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    const std::wstring book = folder.File(L"BOOK1");
    ASSERT_TRUE(WriteBytes(book, TestBook(5, std::string(41, 'x'))));
    // A file of a name a compaction might have chosen is somebody's: it stays as it is.
    const std::wstring other = folder.File(L"~~TMP~~.TMP");
    ASSERT_TRUE(WriteBytes(other, TestBook(9)));

    short n = OpenBookFile(book);
    EXPECT_EQ(RecordCount(n), 5);
    CompactBook(book, n, 4);
    EXPECT_NE(n, 0);
    EXPECT_TRUE(rt::IsOpen(n));
    EXPECT_EQ(ReadAll(book), TestBook(4));
    EXPECT_EQ(ReadAll(other), TestBook(9));
    EXPECT_EQ(FilesIn(folder), (std::set<std::wstring>{L"BOOK1", L"~~TMP~~.TMP"})) << "the copy is gone";
    // The book is open again and usable.
    WriteRecord(n, 5, DecodeRecord(reinterpret_cast<const unsigned char*>(TestRecord(7).data())));
    EXPECT_EQ(ReadAll(book), TestBook(4) + TestRecord(7));
    rt::CloseAll();

    // A book of that very name compacts like any other, and so does the null device.
    short m = OpenBookFile(other);
    CompactBook(other, m, 8);
    EXPECT_EQ(ReadAll(other), TestBook(8));
    EXPECT_EQ(FilesIn(folder), (std::set<std::wstring>{L"BOOK1", L"~~TMP~~.TMP"}));
    short device = OpenBookFile(L"NUL");
    CompactBook(L"NUL", device, 1);
    EXPECT_TRUE(rt::IsOpen(device));
}

TEST(BookCompaction, DeletingByShiftingKeepsEveryOtherRecordPastThe16BitLimit) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    const std::wstring book = folder.File(L"BIG");
    const long count = 33000;  // beyond what a 16-bit counter can reach
    ASSERT_TRUE(WriteBytes(book, TestBook(count)));
    short n = OpenBookFile(book);
    DeleteByShifting(n, 2, count);
    CompactBook(book, n, count - 1);
    const std::string after = ReadAll(book);
    ASSERT_EQ(after.size(), static_cast<size_t>(count - 1) * kRecordLength);
    EXPECT_EQ(after.substr(0, kRecordLength), TestRecord(1));
    EXPECT_EQ(after.substr(kRecordLength, kRecordLength), TestRecord(3));
    EXPECT_EQ(after.substr(after.size() - kRecordLength), TestRecord(count));
    EXPECT_EQ(after, TestBook(1) + TestBook(count).substr(2 * kRecordLength));
}

TEST(BookCompaction, KilledAtAnyMomentTheBookIsTheOldOrTheNewOne) {
    const long records = 1000;
    const std::string before = TestBook(records, std::string(57, 'z'));  // a stray part of a record
    const std::string after = TestBook(records - 10);
    TempFolder measured;
    ASSERT_TRUE(WriteBytes(measured.File(L"BOOK"), before));
    const double duration = MeasureChild(L"compact", measured.File(L"BOOK"), records - 10);
    ASSERT_GT(duration, 0) << "the probe did not run";
    ASSERT_EQ(ReadAll(measured.File(L"BOOK")), after);

    // Four lanes of 50 kills each, every lane with a book and a folder of its own, so that the
    // children's start-up times overlap. The file table of this process is shared: the
    // compaction each lane runs itself after a kill takes turns with the others.
    constexpr int kLanes = 4;
    constexpr int kKillsPerLane = 50;
    std::mutex inProcess;
    std::atomic<int> old{0}, done{0};
    std::vector<std::string> failures(kLanes);
    auto lane = [&](int index) {
        TempFolder folder;
        const std::wstring book = folder.File(L"BOOK");
        std::mt19937 random(20261207 + index);
        std::uniform_real_distribution<double> moment(0, duration * 2);
        for (int kill = 0; kill < kKillsPerLane && failures[index].empty(); ++kill) {
            const std::string where = "lane " + std::to_string(index) + " kill " + std::to_string(kill);
            WriteBytes(book, before);
            Probe probe(L"compact", book, records - 10);
            if (!probe.WaitUntilWorking()) {
                failures[index] = where + ": the probe did not start";
                break;
            }
            SpinFor(moment(random));
            probe.Kill();
            const std::string found = ReadAll(book);
            if (found != before && found != after) {
                failures[index] = where + ": the book is torn (" + std::to_string(found.size()) + " bytes)";
                break;
            }
            (found == before ? old : done) += 1;
            // The next compaction succeeds, whatever the killed one left behind.
            std::lock_guard<std::mutex> turn(inProcess);
            try {
                short n = OpenBookFile(book);
                CompactBook(book, n, records - 10);
                rt::Close(n);
            } catch (const rt::RuntimeError& e) {
                failures[index] = where + ": the next compaction failed with " + std::to_string(e.Number());
            }
            if (failures[index].empty() && ReadAll(book) != after)
                failures[index] = where + ": the next compaction gave other bytes";
        }
    };
    std::vector<std::thread> lanes;
    for (int i = 0; i < kLanes; ++i) lanes.emplace_back(lane, i);
    for (auto& t : lanes) t.join();
    for (const auto& failure : failures) EXPECT_EQ(failure, "");
    EXPECT_EQ(old + done, kLanes * kKillsPerLane);
    std::printf("%d kills within %.1f ms: %d left the old book, %d the new one\n", kLanes * kKillsPerLane,
                duration * 2000, old.load(), done.load());
}

TEST(BookCompaction, ABookThatCannotBeReplacedIsCutInPlaceOrLeftWhole) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    const std::wstring book = folder.File(L"BOOK");
    const std::string before = TestBook(300, std::string(30, 'q'));
    ASSERT_TRUE(WriteBytes(book, before));
    // Another program holds the book open (no copy can take its place) and maps it (nor can
    // it be cut).
    HANDLE reader = CreateFileW(book.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    HANDLE mapping = CreateFileMappingW(reader, nullptr, PAGE_READONLY, 0, 0, nullptr);
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    short n = OpenBookFile(book);
    EXPECT_NE(ErrorOf([&] { CompactBook(book, n, 299); }), 0);
    EXPECT_TRUE(ReadAll(book) == before);
    ASSERT_TRUE(n != 0 && RecordCount(n) == 300) << "open again as it was";
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    CompactBook(book, n, 299);
    EXPECT_TRUE(ReadAll(book) == TestBook(299));
    EXPECT_EQ(FilesIn(folder), std::set<std::wstring>{L"BOOK"});
    CloseHandle(reader);
}
