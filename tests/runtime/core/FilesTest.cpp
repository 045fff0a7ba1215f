// File services: folders, file tests, copies and deletions, files by number in each mode,
// records of a fixed length and byte reads, and the errors of each failure.
#include "runtime/core/Files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "runtime/core/FixedText.h"
#include "runtime/core/FileReplacement.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Places.h"

using namespace testing_support;

namespace {

constexpr int kRecordLength = 109;

// A 109-byte record like the password book's: a number, a double and a text field.
std::string Record(short number, double balance, const std::wstring& holder) {
    std::string record(kRecordLength, ' ');
    memcpy(record.data(), &number, sizeof(number));
    memcpy(record.data() + 2, &balance, sizeof(balance));
    const long noDate = -53688;
    memcpy(record.data() + 10, &noDate, sizeof(noDate));
    record.replace(14, 15, rt::ToFixedField(holder, 15));
    return record;
}

// Closes every file when a test ends, whatever it left open.
struct FilesClosed {
    ~FilesClosed() { rt::CloseAll(); }
};

}  // namespace

TEST(Files, RandomRecordsRoundTripAndGrowTheFile) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    const std::wstring book = folder.File(L"BOOK");
    const int n = rt::FreeFile();
    rt::Open(book, rt::OpenMode::Random, n, kRecordLength);
    EXPECT_EQ(rt::Lof(n), 0);
    const std::string first = Record(12, 1234.5, L"\u5F20\u4E09");
    const std::string second = Record(-7, 0.25, L"Li Si");
    rt::PutRecord(n, 1, first.data(), first.size());
    rt::PutRecord(n, 2, second.data(), second.size());
    EXPECT_EQ(rt::Lof(n), 218);
    // A write beyond the end extends the file; the gap reads as zeros.
    rt::PutRecord(n, 4, first.data(), first.size());
    EXPECT_EQ(rt::Lof(n), 4 * kRecordLength);

    std::string read(kRecordLength, 'x');
    rt::GetRecord(n, 2, read.data(), read.size());
    EXPECT_EQ(read, second);
    rt::GetRecord(n, 3, read.data(), read.size());
    EXPECT_EQ(read, std::string(kRecordLength, '\0'));
    rt::GetRecord(n, 9, read.data(), read.size());
    EXPECT_EQ(read, std::string(kRecordLength, '\0'));
    rt::Close(n);

    // Reopened under another number, the records are still there, text bytes and all.
    const int again = rt::FreeFile();
    rt::Open(book, rt::OpenMode::Random, again, kRecordLength);
    rt::GetRecord(again, 1, read.data(), read.size());
    EXPECT_EQ(read, first);
    EXPECT_EQ(rt::FromFixedField(read.data() + 14, 15), L"\u5F20\u4E09           ");

    EXPECT_EQ(ErrorOf([&] { rt::GetRecord(again, 0, read.data(), read.size()); }), rt::err::kBadRecordNumber);
    EXPECT_EQ(ErrorOf([&] { rt::PutRecord(again, 1, read.data(), kRecordLength + 1); }), 59);
    EXPECT_EQ(ErrorOf([&] { rt::GetBytes(again, 1, 4); }), rt::err::kBadFileMode);
}

