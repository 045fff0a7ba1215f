// Saving the shown picture as a BMP file.
#include <windows.h>

#include <new>

#include "picture/form11.h"
#include "runtime/MsgBox.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr wchar_t kBmpFilter[] = L"位图文件 (*.Bmp)|*.Bmp";
constexpr wchar_t kNoticeTitle[] = L"提示!";

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    const size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file on the disk is untouched then, which is what the user needs to know.
void NotSavedForMemory(const std::wstring& target) {
    rt::MsgBox(L"内存不足，图片太大，未能保存到 " + target + L"，原有文件未改动。", MB_OK | MB_ICONEXCLAMATION,
               kNoticeTitle);
}

}  // namespace

// Nothing to save, a cancelled dialog, a No to the overwrite question: nothing is written.
// A file that cannot be written gets a message naming the error; SavePicture leaves no part
// of a file behind and an existing file as it was, and the window goes on as before.
void form11::Command2_Click() {
    const rt::PictureRef picture = Image1.Picture();
    if (!picture || !picture->Handle()) {
        rt::MsgBox(L"没有可保存的图片。", MB_OK | MB_ICONEXCLAMATION, kNoticeTitle);
        return;
    }
    cdlg.InitDir = ProgramFolder();
    cdlg.Filter = kBmpFilter;
    cdlg.FileName.clear();
    cdlg.Owner = hWnd();
    // The dialog leaves the process's current folder alone: it must not hold the chosen folder.
    cdlg.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    try {
        cdlg.ShowSave();
    } catch (const rt::RuntimeError& e) {
        rt::MsgBox(L"无法打开保存对话框：" + e.Description(), MB_OK | MB_ICONEXCLAMATION, kNoticeTitle);
        return;
    }
    SaveShownPicture(cdlg.FileName);
}

void form11::SaveShownPicture(const std::wstring& target) {
    const rt::PictureRef picture = Image1.Picture();
    if (target.empty() || !picture) return;
    int answer = IDYES;
    if (FileExists(target))
        answer = rt::MsgBox(L"文件已经存在，是否覆盖文件？", MB_YESNO | MB_ICONQUESTION, L"询问");
    if (answer != IDYES) return;
    try {
        rt::SavePicture(picture, target);
    } catch (const rt::RuntimeError& e) {
        if (e.Number() == rt::err::kOutOfMemory) NotSavedForMemory(target);
        else rt::MsgBox(L"图片未能保存到 " + target + L"：" + e.Description(), MB_OK | MB_ICONEXCLAMATION, kNoticeTitle);
    } catch (const std::bad_alloc&) {
        NotSavedForMemory(target);
    }
}
