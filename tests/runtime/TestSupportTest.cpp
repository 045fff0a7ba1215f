// The test helpers themselves: later tests trust these readings.
#include <gtest/gtest.h>

#include "tests/support/GdiCount.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

TEST(TestSupport, GdiCountSeesCreatedAndDeletedObjects) {
    const unsigned long before = GdiObjectCount();
    HBRUSH brushes[10];
    for (auto& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(GdiObjectCount(), before + 10);
    for (auto& b : brushes) DeleteObject(b);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(TestSupport, ClientPixelsShowTheWindowBackground) {
    WindowOptions options;
    options.background = RGB(0x96, 0xCB, 0x64);
    TestWindow window(options);
    PumpPending();
    const Pixels client = CaptureClient(window.hwnd());
    ASSERT_FALSE(client.Empty());
    EXPECT_EQ(client.At(5, 5), RGB(0x96, 0xCB, 0x64));
    EXPECT_EQ(client.At(client.width - 1, client.height - 1), RGB(0x96, 0xCB, 0x64));
    // The whole-window capture includes the frame around the same client colour.
    const Pixels frame = CaptureWindowFrame(window.hwnd());
    EXPECT_GT(frame.width, client.width);
    EXPECT_GT(frame.height, client.height);
}
