// The drive, folder and file lists against a real folder: exactly the matching visible files,
// the folder chain and subfolders, and the errors for missing folders and drives.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>

#include "runtime/forms/Forms.h"
#include "runtime/core/FileLists.h"
#include "tests/runtime/forms/FormTestForms.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"

using namespace form_tests;

namespace {

void Touch(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    CloseHandle(file);
}

std::vector<std::wstring> ListBoxTexts(HWND list) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        texts.push_back(text);
    }
    return texts;
}

struct Folder {
    testing_support::TempFolder temp;
    Folder() {
        for (const wchar_t* name : {L"a.jpg", L"B.JPG", L"c.jpeg", L"d.gif", L"e.txt", L"noext"}) Touch(temp.File(name));
        Touch(temp.File(L"hidden.jpg"), FILE_ATTRIBUTE_HIDDEN);
        CreateDirectoryW(temp.File(L"sub").c_str(), nullptr);
        CreateDirectoryW(temp.File(L"Another").c_str(), nullptr);
        Touch(temp.File(L"sub\\x.jpg"));
    }
    ~Folder() {
        SetFileAttributesW(temp.File(L"hidden.jpg").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(temp.File(L"sub\\x.jpg").c_str());
        RemoveDirectoryW(temp.File(L"sub").c_str());
        RemoveDirectoryW(temp.File(L"Another").c_str());
    }
};

}  // namespace

TEST(FileLists, PatternsMatchTheLongNameOnly) {
    EXPECT_TRUE(rt::MatchesPattern(L"a.jpg", L"*.jpg"));
    EXPECT_TRUE(rt::MatchesPattern(L"A.JPG", L"*.jpg"));
    EXPECT_FALSE(rt::MatchesPattern(L"a.jpeg", L"*.jpg"));
    EXPECT_TRUE(rt::MatchesPattern(L"noext", L"*.*"));
    EXPECT_TRUE(rt::MatchesPattern(L"x.gif", L"*.bmp; *.gif"));
    EXPECT_FALSE(rt::MatchesPattern(L"x.png", L"*.bmp;*.gif"));
    EXPECT_EQ(rt::FolderChain(L"c:\\work\\pics"), (std::vector<std::wstring>{L"c:\\", L"c:\\work", L"c:\\work\\pics"}));
    EXPECT_EQ(rt::FolderChain(L"c:\\"), (std::vector<std::wstring>{L"c:\\"}));
}

TEST(FileLists, FileListShowsExactlyTheMatchingFiles) {
    Folder folder;
    auto& form = rt::Forms::Get<frmSample>();
    form.File1.Path(folder.temp.Path());
    EXPECT_EQ(form.File1.Path(), rt::NormalizeFolderPath(folder.temp.Path()));
    form.File1.Pattern(L"*.jpg");
    EXPECT_EQ(ListBoxTexts(form.File1.hWnd()), (std::vector<std::wstring>{L"a.jpg", L"B.JPG"}));
    EXPECT_EQ(form.File1.ListCount(), 2);
    form.File1.Pattern(L"*.*");
    const std::vector<std::wstring> all{L"a.jpg", L"B.JPG", L"c.jpeg", L"d.gif", L"e.txt", L"noext"};
    EXPECT_EQ(ListBoxTexts(form.File1.hWnd()), all);
    EXPECT_EQ(form.File1.List(3), L"d.gif");

    // One selection at a time; setting it raises Click.
    int clicks = 0;
    form.File1.Click = [&] { ++clicks; };
    form.File1.ListIndex(2);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(form.File1.Selected(2));
    EXPECT_FALSE(form.File1.Selected(1));
    EXPECT_EQ(form.File1.FileName(), L"c.jpeg");
    EXPECT_EQ(SendMessageW(form.File1.hWnd(), LB_GETCURSEL, 0, 0), 2);
    // A new pattern empties the selection.
    form.File1.Pattern(L"*.gif");
    EXPECT_EQ(form.File1.ListIndex(), -1);
    EXPECT_EQ(form.File1.FileName(), L"");

    try {
        form.File1.Path(folder.temp.File(L"missing"));
        ADD_FAILURE() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::err::kPathNotFound);
    }
    form.Unload();
    testing_support::PumpPending();
}

TEST(FileLists, FolderListFollowsItsPathAndReportsTheChange) {
    Folder folder;
    auto& form = rt::Forms::Get<frmSample>();
    std::vector<std::wstring> changes;
    form.Dir1.Change = [&] { changes.push_back(form.Dir1.Path()); };
    const std::wstring root = rt::NormalizeFolderPath(folder.temp.Path());
    form.Dir1.Path(root);
    EXPECT_EQ(form.Dir1.ListCount(), 2);
    EXPECT_EQ(form.Dir1.List(0), root + L"\\Another");
    EXPECT_EQ(form.Dir1.List(1), root + L"\\sub");
    EXPECT_EQ(form.Dir1.List(-1), root);
    auto rows = ListBoxTexts(form.Dir1.hWnd());
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows.back().substr(rows.back().find_first_not_of(L' ')), L"sub");
    EXPECT_EQ(rows.front(), root.substr(0, 3));  // the drive's root first

    form.Dir1.Path(root + L"\\sub");
    EXPECT_EQ(form.Dir1.ListCount(), 0);
    EXPECT_EQ(form.Dir1.List(-2), root);
    EXPECT_EQ(changes, (std::vector<std::wstring>{root, root + L"\\sub"}));
    form.Dir1.Path(root + L"\\sub");  // the same path is no change
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_THROW(form.Dir1.Path(root + L"\\none"), rt::RuntimeError);

    // A drive entry means that drive's current folder.
    form.Drive1.Change = [&] { changes.push_back(L"drive " + form.Drive1.Drive()); };
    ASSERT_GE(form.Drive1.ListCount(), 1);
    bool hasC = false;
    for (int i = 0; i < form.Drive1.ListCount(); ++i) hasC = hasC || form.Drive1.List(i).rfind(L"c:", 0) == 0;
    EXPECT_TRUE(hasC);
    form.Drive1.Drive(L"c:\\windows");
    EXPECT_EQ(form.Drive1.Drive().substr(0, 2), L"c:");
    form.Dir1.Path(form.Drive1.Drive());
    EXPECT_EQ(towlower(form.Dir1.Path()[0]), L'c');
    EXPECT_TRUE(rt::FolderExists(form.Dir1.Path()));
    try {
        form.Drive1.Drive(L"q:");
        ADD_FAILURE() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 68);
    }
    form.Unload();
    testing_support::PumpPending();
}
