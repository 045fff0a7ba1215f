// Turning the file list into thumbnails, and showing a clicked thumbnail's picture.
#include <new>

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

// One file at a time: its full-size picture lives only until its thumbnail is made, so the run
// needs the memory of one photo whatever the folder holds. A file that does not decode, or
// is too large to decode or scale here (out of memory), gets no thumbnail.
bool form11::AddThumbnail(int index) {
    const std::wstring path = InFolder(File1.Path(), File1.List(index));
    const int n = mCount + 1;
    const std::wstring key = ThumbnailKey(n);
    bool added = false;
    try {
        rt::PictureRef picture = rt::LoadPicture(path);
        if (picture && picture->PixelWidth() > 0 && picture->PixelHeight() > 0) {
            picTemp.Picture(std::move(picture));
            imgList2.Add(key, picTemp.Picture(), path);
            added = true;
        }
    } catch (const rt::RuntimeError&) {
        // no thumbnail for it, as for any file that is no picture
    } catch (const std::bad_alloc&) {
        // the same for one too large to decode or scale
    }
    picTemp.Picture(nullptr);
    if (!added) return false;
    if (ListView.Icons() != &imgList2) ListView.Icons(&imgList2);
    ListView.AddItem(L"", key, key);
    return true;
}

// The list keeps only the small image, so the picture of thumbnail n is read again from the
// file it was made from. Out of memory is error 7, as any other failure to load.
rt::PictureRef form11::ThumbnailPicture(int n) {
    try {
        return rt::LoadPicture(imgList2.Tag(n));
    } catch (const std::bad_alloc&) {
        rt::Raise(rt::err::kOutOfMemory);
    }
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
    // A file gone or changed since the thumbnails were made: the display keeps what it shows.
    rt::TryStatement([&] { Image1.Picture(ThumbnailPicture(n)); });
    ApplyFittingRule();
    const rt::PictureRef& shown = Image1.Picture();
    if (!shown || !shown->Handle()) rt::MsgBox(L"Could not find the requested file.", MB_OK);
}
