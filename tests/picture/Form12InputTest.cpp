// The original-size view of a tiny and of a huge picture, opened from the picture player: its
// caption and close box lie on the screen, and a real click on the close box closes it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>

#include "picture/Form12.h"
#include "picture/form11.h"
#include "runtime/forms/Forms.h"
#include "runtime/picture/StdPicture.h"
#include "tests/picture/form11TestSupport.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Pixels.h"

using namespace testing_support;

namespace {

// The middle of the close box, found through the frame's own hit test; none when it shows none.
std::optional<POINT> CloseBoxOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    RECT box{r.right, r.bottom, r.left, r.top};
    for (LONG y = r.top; y < std::min(r.bottom, r.top + 60); ++y)
        for (LONG x = r.left; x < r.right; ++x) {
            if (SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) continue;
            box = RECT{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
        }
    if (box.left > box.right) return std::nullopt;
    return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

RECT WorkAreaOf(HWND hwnd) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

void ViewAndCloseByItsCloseBox(int width, int height) {
    SCOPED_TRACE(::testing::Message() << width << " x " << height);
    TempFolder folder;
    picture_tests::ShownPlayer player(folder.Path());
    player->Image1.Picture(rt::StdPicture::FromBitmap(CreatePatternBitmap(width, height)));
    player->Command1_Click();
    const HWND view = rt::Forms::Get<Form12>().hWnd();
    PumpPending();

    RECT r;
    GetWindowRect(view, &r);
    const RECT work = WorkAreaOf(view);
    EXPECT_GE(r.left, work.left);
    EXPECT_GE(r.top, work.top);
    EXPECT_LE(r.right, work.right) << "the caption runs off the screen";
    if (width < GetSystemMetrics(SM_CXMINTRACK)) {
        EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK)) << "the smallest captioned frame";
        EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMINTRACK));
    } else {
        const Pixels shown = CaptureClient(view);
        for (const POINT p : {POINT{0, 0}, POINT{shown.width - 1, shown.height - 1}})
            EXPECT_EQ(shown.At(p.x, p.y), PatternColor(p.x, p.y)) << "1:1 from the top left, cut, at " << p.x << ", " << p.y;
    }

    const std::optional<POINT> close = CloseBoxOf(view);
    ASSERT_TRUE(close) << "no close box";
    EXPECT_TRUE(PtInRect(&work, *close));
    ASSERT_TRUE(MakeForeground(view));
    Click(*close, Processing::Plain);
    EXPECT_TRUE(PumpUntil([] { return !rt::Forms::IsLoaded<Form12>(); })) << "the close box did not close it";
    if (rt::Forms::IsLoaded<Form12>()) rt::Forms::Get<Form12>().Unload();
}

}  // namespace

TEST(Form12Input, TinyAndHugePicturesGetAViewWhoseCloseBoxIsOnTheScreenAndCloses) {
    ViewAndCloseByItsCloseBox(1, 1);
    ViewAndCloseByItsCloseBox(3000, 2000);
}
