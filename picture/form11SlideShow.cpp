// The timed slide show through the thumbnails' pictures.
#include <algorithm>

#include "picture/SlideCounters.h"
#include "picture/form11.h"
#include "runtime/forms/InputBox.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

void form11::cmdAnimate_Click() { Timer1.Enabled(true); }

void form11::cmdStop_Click() { Timer1.Enabled(false); }

// An answer that names no interval from 1 to 65535 ms keeps the one there is.
void form11::cmdSpeed_Click() {
    Timer1.Enabled(false);
    const std::wstring answer = rt::InputBox(L"1秒=1000 ,下面文本框内必须填写1000以上的数字");
    if (const auto interval = IntervalFromAnswer(answer)) Timer1.Interval(*interval);
}

// A step that fails (the system out of icons or memory) ends the show, not the program. Hidden
// by its exit button the window decodes no pictures: the ticks pass it by, and the show goes on
// with the next slide once the window is shown again, however it is shown.
void form11::Timer1_Timer() {
    if (!Visible()) return;
    if (rt::TryStatement([this] { ShowNextSlide(); }) != 0) Timer1.Enabled(false);
}

// The first slide after mIndex whose file is still there, 0 when none is.
short form11::NextSlideStillThere(short count) const {
    short slide = mIndex;
    for (short tries = 0; tries < count; ++tries) {
        slide = NextSlide(slide, count);
        if (rt::FileExists(imgList2.Tag(slide))) return slide;
    }
    return 0;
}

// Each step shows the next thumbnail's picture (the display keeps its size mode), moves the
// progress bar and makes the window icon from the thumbnail; Icon releases the one it replaces.
// The picture is decoded from its file at each step. Slides whose files are gone are skipped,
// and the show stops when all are; a file that is there but no longer loads empties the
// display, which says so, and the show goes on.
void form11::ShowNextSlide() {
    const short count = static_cast<short>(std::min(imgList2.Count(), static_cast<int>(mCount)));
    const short next = count < 1 ? 0 : NextSlideStillThere(count);
    if (next == 0) {
        Timer1.Enabled(false);
        return;
    }
    mIndex = next;
    ProgressBar1.Max(count);
    ProgressBar1.Min(0);
    ProgressBar1.Value(mIndex);
    Image1.ShowLoaded([this] { return ThumbnailPicture(mIndex); });
    Icon(imgList2.ExtractIcon(mIndex));
}
