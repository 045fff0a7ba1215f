// The password book's file layer with its real message and input boxes, answered through
// their windows: the name check, the two questions, the error table and the retry.
#include "passbook/Module2.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/DialogAnswers.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/PictureFiles.h"

using testing_support::DialogAnswers;
using testing_support::Press;
using testing_support::TempFolder;

namespace {

struct FilesClosed {
    ~FilesClosed() { rt::CloseAll(); }
};

short OpenWithQuestions(const std::wstring& name, short confirm = 1) {
    return Module2::OpenDataFile(name, Module2::kModeRandom, 109, confirm);
}

}  // namespace

TEST(Module2, NameCheckRefusesTheTwoPatternsOnly) {
    for (const wchar_t* bad : {L"A;B", L"A<B", L"A=B", L"A>B", L"A?B", L"A[B", L"A*B", L"A B", L"A]B"})
        EXPECT_TRUE(Module2::IsIllegalFileName(bad)) << bad;
    for (const wchar_t* good : {L"BOOK", L"C:\\BOOKS\\MINE", L"BOOK-1.DAT", L"A:B", L"密码本", L"A@B", L"A/B"})
        EXPECT_FALSE(Module2::IsIllegalFileName(good)) << good;
}

TEST(Module2, ErrorTableGivesTheTextsAndIgnoresOthers) {
    EXPECT_EQ(Module2::FileErrorText(52), L"That filename is illegal.");
    EXPECT_EQ(Module2::FileErrorText(64), L"That filename is illegal.");
    EXPECT_EQ(Module2::FileErrorText(57), L"The disk is full.");
    EXPECT_EQ(Module2::FileErrorText(62), L"This file has a nonstandard end-of-file marker,or an attempt was made to "
                                          L"read beyond the end-of-file marker.");
    EXPECT_EQ(Module2::FileErrorText(76), L"That path doesn't exist.");
    for (long unlisted : {53L, 61L, 75L, 70L, 0L}) EXPECT_FALSE(Module2::FileErrorText(unlisted)) << unlisted;
}

TEST(Module2, AskBookNameUpperCasesAndTrimsAndCancelGivesEmpty) {
    {
        DialogAnswers answers({Press(IDOK, L"  my book  ")});
        EXPECT_EQ(Module2::AskBookName(L"填写密码本名称"), L"MY BOOK");
        ASSERT_EQ(answers.Seen().size(), 1u);
        EXPECT_TRUE(DialogAnswers::Shows(answers.Seen()[0], L"填写密码本名称"));
    }
    {
        DialogAnswers answers({Press(IDCANCEL, L"ignored")});
        EXPECT_EQ(Module2::AskBookName(L"填写密码本名称"), L"");
    }
    {
        DialogAnswers answers({Press(IDOK, L"")});
        EXPECT_EQ(Module2::AskBookName(L"填写密码本名称"), L"");
    }
}

TEST(Module2, IllegalNamesAreReportedAndOpenNothing) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    {
        // What AskBookName makes of " my book ": the inner blank fails the check.
        DialogAnswers answers({Press(IDOK)});
        EXPECT_EQ(OpenWithQuestions(folder.File(L"MY BOOK")), 0);
        ASSERT_EQ(answers.SeenTitles(), std::vector<std::wstring>{L"File Error"});
        EXPECT_TRUE(DialogAnswers::Shows(answers.Seen()[0], L"That filename is illegal."));
    }
    {
        DialogAnswers answers({Press(IDOK)});
        EXPECT_EQ(OpenWithQuestions(folder.File(L"BOOK]")), 0);
        EXPECT_EQ(answers.SeenTitles(), std::vector<std::wstring>{L"File Error"});
    }
    EXPECT_FALSE(rt::FileExists(folder.File(L"MY BOOK")));
    EXPECT_FALSE(rt::FileExists(folder.File(L"BOOK]")));
}

TEST(Module2, MissingFileIsCreatedOnlyAfterTheQuestion) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    const std::wstring book = folder.File(L"BOOK");
    {
        DialogAnswers answers({Press(IDCANCEL)});
        EXPECT_EQ(OpenWithQuestions(book), 0);
        ASSERT_EQ(answers.SeenTitles(), std::vector<std::wstring>{L"Create File?"});
        EXPECT_TRUE(DialogAnswers::Shows(answers.Seen()[0],
                                         L"The file " + book + L" does not exist. Do you want to create it?"));
        EXPECT_FALSE(rt::FileExists(book));
    }
    short n = 0;
    {
        // A backslash path passes the check and is opened where it points.
        DialogAnswers answers({Press(IDOK)});
        n = OpenWithQuestions(book);
        EXPECT_GT(n, 0);
        EXPECT_EQ(answers.SeenTitles(), std::vector<std::wstring>{L"Create File?"});
        EXPECT_TRUE(rt::FileExists(book));
    }
    rt::Close(n);
    {
        DialogAnswers answers({});
        n = OpenWithQuestions(book);
        EXPECT_GT(n, 0);
        EXPECT_TRUE(answers.Seen().empty()) << "an existing file opens without a question";
    }
    rt::Close(n);
    {
        // Without Confirm nothing is asked; mode 1 with Confirm asks before emptying.
        DialogAnswers answers({Press(IDCANCEL)});
        EXPECT_EQ(Module2::OpenDataFile(book, Module2::kModeOutput, 109, 1), 0);
        EXPECT_EQ(answers.SeenTitles(), std::vector<std::wstring>{L"Replace File?"});
    }
}

TEST(Module2, UnlistedErrorsShowNothingAndReturnZero) {
    TempFolder folder;
    FilesClosed closed;  // after the folder: files close before it goes
    // A folder of the book's name: created after the question, but it cannot be opened as a
    // file, and that error is not in the table.
    CreateDirectoryW(folder.File(L"BOOK").c_str(), nullptr);
    DialogAnswers answers({Press(IDOK)});
    EXPECT_EQ(OpenWithQuestions(folder.File(L"BOOK")), 0);
    EXPECT_EQ(answers.SeenTitles(), std::vector<std::wstring>{L"Create File?"});
    RemoveDirectoryW(folder.File(L"BOOK").c_str());
}

TEST(Module2, UnavailableDeviceOffersRetryWhichRunsTheStepAgain) {
    // A step that finds the device unavailable once and then succeeds, as a drive does once
    // its disk is in.
    int attempts = 0;
    DialogAnswers answers({Press(IDRETRY)});
    EXPECT_TRUE(Module2::RunFileStep([&] {
        if (++attempts == 1) rt::Raise(68);
    }));
    EXPECT_EQ(attempts, 2);
    ASSERT_EQ(answers.SeenTitles(), std::vector<std::wstring>{L"File Error"});
    EXPECT_TRUE(DialogAnswers::Shows(answers.Seen()[0], L"That device appears to be unavailable."));
    auto buttons = answers.Seen()[0].buttons;
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons, (std::vector<int>{IDCANCEL, IDRETRY}));

    attempts = 0;
    DialogAnswers cancel({Press(IDCANCEL)});
    EXPECT_FALSE(Module2::RunFileStep([&] {
        ++attempts;
        rt::Raise(68);
    }));
    EXPECT_EQ(attempts, 1);

    DialogAnswers ok({Press(IDOK)});
    EXPECT_EQ(Module2::ReportFileError(76), Module2::kGiveUp);
    EXPECT_EQ(ok.Seen().at(0).buttons, std::vector<int>{IDOK});
    DialogAnswers none({});
    EXPECT_EQ(Module2::ReportFileError(61), Module2::kNotListed);
    EXPECT_TRUE(none.Seen().empty());
}
