// Turning the file list into thumbnails, and showing a clicked thumbnail's picture.
#include "picture/BusyPointer.h"
#include "picture/InFolder.h"
#include "picture/SlideCounters.h"
#include "picture/form11.h"
#include "runtime/MsgBox.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr int kThumbnailSize = 32;

std::wstring ThumbnailKey(int n) { return L"Image " + std::to_wstring(n); }

}  // namespace

// Entries that do not load as pictures get no thumbnail; the ones made are numbered without
// gaps. No error of one entry stops the run, and counting stops at the 16-bit limit.
void form11::cmdAuto_Click() {
    BusyPointer busy(*this);
    mLoop = 0;
    mCount = 0;
    mIndex = 0;
    if (imgList2.Count() > 0) EmptyThumbnails();
    rt::TryStatement([this] {
        imgList2.SetImageHeight(kThumbnailSize);
        imgList2.SetImageWidth(kThumbnailSize);
    });
    const int entries = File1.ListCount();
    for (int i = 0; i < entries && mCount < kMaxThumbnails; ++i) {
        mLoop = CountedUp(mLoop);
        if (!AddThumbnail(i)) continue;
        mCount = CountedUp(mCount);
        ListView.Visible(true);
        ListView.Refresh();  // the thumbnails appear one by one while the run goes on
    }
    if (mCount < 2) rt::MsgBox(L"Add at least 2 images", MB_OK);
    else cmdAnimate.Enabled(true);
    Caption(L"有 " + std::to_wstring(mCount) + L" 个图像");
    cmdAuto.Enabled(false);
}

bool form11::AddThumbnail(int index) {
    rt::PictureRef picture;
    try {
        picture = rt::LoadPicture(InFolder(File1.Path(), File1.List(index)));
    } catch (const rt::RuntimeError&) {
        return false;
    }
    if (!picture || picture->PixelWidth() <= 0 || picture->PixelHeight() <= 0) return false;
    const int n = mCount + 1;
    const std::wstring key = ThumbnailKey(n);
    try {
        picTemp.Picture(picture);
        imgList2.Add(key, picture);
    } catch (const rt::RuntimeError&) {
        return false;
    }
    if (ListView.Icons() != &imgList2) ListView.Icons(&imgList2);
    ListView.AddItem(L"", key, key);
    return true;
}

void form11::ResetThumbnails() {
    mLoop = 0;
    mIndex = 0;
    ProgressBar1.Value(0);
    Timer1.Enabled(false);
    EmptyThumbnails();
    cmdAuto.Enabled(true);
    cmdAnimate.Enabled(false);
}

// The list view shows the stand-in list before imgList2 is emptied, so it never shows a list
// whose images are going.
void form11::EmptyThumbnails() {
    ListView.ClearItems();
    ListView.Icons(&imgList);
    imgList2.Clear();
    picTemp.Picture(nullptr);
}

// A click beside the items selects none: nothing changes then, a running show goes on.
void form11::ListView_Click() {
    if (ListView.SelectedIndex() < 1) return;
    Timer1.Enabled(false);
    ShowThumbnailPicture();
}

void form11::ShowThumbnailPicture() {
    const int n = ListView.SelectedIndex();
    if (n < 1 || n > imgList2.Count()) return;
    Image1.Picture(imgList2.Picture(n));
    ApplyFittingRule();
    const rt::PictureRef& shown = Image1.Picture();
    if (!shown || !shown->Handle()) rt::MsgBox(L"Could not find the requested file.", MB_OK);
}
