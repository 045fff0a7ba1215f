// Turning the file list into thumbnails, and showing a clicked thumbnail's picture.
#include <new>

#include "picture/BusyPointer.h"
#include "picture/InFolder.h"
#include "picture/SlideCounters.h"
#include "picture/form11.h"
#include "runtime/forms/DoEvents.h"
#include "runtime/forms/MsgBox.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr int kThumbnailSize = 32;
// Between two rounds of message processing: short enough for smooth painting and dragging,
// long enough that the rounds cost little beside the files.
constexpr ULONGLONG kRoundEvery = 40;  // ms
// Between two showings of the thumbnails made so far: the list view (Wine's at least) lays out
// and paints all its items each time, which takes milliseconds once it holds thousands. In
// between, a part of the list uncovered by a moved window is drawn again at the next showing.
constexpr ULONGLONG kShowEvery = 500;  // ms

// Tells when a thing done every `interval` ms is due again; the first time is due at once.
class Every {
public:
    explicit Every(ULONGLONG interval) : m_interval(interval) {}
    bool Due(ULONGLONG now) {
        if (m_started && now - m_last < m_interval) return false;
        m_started = true;
        m_last = now;
        return true;
    }

private:
    ULONGLONG m_interval;
    bool m_started = false;
    ULONGLONG m_last = 0;
};

std::wstring ThumbnailKey(int n) { return L"Image " + std::to_wstring(n); }

}  // namespace

// Entries that do not load as pictures get no thumbnail; the ones made are numbered without
// gaps. No error of one entry stops the run, and counting stops at the 16-bit limit.
// The windows keep answering while the run goes on: messages are processed between files.
// A second click meanwhile does nothing; a pattern or folder change, the window's unload or
// the program's end stops the run where it is, without the closing message and caption.
void form11::cmdAuto_Click() {
    if (m_thumbnailsRunning) return;
    rt::HandlerScope keep(this);  // the object outlives an unload during the run
    const unsigned run = ++m_thumbnailRun;
    m_thumbnailsRunning = true;
    struct RunEnds {  // however the run ends, unless a later one is going on
        form11& form;
        unsigned run;
        ~RunEnds() {
            if (form.m_thumbnailRun == run) form.m_thumbnailsRunning = false;
        }
    } ends{*this, run};
    BusyPointer busy(*this);
    mLoop = 0;
    mCount = 0;
    mIndex = 0;
    if (imgList2.Count() > 0) EmptyThumbnails();
    rt::TryStatement([this] {
        imgList2.SetImageHeight(kThumbnailSize);
        imgList2.SetImageWidth(kThumbnailSize);
    });
    if (!MakeThumbnails(run)) return;
    if (mCount < 2) rt::MsgBox(L"Add at least 2 images", MB_OK);
    else cmdAnimate.Enabled(true);
    Caption(L"有 " + std::to_wstring(mCount) + L" 个图像");
    cmdAuto.Enabled(false);
}

// The list view's drawing is held while thumbnails are added, and the ones added meanwhile
// appear together at the next showing. False when the run was stopped.
bool form11::MakeThumbnails(unsigned run) {
    struct DrawingReleased {
        ctl::ListView& list;
        ~DrawingReleased() { list.HoldDrawing(false); }
    } released{ListView};
    Every round(kRoundEvery);
    Every show(kShowEvery);
    for (int i = 0; i < File1.ListCount() && mCount < kMaxThumbnails; ++i) {
        const ULONGLONG now = GetTickCount64();
        if (round.Due(now)) {
            if (show.Due(now)) ShowThumbnailsSoFar();
            rt::DoEvents();
            if (!ThumbnailRunGoesOn(run)) return false;
            ListView.HoldDrawing(true);
        }
        mLoop = CountedUp(mLoop);
        if (AddThumbnail(i)) mCount = CountedUp(mCount);
    }
    ShowThumbnailsSoFar();
    return true;
}

void form11::ShowThumbnailsSoFar() {
    ListView.HoldDrawing(false);
    ListView.Visible(true);
    ListView.Refresh();
}

bool form11::ThumbnailRunGoesOn(unsigned run) const { return hWnd() && m_thumbnailsRunning && run == m_thumbnailRun; }

void form11::StopThumbnailRun() {
    m_thumbnailsRunning = false;
    ++m_thumbnailRun;
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
    StopThumbnailRun();
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

// A click beside the items selects none: nothing changes then, a running show goes on. A
// thumbnail whose file is gone has the lists read again instead.
void form11::ListView_Click() {
    const int n = ListView.SelectedIndex();
    if (n < 1) return;
    Timer1.Enabled(false);
    if (n <= imgList2.Count() && ReadListsAgainIfGone(imgList2.Tag(n))) return;
    ShowThumbnailPicture();
}

void form11::ShowThumbnailPicture() {
    const int n = ListView.SelectedIndex();
    if (n < 1 || n > imgList2.Count()) return;
    // A file changed since the thumbnails were made may no longer load: the display says so.
    if (!Image1.ShowLoaded([&] { return ThumbnailPicture(n); })) return;
    ApplyFittingRule();
    const rt::PictureRef& shown = Image1.Picture();
    if (!shown || !shown->Handle()) rt::MsgBox(L"Could not find the requested file.", MB_OK);
}
