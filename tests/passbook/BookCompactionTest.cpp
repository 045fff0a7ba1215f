// Compaction and deletion of a book: the result byte for byte, other files of the folder left
// alone, the book still the same file, a child process killed at seeded moments while it
// deletes and compacts, and a book that cannot be cut (left whole).
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

    // A hidden book reached through a second name (a hard link) stays hidden, and both names
    // still show the same compacted book.
    ASSERT_TRUE(SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_HIDDEN));
    const std::wstring link = folder.File(L"LINK");
    const bool linked = CreateHardLinkW(link.c_str(), book.c_str(), nullptr);
    short n = OpenBookFile(book);
    EXPECT_EQ(RecordCount(n), 5);
    CompactBook(n, 4);
    EXPECT_TRUE(rt::IsOpen(n));
    EXPECT_EQ(ReadAll(book), TestBook(4));
    EXPECT_EQ(GetFileAttributesW(book.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    if (linked) {
        EXPECT_EQ(ReadAll(link), TestBook(4));
    }
    ASSERT_TRUE(SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(ReadAll(other), TestBook(9));
    std::set<std::wstring> names{L"BOOK1", L"~~TMP~~.TMP"};
    if (linked) names.insert(L"LINK");
    EXPECT_EQ(FilesIn(folder), names) << "nothing made beside it";
    // The book is still open and usable.
    WriteRecord(n, 5, DecodeRecord(reinterpret_cast<const unsigned char*>(TestRecord(7).data())));
    EXPECT_EQ(ReadAll(book), TestBook(4) + TestRecord(7));
    rt::CloseAll();
    if (linked) {
        ASSERT_TRUE(DeleteFileW(link.c_str()));
    }

    // A book of that very name compacts like any other, and so does the null device.
    short m = OpenBookFile(other);
    CompactBook(m, 8);
    EXPECT_EQ(ReadAll(other), TestBook(8));
    EXPECT_EQ(FilesIn(folder), (std::set<std::wstring>{L"BOOK1", L"~~TMP~~.TMP"}));
    short device = OpenBookFile(L"NUL");
    CompactBook(device, 1);
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
    CompactBook(n, count - 1);
    const std::string after = ReadAll(book);
    ASSERT_EQ(after.size(), static_cast<size_t>(count - 1) * kRecordLength);
    EXPECT_EQ(after.substr(0, kRecordLength), TestRecord(1));
    EXPECT_EQ(after.substr(kRecordLength, kRecordLength), TestRecord(3));
    EXPECT_EQ(after.substr(after.size() - kRecordLength), TestRecord(count));
    EXPECT_EQ(after, TestBook(1) + TestBook(count).substr(2 * kRecordLength));
}

// A child deletes record 2 and compacts; each kill lands once its shift has visibly reached a
// seeded record of the book's first quarter. The book then has its old length or its new one,
// holds the shifted records up to some record and the old ones after it, and is the finished
// book when it is short. Most kills must land before the work is done, or the test proves
// nothing.
TEST(BookCompaction, KilledAtAnyMomentTheBookIsTheOldOrTheNewOne) {
    const long records = 120000;  // some fifty record windows: work that takes a while
    const std::string before = TestBook(records, std::string(57, 'z'));  // a stray part of a record
    const std::string after = TestRecord(1) + TestBook(records).substr(2 * kRecordLength);
    const std::string shifted = after + TestRecord(records) + std::string(57, 'z');
    TempFolder folder;
    const std::wstring book = folder.File(L"BOOK");
    ASSERT_TRUE(WriteBytes(book, before));
    const double duration = MeasureChild(L"delete", book, 2);
    ASSERT_GT(duration, 0) << "the probe did not run";
    ASSERT_EQ(ReadAll(book), after);

    std::mt19937 random(20261207);
    std::uniform_int_distribution<long> place(2, records / 4);
    constexpr int kKills = 20;
    int unfinished = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        ASSERT_TRUE(WriteBytes(book, before));
        Probe probe(L"delete", book, 2);
        ASSERT_TRUE(probe.WaitUntilWorking());
        const long at = place(random);
        ASSERT_TRUE(probe.KillOnceChanged(book, (at - 1) * kRecordLength, TestRecord(at))) << "kill " << kill;
        const std::string found = ReadAll(book);
        if (found.size() == after.size()) {
            ASSERT_EQ(found, after) << "kill " << kill;
            continue;
        }
        ASSERT_TRUE(IsPartlyShifted(found, before, shifted)) << "kill " << kill << ": the book is torn";
        ++unfinished;
    }
    std::printf("%d kills in work of %.1f ms: %d landed before the book was cut\n", kKills, duration * 1000,
                unfinished);
    EXPECT_GE(unfinished, kKills / 2) << "too few kills landed while the work was under way";
}

// Another program maps the book: it cannot be cut, and stays whole and open. Unmapped, it is
// cut although that program still holds it open.
TEST(BookCompaction, ABookThatCannotBeCutIsLeftWhole) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    const std::wstring book = folder.File(L"BOOK");
    const std::string before = TestBook(300, std::string(30, 'q'));
    ASSERT_TRUE(WriteBytes(book, before));
    HANDLE reader = CreateFileW(book.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    HANDLE mapping = CreateFileMappingW(reader, nullptr, PAGE_READONLY, 0, 0, nullptr);
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    short n = OpenBookFile(book);
    EXPECT_NE(ErrorOf([&] { CompactBook(n, 299); }), 0);
    EXPECT_TRUE(ReadAll(book) == before);
    ASSERT_TRUE(rt::IsOpen(n) && RecordCount(n) == 300) << "open as it was";
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    CompactBook(n, 299);
    EXPECT_TRUE(ReadAll(book) == TestBook(299));
    EXPECT_EQ(FilesIn(folder), std::set<std::wstring>{L"BOOK"});
    CloseHandle(reader);
}
