// Image lists keyed by strings, their 32 x 32 thumbnails, and the list view items that show
// them.
#include <gtest/gtest.h>

#include "controls/ImageList.h"
#include "controls/ListViewWindow.h"
#include "runtime/core/RuntimeError.h"
#include "tests/controls/TestPictures.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/GdiCount.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;
using controls_testing::SolidPicture;

namespace {
// Image n of the list drawn on white.
Pixels DrawnImage(const ctl::ImageList& list, int index) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 32, 32};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(list.Handle(), index - 1, dc, 0, 0, ILD_NORMAL);
    Pixels p = CaptureDC(dc, 0, 0, 32, 32);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return p;
}
}  // namespace

TEST(ImageList, KeysIndicesPicturesAndIcons) {
    ctl::ImageList list;
    list.SetImageWidth(32);
    list.SetImageHeight(32);
    const auto wide = SolidPicture(64, 32, RGB(255, 0, 0));
    const auto tall = SolidPicture(20, 80, RGB(0, 0, 255));
    EXPECT_EQ(list.Add(L"Image 1", wide), 1);
    EXPECT_EQ(list.Add(L"Image 2", tall, L"c:\\pics\\tall.jpg"), 2);
    list.SetImageWidth(32);  // the same size again is allowed
    EXPECT_EQ(ErrorOf([&] { list.SetImageWidth(48); }), 380);
    EXPECT_EQ(ErrorOf([&] { list.Add(L"Image 1", tall); }), 35602);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf(L"Image 2"), 2);
    EXPECT_EQ(list.IndexOf(L"Image 3"), 0);
    EXPECT_EQ(list.Key(1), L"Image 1");
    EXPECT_EQ(list.Tag(2), L"c:\\pics\\tall.jpg");
    EXPECT_EQ(list.Tag(1), L"");
    EXPECT_EQ(ErrorOf([&] { list.Tag(3); }), 35600);
    EXPECT_EQ(ErrorOf([&] { list.Tag(0); }), 35600);

    const rt::PictureRef icon = list.ExtractIcon(1);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->Type(), rt::PictureType::Icon);
    EXPECT_EQ(icon->PixelWidth(), 32);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.IndexOf(L"Image 1"), 0);
    list.SetImageWidth(48);  // an empty list takes a new size
    EXPECT_EQ(list.ImageWidth(), 48);
}

TEST(ImageList, ThumbnailsKeepTheirProportionsInsideThirtyTwoPixels) {
    ctl::ImageList list;
    list.SetImageWidth(32);
    list.SetImageHeight(32);
    list.Add(L"wide", SolidPicture(640, 320, RGB(255, 0, 0)));
    list.Add(L"tall", SolidPicture(10, 40, RGB(0, 0, 255)));
    const Pixels wide = DrawnImage(list, 1);
    // 2:1 becomes 32 x 16, centred: rows 8..23 red, the rest transparent (white here).
    EXPECT_EQ(wide.At(16, 16), RGB(255, 0, 0));
    EXPECT_EQ(wide.At(0, 9), RGB(255, 0, 0));
    EXPECT_EQ(wide.At(16, 3), RGB(255, 255, 255));
    EXPECT_EQ(wide.At(16, 28), RGB(255, 255, 255));
    const Pixels tall = DrawnImage(list, 2);
    // 1:4 becomes 8 x 32, centred: columns 12..19 blue.
    EXPECT_EQ(tall.At(16, 2), RGB(0, 0, 255));
    EXPECT_EQ(tall.At(4, 16), RGB(255, 255, 255));
    EXPECT_EQ(tall.At(28, 16), RGB(255, 255, 255));
}

TEST(ImageList, IconsKeepTheirTransparencyInThumbnails) {
    // A 16 x 16 icon: red on its right half, see-through on its left half (by its mask).
    constexpr int kSize = 16;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, kSize, kSize);
    ReleaseDC(nullptr, screen);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, colour);
        RECT left = {0, 0, kSize / 2, kSize}, right = {kSize / 2, 0, kSize, kSize};
        FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &right, red);
        DeleteObject(red);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    WORD maskRows[kSize];
    for (WORD& row : maskRows) row = 0x00FF;  // bytes 0xFF 0x00: the left 8 pixels see-through
    HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, maskRows);
    ICONINFO info = {TRUE, 0, 0, mask, colour};
    const rt::PictureRef icon = rt::StdPicture::FromIcon(CreateIconIndirect(&info));
    DeleteObject(mask);
    DeleteObject(colour);
    ASSERT_TRUE(icon);

    ctl::ImageList list;
    list.SetImageWidth(32);
    list.SetImageHeight(32);
    list.Add(L"icon", icon);
    const Pixels drawn = DrawnImage(list, 1);
    EXPECT_EQ(drawn.At(6, 16), RGB(255, 255, 255));
    EXPECT_EQ(drawn.At(26, 16), RGB(255, 0, 0));
}

