#pragma once
// The set-up the caption painter's tests share: a real window dressed by a painter of its own
// with the test pictures (every pixel its own colour) and the main window's lengths.
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

#include "frame/cNeoCaption.h"
#include "tests/support/FramePictures.h"
#include "tests/support/TestWindow.h"

namespace testing_support {

// The main window's lengths in its caption picture: glyph width and height, left slice end,
// right slice start and end, inactive variant offset.
constexpr long kW = 18, kH = 20, kLE = 90, kRS = 140, kRE = 230, kIO = 400;

struct TestPictures {
    rt::PictureRef caption = MakeCaptionTestPicture();
    rt::PictureRef border = MakeBorderTestPicture();
};

inline void AttachTestPictures(cNeoCaption& p, HWND hwnd, const TestPictures& pics, long rightEnd = kRE) {
    p.Attach(hwnd, pics.caption, pics.border, kW, kH, kLE, kRS, rightEnd, kIO);
}

// A window and its painter, attached at construction (configure runs on the painter first);
// the painter goes before the window.
struct SkinnedTestWindow {
    explicit SkinnedTestWindow(WindowOptions options, MessageHandler handler = {},
                               const std::function<void(cNeoCaption&)>& configure = {})
        : window(std::move(options), std::move(handler)) {
        if (configure) configure(*painter);
        AttachTestPictures(*painter, hwnd(), pictures);
    }

    HWND hwnd() const { return window.hwnd(); }

    TestWindow window;
    TestPictures pictures;
    std::shared_ptr<cNeoCaption> painter = std::make_shared<cNeoCaption>();
};

}  // namespace testing_support
