// The open/save dialog wrapper: the filter's conversion, and the real system dialog driven from
// a timer that runs inside its modal loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/CommonDialog.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DialogAnswers.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

namespace {

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// An open dialog leaves the current folder where the file was chosen; a folder that is some
// process's current one cannot be removed, so the test's folder would stay behind.
struct CurrentFolderKept {
    CurrentFolderKept() { GetCurrentDirectoryW(MAX_PATH, path); }
    ~CurrentFolderKept() { SetCurrentDirectoryW(path); }
    wchar_t path[MAX_PATH] = {};
};

}  // namespace

TEST(CommonDialog, FilterBecomesTheSystemsDoubleNulList) {
    using namespace std::string_literals;
    EXPECT_EQ(ctl::FilterToDoubleNul(L"位图文件 (*.Bmp)|*.Bmp"), L"位图文件 (*.Bmp)\0*.Bmp\0\0"s);
    EXPECT_EQ(ctl::FilterToDoubleNul(L"图像文件 (*.bmp)|*.bmp|(*.jpg)|*.jpg|(*.ico)|*.ico|(*jif)|*.jif"),
              L"图像文件 (*.bmp)\0*.bmp\0(*.jpg)\0*.jpg\0(*.ico)\0*.ico\0(*jif)\0*.jif\0\0"s);
    EXPECT_EQ(ctl::FilterToDoubleNul(L""), L""s);
}

TEST(CommonDialog, CancelRaises32755WhenAskedAndLeavesAnEmptyName) {
    TestWindow owner;
    ctl::CommonDialog dialog;
    dialog.Owner = owner.hwnd();
    dialog.DialogTitle = L"图像文件";
    dialog.Filter = L"MP3文件(*.MP3)|*.MP3|CD音频(*.WAV)|*.WAV|Windows音频(*.mid)|*.mid|所有文件(*.*)|*.*";
    dialog.FileName = L"old.mp3";
    dialog.CancelError = true;
    std::vector<std::wstring> types;
    DialogAnswers answers({[&](HWND box) {
        types = ComboItems(GetDlgItem(box, cmb1));
        return Cancel()(box);
    }});
    try {
        dialog.ShowOpen();
        FAIL() << "cancel raised nothing";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 32755);
        EXPECT_EQ(e.Description(), L"选定了“取消”。");
    }
    EXPECT_EQ(answers.SeenTitles(), std::vector<std::wstring>{L"图像文件"});
    EXPECT_EQ(types, (std::vector<std::wstring>{L"MP3文件(*.MP3)", L"CD音频(*.WAV)", L"Windows音频(*.mid)",
                                                L"所有文件(*.*)"}));
    EXPECT_EQ(dialog.FileName, L"");

    dialog.CancelError = false;
    dialog.FileName = L"old.mp3";
    EXPECT_EQ(Answering([&] { EXPECT_NO_THROW(dialog.ShowSave()); }, {Cancel()}).size(), 1u);
    EXPECT_EQ(dialog.FileName, L"");
}

TEST(CommonDialog, ChosenNameComesBackAsAFullPathInTheInitialFolder) {
    TempFolder folder;
    CurrentFolderKept current;
    HANDLE f = CreateFileW(folder.File(L"song.wav").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    TestWindow owner;
    ctl::CommonDialog dialog;
    dialog.Owner = owner.hwnd();
    dialog.Filter = L"CD音频(*.WAV)|*.WAV|所有文件(*.*)|*.*";
    dialog.InitDir = folder.Path();
    dialog.CancelError = true;
    const auto seen = Answering([&] { dialog.ShowOpen(); }, {ChooseFile(L"song.wav")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].folder, folder.Path());
    EXPECT_EQ(dialog.FileName, folder.File(L"song.wav"));
}