TEST(ListView, ItemsShowTheImagesOfTheirIconKeys) {
    TestWindow window;
    ctl::ListViewWindow view(window.hwnd(), RECT{10, 10, 330, 210});
    ctl::ImageList thumbnails;
    ctl::ImageList standIn;
    thumbnails.SetImageWidth(32);
    thumbnails.SetImageHeight(32);
    EXPECT_EQ(ErrorOf([&] { view.AddItem(L"", L"Image 1", L"Image 1"); }), 35613);
    view.SetIcons(&thumbnails);
    for (int n = 1; n <= 3; ++n) {
        const std::wstring key = L"Image " + std::to_wstring(n);
        thumbnails.Add(key, SolidPicture(40, 30, RGB(80 * n, 0, 0)));
        EXPECT_EQ(view.AddItem(L"", key, key), n);
    }
    EXPECT_EQ(ErrorOf([&] { view.AddItem(L"", L"x", L"Image 9"); }), 35601);
    ASSERT_EQ(view.ItemCount(), 3);
    EXPECT_EQ(ListView_GetItemCount(view.Inner()), 3);
    EXPECT_EQ(ListView_GetImageList(view.Inner(), LVSIL_NORMAL), thumbnails.Handle());
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(view.ItemText(n), L"Image " + std::to_wstring(n));
        EXPECT_EQ(view.ItemIcon(n), view.ItemText(n));
        EXPECT_EQ(view.ItemImage(n), thumbnails.IndexOf(view.ItemIcon(n)));
    }
    EXPECT_EQ(view.SelectedIndex(), 0);

    // The reset order: items go, the stand-in list takes over, then the thumbnails are emptied.
    view.ClearItems();
    view.SetIcons(&standIn);
    thumbnails.Clear();
    EXPECT_EQ(view.ItemCount(), 0);
    EXPECT_EQ(ListView_GetItemCount(view.Inner()), 0);
    EXPECT_EQ(ErrorOf([&] { view.ItemText(1); }), 35600);
    EXPECT_EQ(ErrorOf([&] { view.SetView(1); }), 380);
}

// A folder of photos must not cost a full-size picture a thumbnail: the list lets go of what
// it was given and holds its images in bitmaps of the image size.
TEST(ImageList, KeepsOnlyImagesOfTheImageSize) {
    ctl::ImageList list;
    list.SetImageWidth(32);
    list.SetImageHeight(32);
    for (int n = 1; n <= 12; ++n) {
        const auto photo = SolidPicture(1600, 1200, RGB(20 * n, 0, 0));
        list.Add(L"Image " + std::to_wstring(n), photo);
        EXPECT_EQ(photo.use_count(), 1) << "the list keeps no reference to picture " << n;
    }
    IMAGEINFO info = {};
    ASSERT_TRUE(ImageList_GetImageInfo(list.Handle(), 11, &info));
    BITMAP bitmap = {};
    ASSERT_TRUE(GetObjectW(info.hbmImage, sizeof(bitmap), &bitmap));
    EXPECT_EQ(info.rcImage.right - info.rcImage.left, 32);
    EXPECT_LE(static_cast<long long>(bitmap.bmWidth) * bitmap.bmHeight, 32LL * 32 * 256)
        << "room for a few hundred images, less than one photo";
}

TEST(ImageList, FillingAndClearingLeaksNoGdiObjects) {
    ctl::ImageList list;
    list.SetImageWidth(32);
    list.SetImageHeight(32);
    const auto picture = SolidPicture(100, 60, RGB(1, 2, 3));
    list.Add(L"warm", picture);
    list.Clear();
    const unsigned long before = GdiObjectCount();
    for (int round = 0; round < 20; ++round) {
        for (int n = 1; n <= 10; ++n) list.Add(L"Image " + std::to_wstring(n), picture);
        list.ExtractIcon(3);
        list.Clear();
    }
    EXPECT_LE(GdiObjectCount(), before + 2);
}
