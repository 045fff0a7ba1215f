// The thirty skins of the main window, each worn by one real window in turn: the frame's
// pixels must be the skin's own picture pixels, piece by piece, so a broken skin file or a
// shifted slice cannot pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "frame/cNeoCaption.h"
#include "runtime/picture/StdPicture.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FramePictures.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

namespace {

constexpr int kSkinCount = 30;
constexpr int kWidth = 800;
constexpr int kHeight = 400;
constexpr int kCapH = 55;
constexpr int kB = 10;

std::wstring SkinFolder() { return SourceDir() + L"\\resources\\skins"; }

std::wstring SkinFile(const wchar_t* kind, int index) {
    wchar_t name[32];
    swprintf(name, 32, L"\\%ls_%02d.jpg", kind, index);
    return SkinFolder() + name;
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int SourceColumn(int x, bool active) { return MainWindowCaptionColumn(x, kWidth, active); }

bool InGlyphs(int x, int y) { return y >= 5 && y < 25 && x >= 738 && x < 794 && (x - 738) % 19 != 18; }

int Mismatches(const Pixels& frame, int x0, int y0, int x1, int y1, const std::function<COLORREF(int, int)>& want,
               std::string& first) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (frame.At(x, y) == want(x, y)) continue;
            if (count++ == 0) {
                char text[80];
                snprintf(text, sizeof(text), "(%d,%d) %06lX vs %06lX", x, y, frame.At(x, y), want(x, y));
                first = text;
            }
        }
    return count;
}

}  // namespace

TEST(Skins, EachOfTheThirtySkinsDressesAWindowFromItsOwnPictures) {
    if (!FolderExists(SkinFolder())) GTEST_SKIP() << "no skin pictures at " << std::string(SkinFolder().begin(), SkinFolder().end());
    WindowOptions options;
    options.caption = L"";
    options.x = 60;
    options.y = 60;
    options.width = kWidth;
    options.height = kHeight;
    TestWindow window(options);
    const HWND hwnd = window.hwnd();
    std::shared_ptr<cNeoCaption> painter;
    std::set<std::vector<COLORREF>> looks;  // a few pixels of each skin: no two skins alike

    for (int skin = 0; skin < kSkinCount; ++skin) {
        SCOPED_TRACE("skin " + std::to_string(skin));
        const rt::PictureRef caption = rt::LoadPicture(SkinFile(L"caption", skin));
        const rt::PictureRef border = rt::LoadPicture(SkinFile(L"border", skin));
        ASSERT_TRUE(caption && border);
        ASSERT_EQ(caption->PixelWidth(), 600);
        ASSERT_EQ(caption->PixelHeight(), 55);
        ASSERT_EQ(border->PixelWidth(), 65);
        ASSERT_EQ(border->PixelHeight(), 10);
        const Pixels cap = PicturePixels(*caption);
        const Pixels bor = PicturePixels(*border);
        looks.insert({cap.At(45, 20), cap.At(100, 20), cap.At(180, 20), cap.At(445, 20), bor.At(5, 5), bor.At(35, 5)});

        painter = std::make_shared<cNeoCaption>();  // a skin change, as the main window makes it
        painter->Attach(hwnd, caption, border, 18, 20, 90, 140, 230, 400);

        for (const bool active : {true, false}) {
            SendMessageW(hwnd, WM_NCACTIVATE, active, 0);
            SendMessageW(hwnd, WM_NCPAINT, 1, 0);
            const Pixels f = CaptureWindowFrame(hwnd);
            std::string first;
            // Left slice, every middle piece and the right slice.
            EXPECT_EQ(Mismatches(f, 0, 0, kWidth, kCapH,
                                 [&](int x, int y) { return InGlyphs(x, y) ? f.At(x, y) : cap.At(SourceColumn(x, active), y); },
                                 first),
                      0)
                << (active ? "active " : "inactive ") << first;
            // The close glyph.
            EXPECT_EQ(Mismatches(f, 776, 5, 794, 25, [&](int x, int y) { return cap.At(241 + x - 776, y - 5); }, first), 0)
                << first;
            // The edge tiles and the bottom edge.
            EXPECT_EQ(Mismatches(f, 0, kCapH, kB, kHeight - kB, [&](int x, int y) { return bor.At(x, (y - 55) % 10); }, first),
                      0)
                << first;
            EXPECT_EQ(Mismatches(f, kWidth - kB, kCapH, kWidth, kHeight - kB,
                                 [&](int x, int y) { return bor.At(40 + x - (kWidth - kB), (y - 55) % 10); }, first),
                      0)
                << first;
            EXPECT_EQ(Mismatches(f, 0, kHeight - kB, 790, kHeight,
                                 [&](int x, int y) {
                                     const int r = y - (kHeight - kB);
                                     return x < kB ? bor.At(20 + x, r) : bor.At(30 + (x - kB) % kB, r);
                                 },
                                 first),
                      0)
                << first;
        }
    }
    EXPECT_EQ(looks.size(), static_cast<size_t>(kSkinCount));
}