TEST(Files, RecordReadsSeeWhatOtherWritersFlushedAndTheirOwnPendingWrites) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    const std::wstring book = folder.File(L"BOOK");
    const std::string old1 = Record(1, 1, L"old"), old2 = Record(2, 2, L"old"), old3 = Record(3, 3, L"old");
    ASSERT_TRUE(WriteBytes(book, old1 + old2 + old3));
    rt::Open(book, rt::OpenMode::Random, 1, kRecordLength);
    rt::Open(book, rt::OpenMode::Random, 2, kRecordLength);
    auto read = [](int n, long record) {
        std::string bytes(kRecordLength, 'x');
        rt::GetRecord(n, record, bytes.data(), bytes.size());
        return bytes;
    };
    EXPECT_EQ(read(1, 2), old2);

    // Another file number writes and flushes: the first sees it, and the neighbours too.
    const std::string new2 = Record(2, 20, L"new"), new3 = Record(3, 30, L"new");
    rt::PutRecord(2, 2, new2.data(), new2.size());
    rt::Flush(2);
    EXPECT_EQ(read(1, 2), new2);
    rt::PutRecord(2, 3, new3.data(), new3.size());
    rt::Flush(2);
    EXPECT_EQ(read(1, 3), new3);

    // Another program rewrites the file.
    ASSERT_TRUE(WriteBytes(book, old1 + old2 + old3));
    EXPECT_EQ(read(1, 3), old3);

    // A run of writes still pending: its own handle sees it, the other the disk until the flush.
    rt::PutRecord(1, 1, new2.data(), new2.size());
    rt::PutRecord(1, 2, new3.data(), new3.size());
    EXPECT_EQ(read(1, 2), new3);
    std::string run(3 * kRecordLength, 'x');
    rt::GetRecords(1, 1, 3, run.data());
    EXPECT_EQ(run, new2 + new3 + old3);
    EXPECT_EQ(read(2, 2), old2);
    rt::Flush(1);
    EXPECT_EQ(read(2, 2), new3);
}

TEST(Files, NumbersAreHandedOutAndCheckedLikeTheRuntimeDoes) {
    TempFolder folder;
    FilesClosed closed;
    const int a = rt::FreeFile();
    EXPECT_EQ(a, 1);
    rt::Open(folder.File(L"a"), rt::OpenMode::Binary, a);
    const int b = rt::FreeFile();
    EXPECT_EQ(b, 2);
    rt::Open(folder.File(L"b"), rt::OpenMode::Random, b, 10);
    EXPECT_TRUE(rt::IsOpen(a));
    EXPECT_EQ(ErrorOf([&] { rt::Open(folder.File(L"c"), rt::OpenMode::Binary, a); }), rt::err::kFileAlreadyOpen);
    EXPECT_EQ(ErrorOf([&] { rt::Open(folder.File(L"c"), rt::OpenMode::Binary, 0); }), rt::err::kBadFileName);
    EXPECT_EQ(ErrorOf([&] { rt::Open(folder.File(L"c"), rt::OpenMode::Random, 3, 0); }), rt::err::kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { rt::Lof(9); }), rt::err::kBadFileName);
    rt::Close(a);
    EXPECT_EQ(rt::FreeFile(), 1);
    EXPECT_EQ(ErrorOf([&] { rt::Close(a); }), rt::err::kBadFileName);
    rt::CloseAll();
    EXPECT_FALSE(rt::IsOpen(b));
    // Closed files can be deleted at once: no handle was left behind.
    rt::Kill(folder.File(L"a"));
    rt::Kill(folder.File(L"b"));
}

TEST(Files, ModesCreateEmptyAppendAndRead) {
    TempFolder folder;
    FilesClosed closed;
    const std::wstring path = folder.File(L"data.txt");
    ASSERT_TRUE(WriteBytes(path, "0123456789"));

    // Append keeps the content; Output empties it; Input needs an existing file.
    rt::Open(path, rt::OpenMode::Append, 1);
    EXPECT_EQ(rt::Lof(1), 10);
    EXPECT_EQ(ErrorOf([&] { rt::Open(path, rt::OpenMode::Input, 2); }), rt::err::kFileAlreadyOpen);
    rt::Close(1);
    rt::Open(path, rt::OpenMode::Input, 1);
    EXPECT_EQ(rt::Lof(1), 10);
    rt::Close(1);
    rt::Open(path, rt::OpenMode::Output, 1);
    EXPECT_EQ(rt::Lof(1), 0);
    rt::Close(1);
    EXPECT_EQ(ErrorOf([&] { rt::Open(folder.File(L"absent"), rt::OpenMode::Input, 1); }), rt::err::kFileNotFound);
    EXPECT_FALSE(rt::IsOpen(1));
    rt::Open(folder.File(L"new.bin"), rt::OpenMode::Binary, 1);
    EXPECT_TRUE(rt::FileExists(folder.File(L"new.bin")));
}

