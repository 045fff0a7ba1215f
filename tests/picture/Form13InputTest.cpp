#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "picture/Form13.h"
#include "runtime/forms/Forms.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/Screen.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

namespace {

constexpr int kColumns = 3;
constexpr int kRows = 2;
const COLORREF kBlockColours[kRows][kColumns] = {
    {RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200)},
    {RGB(220, 220, 40), RGB(40, 220, 220), RGB(220, 40, 220)},
};

// A window over the whole screen in six blocks of plain colour, so a scaled copy of the screen
// can be checked block by block.
void PaintBlocks(HDC dc, int width, int height) {
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const RECT block{width * column / kColumns, height * row / kRows, width * (column + 1) / kColumns,
                             height * (row + 1) / kRows};
            rt::Brush brush(CreateSolidBrush(kBlockColours[row][column]));
            FillRect(dc, &block, brush.get());
        }
    }
}

}  // namespace

TEST(Form13, DefinesItsWindowAndControls) {
    Form13& f = rt::Forms::Get<Form13>();
    EXPECT_EQ(f.Caption(), L"Copie d'écran");
    EXPECT_EQ(f.Command1.Caption(), L"Copier");
    EXPECT_FALSE(f.Visible()) << "nothing shows it";
    RECT client{};
    GetClientRect(f.hWnd(), &client);
    EXPECT_EQ(client.right, rt::TwipsToPixelsX(3360));
    EXPECT_EQ(client.bottom, rt::TwipsToPixelsY(3270));
    EXPECT_NEAR(f.Left(), 2010, rt::Screen::TwipsPerPixelX());
    EXPECT_NEAR(f.Top(), 1545, rt::Screen::TwipsPerPixelY());
    f.Unload();
}

TEST(Form13, CopyFillsPicture1WithTheWholeScreenScaled) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    WindowOptions options;
    options.style = WS_POPUP;
    options.x = 0;
    options.y = 0;
    options.width = screenWidth;
    options.height = screenHeight;
    TestWindow blocks(options, [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_ERASEBKGND) return std::nullopt;
        PaintBlocks(reinterpret_cast<HDC>(wParam), screenWidth, screenHeight);
        return 1;
    });
    UpdateWindow(blocks.hwnd());

    Form13& f = rt::Forms::Get<Form13>();
    f.Show();
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    PumpPending();
    const Pixels before = CaptureScreen();
    ASSERT_EQ(before.width, screenWidth);
    const RECT form = [&] {
        RECT r{};
        GetWindowRect(f.hWnd(), &r);
        InflateRect(&r, 40, 40);
        return r;
    }();

    f.Command1_Click();
    PumpPending();
    const Pixels copy = CaptureClient(f.Picture1.hWnd());
    EXPECT_EQ(f.Picture1.ScaleMode(), rt::ScaleMode::Pixels);
    EXPECT_EQ(static_cast<int>(f.Picture1.ScaleWidth()), copy.width);
    EXPECT_EQ(static_cast<int>(f.Picture1.ScaleHeight()), copy.height);

    int checked = 0;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const POINT source{screenWidth * (2 * column + 1) / (2 * kColumns),
                               screenHeight * (2 * row + 1) / (2 * kRows)};
            if (PtInRect(&form, source)) continue;  // the copy window itself shows there
            const int x = source.x * copy.width / screenWidth;
            const int y = source.y * copy.height / screenHeight;
            EXPECT_EQ(before.At(source.x, source.y), kBlockColours[row][column]) << row << ", " << column;
            EXPECT_EQ(copy.At(x, y), before.At(source.x, source.y)) << row << ", " << column;
            ++checked;
        }
    }
    EXPECT_GE(checked, 4);

    // The copy is kept: covering and uncovering the box leaves it.
    InvalidateRect(f.Picture1.hWnd(), nullptr, TRUE);
    PumpPending();
    const Pixels again = CaptureClient(f.Picture1.hWnd());
    EXPECT_EQ(again.At(copy.width * 5 / 6, copy.height / 4), copy.At(copy.width * 5 / 6, copy.height / 4));
    f.Unload();
}
