// Saving the shown picture as a BMP file.
#include <windows.h>

#include <new>

#include "picture/form11.h"
#include "runtime/forms/MsgBox.h"
#include "runtime/core/FileReplacement.h"
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

// What identifies the file's bytes without reading them: a changed file has a new time of
// last writing or a new length.
struct FileStamp {
    bool exists = false;
    FILETIME written = {};
    DWORD sizeHigh = 0, sizeLow = 0;
};

FileStamp StampOf(const std::wstring& path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.written = data.ftLastWriteTime;
    stamp.sizeHigh = data.nFileSizeHigh;
    stamp.sizeLow = data.nFileSizeLow;
    return stamp;
}

bool operator==(const FileStamp& a, const FileStamp& b) {
    return a.exists == b.exists && CompareFileTime(&a.written, &b.written) == 0 && a.sizeHigh == b.sizeHigh &&
           a.sizeLow == b.sizeLow;
}

// What the target holds after a failed save, told from the file.
std::wstring TargetAfterFailure(const FileStamp& before, const std::wstring& target) {
    const FileStamp after = StampOf(target);
    if (after == before) return before.exists ? L"原有文件未改动。" : L"没有留下文件。";
    return after.exists ? L"文件已被部分改写，可能已经损坏。" : L"原有文件已不存在。";
}

}  // namespace

// Nothing to save, a cancelled dialog, a No to the overwrite question: nothing is written.
// A read-only, hidden or system file is refused with a message before the question, as every
// save refuses it. A file that cannot be written gets a message naming the error and what the
// file now holds; the window goes on as before.
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
    FileStamp before = StampOf(target);
    long number = 0;
    std::wstring description;
    try {
        // A file the save refuses is refused before the question, which it would make pointless.
        rt::RefuseProtectedTarget(target);
        int answer = IDYES;
        if (FileExists(target))
            answer = rt::MsgBox(L"文件已经存在，是否覆盖文件？", MB_YESNO | MB_ICONQUESTION, L"询问");
        if (answer != IDYES) return;
        before = StampOf(target);
        rt::SavePicture(picture, target);
        return;
    } catch (const rt::RuntimeError& e) {
        number = e.Number();
        description = e.Description();
    } catch (const std::bad_alloc&) {
        number = rt::err::kOutOfMemory;
    }
    const std::wstring outcome = TargetAfterFailure(before, target);
    if (number == rt::err::kOutOfMemory) {
        rt::MsgBox(L"内存不足，图片太大，未能保存到 " + target + L"。" + outcome, MB_OK | MB_ICONEXCLAMATION, kNoticeTitle);
    } else {
        rt::MsgBox(L"图片未能保存到 " + target + L"：" + description + L"。" + outcome, MB_OK | MB_ICONEXCLAMATION,
                   kNoticeTitle);
    }
}