TEST(Files, BinaryReadsBytesByPositionAndZerosBeyondTheEnd) {
    TempFolder folder;
    FilesClosed closed;
    const std::wstring path = folder.File(L"header.png");
    ASSERT_TRUE(WriteBytes(path, std::string("\x89PNG\r\n\x1a\n", 8)));
    const int n = rt::FreeFile();
    rt::Open(path, rt::OpenMode::Binary, n);
    EXPECT_EQ(rt::GetByte(n, 1), 0x89);
    EXPECT_EQ(rt::GetByte(n, 2), 'P');
    const auto bytes = rt::GetBytes(n, 7, 4);
    ASSERT_EQ(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0x1a);
    EXPECT_EQ(bytes[1], '\n');
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(rt::GetByte(n, 1000), 0);
    EXPECT_EQ(ErrorOf([&] { rt::GetByte(n, 0); }), rt::err::kBadRecordNumber);
    rt::PutBytes(n, 10, "AB", 2);
    EXPECT_EQ(rt::Lof(n), 11);
    EXPECT_EQ(rt::GetByte(n, 11), 'B');
    EXPECT_EQ(rt::FileLen(path), 11);
    rt::Close(n);

    // Opened for reading, a missing file is an error (and is not created), writes are refused.
    EXPECT_EQ(ErrorOf([&] {
                  rt::Open(folder.File(L"absent.gif"), rt::OpenMode::Binary, n, rt::kDefaultRecordLength,
                           rt::FileAccess::Read);
              }),
              rt::err::kFileNotFound);
    EXPECT_FALSE(rt::FileExists(folder.File(L"absent.gif")));
    rt::Open(path, rt::OpenMode::Binary, n, rt::kDefaultRecordLength, rt::FileAccess::Read);
    EXPECT_EQ(rt::GetByte(n, 2), 'P');
    EXPECT_EQ(ErrorOf([&] { rt::PutBytes(n, 1, "x", 1); }), rt::err::kBadFileMode);
}

TEST(Files, ExistsSeesOnlyNormalFiles) {
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"plain.bmp"), "x"));
    ASSERT_TRUE(WriteBytes(folder.File(L"hidden.bmp"), "x"));
    ASSERT_TRUE(WriteBytes(folder.File(L"readonly.bmp"), "x"));
    SetFileAttributesW(folder.File(L"hidden.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(folder.File(L"readonly.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryW(folder.File(L"folder.bmp").c_str(), nullptr);

    EXPECT_TRUE(rt::FileExists(folder.File(L"plain.bmp")));
    EXPECT_TRUE(rt::FileExists(folder.File(L"readonly.bmp")));
    EXPECT_FALSE(rt::FileExists(folder.File(L"hidden.bmp")));
    EXPECT_FALSE(rt::FileExists(folder.File(L"folder.bmp")));
    EXPECT_FALSE(rt::FileExists(folder.File(L"absent.bmp")));
    EXPECT_FALSE(rt::FileExists(L""));
    SetFileAttributesW(folder.File(L"hidden.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(folder.File(L"readonly.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.File(L"folder.bmp").c_str());
}

TEST(Files, CopyDeleteAndLengthByName) {
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"~~Tmp~~.Tmp"), std::string(218, 'r')));
    ASSERT_TRUE(WriteBytes(folder.File(L"BOOK"), std::string(327, 'o')));
    rt::FileCopy(folder.File(L"~~Tmp~~.Tmp"), folder.File(L"BOOK"));
    EXPECT_EQ(rt::FileLen(folder.File(L"BOOK")), 218);
    rt::Kill(folder.File(L"~~Tmp~~.Tmp"));
    EXPECT_FALSE(rt::FileExists(folder.File(L"~~Tmp~~.Tmp")));
    EXPECT_EQ(ErrorOf([&] { rt::Kill(folder.File(L"~~Tmp~~.Tmp")); }), rt::err::kFileNotFound);
    EXPECT_EQ(ErrorOf([&] { rt::FileCopy(folder.File(L"absent"), folder.File(L"x")); }), rt::err::kFileNotFound);
    EXPECT_EQ(ErrorOf([&] { rt::FileLen(folder.File(L"absent")); }), rt::err::kFileNotFound);
}

