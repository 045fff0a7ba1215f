// The picture player's browsing lists, the display of a clicked file with its size line, and
// leaving the window.
#include "app/MainWindow.h"
#include "picture/BusyPointer.h"
#include "picture/IMAGES.h"
#include "picture/InFolder.h"
#include "picture/SizeLine.h"
#include "picture/form11.h"
#include "runtime/forms/MsgBox.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr const wchar_t* kPatterns[] = {L"*.jpg", L"*.gif", L"*.jpeg", L"*.bmp", L"*.ico",
                                        L"*.cur", L"*.wmf", L"*.emf", L"*.*"};

// The folder of the last file clicked, for the process's life: a player closed by its close
// box and shown again starts there, while the process's current folder is never changed.
std::wstring& LastClickedFolder() {
    static std::wstring folder;
    return folder;
}

}  // namespace

void form11::Form_Load() {
    mCount = 0;
    Timer1.Enabled(false);
    cmdAnimate.Enabled(false);
    ListView.Visible(true);
    Combo1.Clear();
    for (const wchar_t* pattern : kPatterns) Combo1.AddItem(pattern);
    Combo1.ListIndex(0);
    // A folder gone since then leaves the lists where they start.
    const std::wstring folder = LastClickedFolder();
    if (!folder.empty()) rt::TryStatement([&] {
        Drive1.Drive(folder);
        Dir1.Path(folder);
    });
}

void form11::Combo1_Click() {
    File1.Pattern(Combo1.Text());
    ResetThumbnails();
}

void form11::Drive1_Change() {
    try {
        Dir1.Path(Drive1.Drive());
    } catch (const rt::RuntimeError&) {
        // A drive that is not ready: the list goes back to the folder list's drive.
        rt::TryStatement([this] { Drive1.Drive(Dir1.Path()); });
    }
}

void form11::Dir1_Change() {
    File1.Path(Dir1.Path());
    File1.Pattern(Combo1.Text());
    ResetThumbnails();
}

// Runs statement by statement: a failing step is skipped and the next one runs. The size
// lines are read by name from the folder list's path; the process's current folder is left
// alone, so that the folder the user looks at is never held open by the program, and the
// folder is remembered for the next opening of the player instead.
void form11::File1_Click() {
    rt::TryStatement([this] { Timer1.Enabled(false); });
    if (File1.ListIndex() >= 0 && ReadListsAgainIfGone(InFolder(File1.Path(), File1.FileName()))) return;
    rt::TryStatement([this] { ShowFilePicture(); });
    if (File1.ListIndex() >= 0) LastClickedFolder() = File1.Path();
    int written = 0;
    {
        BusyPointer busy(*this);
        for (int i = 0; i < File1.ListCount(); ++i) {
            if (!File1.Selected(i)) continue;
            rt::TryStatement([&] {
                const std::wstring& name = File1.List(i);
                AppendOutputLine(SizeLine(GetImageSize(InFolder(Dir1.Path(), name)), name));
                ++written;
            });
        }
    }
    if (written == 0) rt::MsgBox(L"未选择文件", MB_OK, L"提示!");
}

// A listed file gone since the lists were read (deleted, or its folder with it): the lists
// are read again from the disk, from the nearest folder still there, and the click has no
// other effect. True when that happened.
bool form11::ReadListsAgainIfGone(const std::wstring& file) {
    if (rt::FileExists(file)) return false;
    rt::TryStatement([this] {
        Dir1.Refresh();
        File1.Refresh();
    });
    return true;
}

// A file that does not load (no picture, damaged, too large) empties the display, which says
// so: no earlier picture stays under the new file's size line.
void form11::ShowFilePicture() {
    if (File1.ListIndex() < 0) return;  // nothing chosen: the click says so
    if (!Image1.ShowLoaded([this] { return rt::LoadPicture(InFolder(File1.Path(), File1.FileName())); })) return;
    ApplyFittingRule();
    const rt::PictureRef& shown = Image1.Picture();
    if (!shown || !shown->Handle()) rt::MsgBox(L"Could not find the requested file.", MB_OK);
}

void form11::AppendOutputLine(const std::wstring& line) {
    txtOut.Text(WithLineAppended(txtOut.Text(), line));
    const int end = static_cast<int>(txtOut.Text().size());
    txtOut.SelStart(end);
}

void form11::ShowMainWindow() {
    if (app::ISkinnedMainWindow* main = app::MainWindow()) main->SkinnedForm().Show();
}

// Hidden, the window keeps its lists, thumbnails and size lines.
void form11::退出_Click() {
    ShowMainWindow();
    Hide();
}

// The close box: the window is unloaded after this, so the next showing starts afresh.
void form11::Form_Unload(int& /*Cancel*/) {
    StopThumbnailRun();
    Hide();
    ShowMainWindow();
}