TEST(Files, FoldersAndDrivesBecomeCurrent) {
    TempFolder folder;
    const std::wstring before = rt::CurDir();
    rt::ChDir(folder.Path());
    EXPECT_EQ(CompareStringOrdinal(rt::CurDir().c_str(), -1, folder.Path().c_str(), -1, TRUE), CSTR_EQUAL);
    // Relative names now resolve in that folder.
    ASSERT_TRUE(WriteBytes(L"relative.dat", "abc"));
    EXPECT_TRUE(rt::FileExists(folder.File(L"relative.dat")));
    EXPECT_EQ(ErrorOf([&] { rt::ChDir(folder.File(L"absent")); }), rt::err::kPathNotFound);
    rt::ChDrive(L"C:\\whatever");
    EXPECT_EQ(towupper(rt::CurDir()[0]), L'C');
    EXPECT_EQ(ErrorOf([] { rt::ChDrive(L"Q"); }), 68);
    rt::ChDir(before);

    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring app = rt::AppPath();
    EXPECT_EQ(std::wstring(exe).rfind(app + L"\\", 0), 0u);
    EXPECT_NE(app.back(), L'\\');
}

TEST(Files, UnwritablePlacesAndFullDisksRaiseClearErrors) {
    TempFolder folder;
    FilesClosed closed;
    EXPECT_EQ(ErrorOf([&] { rt::Open(folder.File(L"no such folder\\BOOK"), rt::OpenMode::Random, 1, 109); }),
              rt::err::kPathNotFound);
    CreateDirectoryW(folder.File(L"BOOK").c_str(), nullptr);
    EXPECT_EQ(ErrorOf([&] { rt::Open(folder.File(L"BOOK"), rt::OpenMode::Random, 1, 109); }), rt::err::kPathFileAccess);
    RemoveDirectoryW(folder.File(L"BOOK").c_str());
    EXPECT_FALSE(rt::IsOpen(1));

    char record[109] = {};
    EXPECT_EQ(ErrorOf([&] { rt::Open(folder.File(L"bad|name"), rt::OpenMode::Random, 1, 109); }),
              rt::err::kBadFileName);

    // A device that is always full: Wine shows the host's /dev/full under Z:.
    const std::wstring full = L"Z:\\dev\\full";
    HANDLE device = CreateFileW(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (device == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no full device here";
    CloseHandle(device);
    rt::Open(full, rt::OpenMode::Random, 2, 109);
    EXPECT_EQ(ErrorOf([&] { rt::PutRecord(2, 1, record, sizeof(record)); }), rt::err::kDiskFull);
}

TEST(Files, ReadOnlyFilesAreKnownAndLengthsAreCutAfterPendingWrites) {
    TempFolder folder;
    FilesClosed closed;
    const std::wstring locked = folder.File(L"LOCKED");
    ASSERT_TRUE(WriteBytes(locked, Record(1, 1, L"a")) && SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    rt::Open(locked, rt::OpenMode::Random, 1, kRecordLength);
    rt::Open(folder.File(L"BOOK"), rt::OpenMode::Random, 2, kRecordLength);
    EXPECT_TRUE(rt::OpenedReadOnly(1));
    EXPECT_FALSE(rt::OpenedReadOnly(2));
    EXPECT_EQ(ErrorOf([&] { rt::SetLength(1, 0); }), rt::err::kBadFileMode);
    // A run of record writes may still be pending when the cut comes: they land first.
    for (short i = 1; i <= 5; ++i) rt::PutRecord(2, i, Record(i, i, L"r").data(), kRecordLength);
    rt::SetLength(2, 2 * kRecordLength);
    rt::CloseAll();
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(rt::FileLen(locked), kRecordLength);
    EXPECT_EQ(rt::FileLen(folder.File(L"BOOK")), 2 * kRecordLength);
}

void Replace(const std::wstring& target, const std::string& bytes, rt::ReplaceCalls& calls = rt::SystemReplaceCalls()) {
    rt::FileReplacement replacement(target, calls);
    replacement.Write(bytes.data(), bytes.size());
    replacement.Finish();
    replacement.ReplaceTarget();
}

// A replaced file is marked as changed for backups; a read-only, hidden or system target is
// refused at once and stays as it was; a name that cannot be resolved is an error.
TEST(FileReplacement, MarksTheNewFileChangedAndRefusesReadOnlyHiddenAndSystemTargets) {
    TempFolder folder;
    const std::wstring target = folder.File(L"t.bin");
    ASSERT_TRUE(WriteBytes(target, "old"));
    Replace(target, "new");
    EXPECT_EQ(FileBytes(target), "new");
    EXPECT_TRUE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_ARCHIVE);
    for (const DWORD protection : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        ASSERT_TRUE(SetFileAttributesW(target.c_str(), protection));
        EXPECT_EQ(ErrorOf([&] { Replace(target, "newer"); }), rt::err::kPathFileAccess);
        EXPECT_EQ(GetFileAttributesW(target.c_str()) & 0xFF & ~FILE_ATTRIBUTE_ARCHIVE, protection);
        ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL));
        EXPECT_EQ(FileBytes(target), "new");
    }
    EXPECT_EQ(FilesWithBytes(folder.Path()).size(), 1u);
    EXPECT_NE(ErrorOf([&] { rt::FileReplacement replacement(std::wstring(40000, L'x')); }), 0);
}

// Windows as Wine cannot show it: access lists, encryption, a target that may be written but
// not deleted, and a fresh file's name that is still being deleted.
struct ActedOut : rt::ReplaceCalls {
    DWORD ReadSecurity(const std::wstring&, SECURITY_INFORMATION, std::vector<unsigned char>& descriptor) override {
        descriptor = {'S', 'D'};
        return securityError;
    }
    HANDLE CreateNew(const std::wstring& path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                     DWORD flags) override {
        const auto* given = static_cast<const char*>(security->lpSecurityDescriptor);
        created.push_back({given ? std::string(given, 2) : "", flags});
        if (pendingNames-- > 0 && WriteBytes(path, "")) {  // a name still listed, which no open gets
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        return ReplaceCalls::CreateNew(path, access, share, nullptr, flags & ~FILE_ATTRIBUTE_ENCRYPTED);
    }
    DWORD Attributes(const std::wstring& path) override {
        return ReplaceCalls::Attributes(path) | (encrypted ? FILE_ATTRIBUTE_ENCRYPTED : 0);
    }
    BOOL Move(const std::wstring& from, const std::wstring& to) override {
        ++moves;
        SetLastError(ERROR_ACCESS_DENIED);
        return mayDelete && ReplaceCalls::Move(from, to);
    }
    std::vector<std::pair<std::string, DWORD>> created;  // descriptor and attributes given
    DWORD securityError = ERROR_SUCCESS;
    bool encrypted = false, mayDelete = true;
    int pendingNames = 0, moves = 0;
};

TEST(FileReplacement, TheFreshFileIsBornWithTheTargetsAccessListAndEncryptionOrTheTargetStays) {
    TempFolder folder;
    const std::wstring target = folder.File(L"t.bin");
    ASSERT_TRUE(WriteBytes(target, "old bytes"));
    ActedOut encrypted;
    encrypted.encrypted = true;
    Replace(target, "new", encrypted);
    const std::pair<std::string, DWORD> born{"SD", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_ENCRYPTED};
    EXPECT_EQ(encrypted.created, std::vector{born});
    for (const DWORD unreadable : {ERROR_ACCESS_DENIED, ERROR_NOT_SUPPORTED}) {
        ActedOut calls;
        calls.securityError = unreadable;
        const bool noLists = unreadable == ERROR_NOT_SUPPORTED;
        EXPECT_EQ(ErrorOf([&] { Replace(target, "newer", calls); }), noLists ? 0 : rt::err::kPathFileAccess);
        EXPECT_EQ(FileBytes(target), noLists ? "newer" : "new");
    }
    ActedOut undeletable;  // the shorter content goes over the target's own bytes
    undeletable.mayDelete = false;
    undeletable.pendingNames = 1;
    Replace(target, "new", undeletable);
    EXPECT_EQ(undeletable.created.size(), 2u) << "the name being deleted is passed over";
    EXPECT_EQ(undeletable.moves, 1);
    EXPECT_EQ(FileBytes(target), "new");
    EXPECT_EQ(FilesWithBytes(folder.Path()).size(), 2u) << "the target and the name being deleted";
}
