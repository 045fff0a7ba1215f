// The drawn menu bar on a skinned window, through real paints and real window messages:
// its buttons and their rectangles, its looks read back from pixels, and the owner-drawn
// popup items (store, measuring, drawing, mnemonics, restore). Opening drop-downs with real
// input is in cMenuBarInputTest.cpp.
#include <gtest/gtest.h>

#include <string>

#include "frame/MenuLayout.h"
#include "runtime/gdi/Gdi.h"
#include "tests/frame/MenuBarHarness.h"
#include "tests/support/Pixels.h"

using namespace menubar_test;
using testing_support::ColorNear;
using testing_support::Pixels;

namespace {

SIZE TextSize(HFONT font, const std::wstring& text, UINT format = 0) {
    rt::MemoryDC dc;
    rt::SelectGuard keep(dc.get(), font);
    RECT r = {0, 0, 0, 0};
    DrawTextW(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | format);
    return {r.right - r.left, r.bottom - r.top};
}

// A window-sized memory surface filled like the caption band, for Render to draw on.
class BandSurface {
public:
    BandSurface(int width, int height) : m_bitmap(CreateBitmap(width, height)), m_select(m_dc.get(), m_bitmap.get()) {
        const rt::Brush band(CreateSolidBrush(kBandColour));
        const RECT all = {0, 0, width, height};
        FillRect(m_dc.get(), &all, band.get());
        m_width = width;
        m_height = height;
    }
    HDC dc() const { return m_dc.get(); }
    Pixels Read() const { return testing_support::CaptureDC(m_dc.get(), 0, 0, m_width, m_height); }

private:
    static HBITMAP CreateBitmap(int width, int height) {
        rt::WindowDC screen(nullptr);
        return CreateCompatibleBitmap(screen.get(), width, height);
    }
    rt::MemoryDC m_dc;
    rt::Bitmap m_bitmap;
    rt::SelectGuard m_select;
    int m_width = 0;
    int m_height = 0;
};

struct InkBox {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    int count = 0;
};

// Pixels inside r that satisfy pred.
template <class Pred>
InkBox FindInk(const Pixels& px, const RECT& r, Pred pred) {
    InkBox box;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (pred(px.At(x, y))) {
                ++box.count;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

constexpr int kW = 160;
constexpr int kH = 20;

COLORREF Highlight() { return GetSysColor(COLOR_BTNHIGHLIGHT); }
COLORREF Shadow() { return GetSysColor(COLOR_BTNSHADOW); }

struct ItemRecord {
    std::wstring text;
    UINT type, id;
    ULONG_PTR data;
};

ItemRecord ReadItem(HMENU menu, int pos) {
    wchar_t buffer[512] = {};
    MENUITEMINFOW mi = {};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    mi.dwTypeData = buffer;
    mi.cch = 511;
    GetMenuItemInfoW(menu, pos, TRUE, &mi);
    return {buffer, mi.fType, mi.wID, mi.dwItemData};
}

MEASUREITEMSTRUCT Measure(HWND hwnd, HMENU menu, int pos) {
    const ItemRecord item = ReadItem(menu, pos);
    MEASUREITEMSTRUCT m = {};
    m.CtlType = ODT_MENU;
    m.itemID = item.id;
    m.itemData = item.data;
    m.itemWidth = 1;
    m.itemHeight = 1;
    SendMessageW(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
    return m;
}

}  // namespace

TEST(cMenuBar, OnlyItemsWithSubmenusBecomeButtonsLaidOutFromEightPixels) {
    SkinnedWindow w;
    ASSERT_TRUE(testing_support::PumpUntil([&] { return w.bar->Count() == 2; }));
    EXPECT_EQ(w.bar->hSubMenu(1), w.menu().file);
    EXPECT_EQ(w.bar->hSubMenu(2), w.menu().view);
    EXPECT_EQ(w.bar->hSubMenu(0), nullptr);
    EXPECT_EQ(w.bar->hSubMenu(3), nullptr);

    const rt::Font font = BandFont();
    const SIZE file = TextSize(font.get(), L"&File");
    const SIZE view = TextSize(font.get(), L"&View");
    const RECT win = w.WindowRect();
    const long stripLeft = win.left + kBarLeft;
    const long stripTop = win.top + kBandTop + 2;
    const RECT b1 = w.ButtonOnScreen(1);
    const RECT b2 = w.ButtonOnScreen(2);
    // Text 1 at 8, text 2 at 8 + width + 11; edges from 2 before a text to 9 after it.
    EXPECT_EQ(b1.left, stripLeft + 8 - 2);
    EXPECT_EQ(b1.right, stripLeft + 8 + file.cx + 9);
    EXPECT_EQ(b1.top, stripTop);
    EXPECT_EQ(b1.bottom, stripTop + file.cy + 4);
    EXPECT_EQ(b2.left, stripLeft + 8 + file.cx + 11 - 2);
    EXPECT_EQ(b2.right, stripLeft + 8 + file.cx + 11 + view.cx + 9);
    EXPECT_EQ(b1.right, b2.left);

    RECT untouched = {1, 2, 3, 4};
    w.bar->GetButtonRect(3, untouched);
    EXPECT_EQ(untouched.left, 1);
    EXPECT_EQ(untouched.bottom, 4);
}

TEST(cMenuBar, HitTestTakesScreenPointsAndAgreesWithTheButtonRectangles) {
    SkinnedWindow w;
    ASSERT_TRUE(testing_support::PumpUntil([&] { return w.bar->Count() == 2; }));
    for (long i = 1; i <= 2; ++i) {
        const RECT r = w.ButtonOnScreen(i);
        POINT inside = {r.left, r.top};
        EXPECT_EQ(w.bar->HitTest(inside), i);
        POINT corner = {r.right - 1, r.bottom - 1};
        EXPECT_EQ(w.bar->HitTest(corner), i);
    }
    const RECT b2 = w.ButtonOnScreen(2);
    POINT beyond = {b2.right + 5, b2.top + 2};
    const POINT screen = beyond;
    EXPECT_EQ(w.bar->HitTest(beyond), 0);
    // The caller's point comes back in client coordinates.
    POINT client = screen;
    ScreenToClient(w.hwnd(), &client);
    EXPECT_EQ(beyond.x, client.x);
    EXPECT_EQ(beyond.y, client.y);
    EXPECT_LT(client.y, 0);  // the band lies above the client area
    POINT below = {b2.left + 2, b2.bottom};
    EXPECT_EQ(w.bar->HitTest(below), 0);
}

TEST(cMenuBar, LooksNormalHotPushedAndPressedAwayFromPixels) {
    SkinnedWindow w;
    ASSERT_TRUE(testing_support::PumpUntil([&] { return w.bar->Count() == 2; }));
    const RECT win = w.WindowRect();
    const int width = win.right - win.left;
    const BandGeometry g = BandFor(width);
    const rt::Font font = BandFont();
    const SIZE file = TextSize(font.get(), L"&File");
    // Button 1 and its text on the surface (window coordinates).
    const RECT button = {g.left + 6, g.top + 2, g.left + 8 + file.cx + 9, g.top + 2 + file.cy + 4};
    const RECT textArea = {button.left + 1, button.top + 1, button.right - 1, button.bottom - 1};
    const int midY = (button.top + button.bottom) / 2;

    auto render = [&](long down, long hot) {
        w.bar->PressButton(down, true);
        w.bar->HotIndex(hot);
        BandSurface surface(width, kCaptionHeight);
        w.bar->Render(font.get(), surface.dc(), g.left, g.top, g.width, g.height, g.yOffset);
        return surface.Read();
    };
    auto isText = [](COLORREF c) { return ColorNear(c, kTextColour, 60); };
    auto isOver = [](COLORREF c) { return ColorNear(c, kOverColour, 60); };
    auto notBand = [](COLORREF c) { return !ColorNear(c, kBandColour, 8); };

    const Pixels normal = render(0, 0);
    EXPECT_EQ(normal.At(button.left, midY), kBandColour);
    EXPECT_EQ(normal.At(button.right - 1, midY), kBandColour);
    EXPECT_GT(FindInk(normal, textArea, isText).count, 5);
    EXPECT_EQ(FindInk(normal, textArea, isOver).count, 0);

    const Pixels hot = render(0, 1);
    EXPECT_EQ(hot.At(button.left, midY), Highlight());
    EXPECT_EQ(hot.At(button.right - 1, midY), Shadow());
    EXPECT_GT(FindInk(hot, textArea, isOver).count, 5);
    EXPECT_EQ(FindInk(hot, textArea, isText).count, 0);
    // Button 2 stays normal meanwhile.
    EXPECT_EQ(hot.At(button.right + 1, midY), kBandColour);

    const Pixels pushed = render(1, 1);
    EXPECT_EQ(pushed.At(button.left, midY), Shadow());
    EXPECT_EQ(pushed.At(button.right - 1, midY), Highlight());
    const InkBox hotInk = FindInk(hot, textArea, notBand);
    const InkBox pushedInk = FindInk(pushed, textArea, notBand);
    EXPECT_EQ(pushedInk.left, hotInk.left + 1);
    EXPECT_EQ(pushedInk.top, hotInk.top + 1);

    const Pixels pressedAway = render(1, 0);
    EXPECT_EQ(pressedAway.At(button.left, midY), Highlight());
    EXPECT_GT(FindInk(pressedAway, textArea, isOver).count, 5);

    // An index that is no button is stored and shows nothing pressed.
    const Pixels none = render(7, 0);
    EXPECT_EQ(w.bar->DownIndex(), 7);
    EXPECT_EQ(none.At(button.left, midY), kBandColour);
}

TEST(cMenuBar, PressButtonReleasesOnlyThePressedButtonAndAlwaysRepaints) {
    SkinnedWindow w;
    ASSERT_TRUE(testing_support::PumpUntil([&] { return w.bar->Count() == 2; }));
    w.bar->PressButton(1, true);
    EXPECT_EQ(w.bar->DownIndex(), 1);
    int before = w.painter->paints;
    w.bar->PressButton(2, false);
    EXPECT_EQ(w.bar->DownIndex(), 1);
    EXPECT_EQ(w.painter->paints, before + 1);
    w.bar->PressButton(1, false);
    EXPECT_EQ(w.bar->DownIndex(), -1);
    before = w.painter->paints;
    w.bar->HotIndex(2);
    EXPECT_EQ(w.painter->paints, before + 1);
}

TEST(cMenuBar, WithoutAMenuNothingIsDrawnAndNothingAnswers) {
    SkinnedWindow w;
    auto bar = std::make_shared<cMenuBar>();
    BandSurface surface(400, kCaptionHeight);
    const rt::Font font = BandFont();
    bar->Render(font.get(), surface.dc(), 90, 27, 220, 27, -25);
    const Pixels px = surface.Read();
    EXPECT_EQ(FindInk(px, RECT{0, 0, 400, kCaptionHeight}, [](COLORREF c) { return c != kBandColour; }).count, 0);
    EXPECT_EQ(bar->Count(), 0);
    POINT pt = {200, 140};
    EXPECT_EQ(bar->HitTest(pt), 0);
    EXPECT_EQ(bar->hSubMenu(1), nullptr);
    EXPECT_FALSE(bar->AltKeyAccelerator('F'));
    // An empty menu: no buttons, the surface is not touched.
    const HMENU empty = CreateMenu();
    bar->hMenu(empty);
    bar->Render(font.get(), surface.dc(), 90, 27, 220, 27, -25);
    EXPECT_EQ(bar->Count(), 0);
    DestroyMenu(empty);
}

TEST(cMenuBar, AltKeyOfAnItemWithoutSubmenuOpensNothing) {
    SkinnedWindow w;
    ASSERT_TRUE(testing_support::PumpUntil([&] { return w.bar->Count() == 2; }));
    EXPECT_FALSE(w.bar->AltKeyAccelerator('S'));  // &Statement
    EXPECT_FALSE(w.bar->AltKeyAccelerator('Q'));
    EXPECT_EQ(w.bar->DownIndex(), 0);
}

TEST(cMenuBar, PopupItemsBecomeOwnerDrawnWithTheirPopupsColumnWidthsAndComeBack) {
    SkinnedWindow w;
    const HMENU file = w.menu().file;
    const HMENU view = w.menu().view;
    std::vector<ItemRecord> before;
    for (int p = 0; p < 4; ++p) before.push_back(ReadItem(file, p));
    std::vector<ItemRecord> viewBefore;
    for (int p = 0; p < 3; ++p) viewBefore.push_back(ReadItem(view, p));

    w.bar->InitMenuPopup(file);
    w.bar->InitMenuPopup(view);
    for (int p = 0; p < 4; ++p) {
        const ItemRecord now = ReadItem(file, p);
        EXPECT_TRUE(now.type & MFT_OWNERDRAW) << p;
        EXPECT_EQ(now.data, static_cast<ULONG_PTR>(p + 1));
    }
    EXPECT_EQ(w.bar->ItemStore().Count(), 7);

    // Widths from the menu font: widest caption + 1, shortcut + 1, + 38 (File has a Tab).
    rt::MemoryDC dc;
    const rt::Font menuFont = rt::CreateGdiFont(*w.bar->GetMenuFont(), dc.get());
    const int caption = std::max({TextSize(menuFont.get(), L"&Open", DT_SINGLELINE).cx,
                                  TextSize(menuFont.get(), L"E&xit", DT_SINGLELINE).cx,
                                  TextSize(menuFont.get(), L"&Save", DT_SINGLELINE).cx}) + 1;
    const int shortcut = TextSize(menuFont.get(), L"Ctrl+O", DT_SINGLELINE).cx + 1;
    const int line = TextSize(menuFont.get(), L"&Save", DT_SINGLELINE).cy + 1;
    EXPECT_EQ(w.bar->ItemHeight(), line);
    for (int p : {0, 2, 3}) {
        const MEASUREITEMSTRUCT m = Measure(w.hwnd(), file, p);
        EXPECT_EQ(static_cast<int>(m.itemWidth), caption + shortcut + 38) << p;
        EXPECT_EQ(static_cast<int>(m.itemHeight), line + 8) << p;
    }
    EXPECT_EQ(Measure(w.hwnd(), file, 1).itemHeight, 6u);  // the separator
    // View has no Tab: caption + 1 + 30, and the submenu entry is an item like the others.
    const int viewCaption = std::max({TextSize(menuFont.get(), L"&Zoom", DT_SINGLELINE).cx,
                                      TextSize(menuFont.get(), L"&More", DT_SINGLELINE).cx,
                                      TextSize(menuFont.get(), L"&Grid", DT_SINGLELINE).cx}) + 1;
    for (int p = 0; p < 3; ++p) {
        const MEASUREITEMSTRUCT m = Measure(w.hwnd(), view, p);
        EXPECT_EQ(static_cast<int>(m.itemWidth), viewCaption + 30) << p;
        EXPECT_EQ(static_cast<int>(m.itemHeight), line + 8) << p;
    }
    // Not a menu item: the window's own procedure answers, the structure is not ours to touch.
    MEASUREITEMSTRUCT control = {};
    control.CtlType = ODT_BUTTON;
    control.itemWidth = 77;
    SendMessageW(w.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&control));
    EXPECT_EQ(control.itemWidth, 77u);

    w.bar->RestoreMenus();
    EXPECT_EQ(w.bar->ItemStore().Count(), 0);
    EXPECT_EQ(w.bar->ItemStore().MenuCount(), 0);
    for (int p = 0; p < 4; ++p) {
        const ItemRecord now = ReadItem(file, p);
        EXPECT_EQ(now.text, before[p].text) << p;
        EXPECT_EQ(now.type, before[p].type) << p;
        EXPECT_EQ(now.id, before[p].id) << p;
        EXPECT_EQ(now.data, before[p].data) << p;
    }
    for (int p = 0; p < 3; ++p) {
        const ItemRecord now = ReadItem(view, p);
        EXPECT_EQ(now.text, viewBefore[p].text) << p;
        EXPECT_EQ(now.type, viewBefore[p].type) << p;
    }
    EXPECT_EQ(GetSubMenu(view, 1), w.menu().viewMore);
}

TEST(cMenuBar, APopupSeenAgainIsNotStoredTwiceAndAnAddedItemIsStoredAsNew) {
    SkinnedWindow w;
    const HMENU view = w.menu().view;
    w.bar->InitMenuPopup(view);
    w.bar->InitMenuPopup(view);
    EXPECT_EQ(w.bar->ItemStore().Count(), 3);
    AppendMenuW(view, MF_STRING, 399, L"&Added");
    w.bar->InitMenuPopup(view);
    EXPECT_EQ(w.bar->ItemStore().Count(), 4);
    const ItemRecord added = ReadItem(view, 3);
    EXPECT_TRUE(added.type & MFT_OWNERDRAW);
    EXPECT_EQ(added.data, 4u);
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_MENUCHAR, MAKEWPARAM(L'a', MF_POPUP), reinterpret_cast<LPARAM>(view)),
              MAKELRESULT(3, MNC_EXECUTE));
    w.bar->RestoreMenus();
    const ItemRecord back = ReadItem(view, 3);
    EXPECT_EQ(back.text, L"&Added");
    EXPECT_FALSE(back.type & MFT_OWNERDRAW);
    EXPECT_EQ(back.id, 399u);
}

TEST(cMenuBar, MnemonicsAnswerThePositionToExecuteAndTheFirstStoredWins) {
    SkinnedWindow w;
    const HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"&Alpha");
    AppendMenuW(popup, MF_STRING, 2, L"E&xit");
    AppendMenuW(popup, MF_STRING, 3, L"&Another");
    AppendMenuW(popup, MF_STRING, 4, L"Trailing&");
    w.bar->InitMenuPopup(popup);
    auto menuChar = [&](wchar_t c, WORD flags = MF_POPUP) {
        return SendMessageW(w.hwnd(), WM_MENUCHAR, MAKEWPARAM(c, flags), reinterpret_cast<LPARAM>(popup));
    };
    EXPECT_EQ(menuChar(L'x'), 0x20001);
    EXPECT_EQ(menuChar(L'X'), 0x20001);
    EXPECT_EQ(menuChar(L'a'), 0x20000);
    // No match (a trailing '&' is no mnemonic), and the system menu: the window's own answer.
    const LRESULT none = DefWindowProcW(w.hwnd(), WM_MENUCHAR, MAKEWPARAM(L'q', MF_POPUP), reinterpret_cast<LPARAM>(popup));
    EXPECT_EQ(menuChar(L'q'), none);
    EXPECT_EQ(menuChar(L'&'), none);
    EXPECT_LT(menuChar(L'x', MF_POPUP | MF_SYSMENU), 0x20000);
    w.bar->RestoreMenus();
    DestroyMenu(popup);
}

TEST(cMenuBar, ALongItemTextIsCutForTheDrawingButGivenBackWhole) {
    SkinnedWindow w;
    const HMENU popup = CreatePopupMenu();
    const std::wstring longText = std::wstring(140, L'w') + L"\tCtrl+L";
    AppendMenuW(popup, MF_STRING, 1, longText.c_str());
    w.bar->InitMenuPopup(popup);
    const PopupItem& item = w.bar->ItemStore().Item(1);
    EXPECT_LE(item.caption.size(), cMenuBar::kTextBufferChars - 1);
    EXPECT_GE(item.caption.size(), cMenuBar::kTextBufferChars - 2);
    EXPECT_TRUE(item.shortcut.empty());
    w.bar->RestoreMenus();
    EXPECT_EQ(ReadItem(popup, 0).text, longText);
    DestroyMenu(popup);
}

TEST(cMenuBar, DrawnItemsShowChecksSelectionSeparatorsAndEmbossedDisabledText) {
    SkinnedWindow w;
    const HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING | MF_CHECKED, 1, L"&Checked\tCtrl+C");
    AppendMenuW(popup, MF_STRING, 2, L"&Radio");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, 3, L"&Selected");
    AppendMenuW(popup, MF_STRING | MF_GRAYED, 4, L"&Disabled");
    CheckMenuRadioItem(popup, 1, 1, 1, MF_BYPOSITION);
    w.bar->InitMenuPopup(popup);

    auto draw = [&](int pos, int height = kH) {
        BandSurface surface(kW + 10, height + 10);
        const ItemRecord item = ReadItem(popup, pos);
        DRAWITEMSTRUCT d = {};
        d.CtlType = ODT_MENU;
        d.itemID = item.id;
        d.hwndItem = reinterpret_cast<HWND>(popup);
        d.hDC = surface.dc();
        d.rcItem = {0, 0, kW, height};
        d.itemData = item.data;
        SendMessageW(w.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
        return surface.Read();
    };
    auto nearTo = [](COLORREF want) { return [want](COLORREF c) { return ColorNear(c, want, 60); }; };
    const RECT checkInside = {8, 6, 18, 15};

    // A checked item: sunken box (6,4)-(19,16) with a glyph in the text colour; caption from 24.
    const Pixels checked = draw(0);
    EXPECT_EQ(checked.At(100, 1), kPopupBackColour);
    EXPECT_EQ(checked.At(6, 10), Shadow());
    EXPECT_EQ(checked.At(18, 10), Highlight());
    EXPECT_GT(FindInk(checked, checkInside, nearTo(kTextColour)).count, 3);
    const InkBox caption = FindInk(checked, RECT{20, 0, 60, kH}, nearTo(kTextColour));
    EXPECT_GE(caption.left, 24);
    EXPECT_LE(caption.left, 27);
    const int captionWidth = w.bar->ItemStore().Item(1).captionWidth;
    const InkBox shortcut = FindInk(checked, RECT{24 + captionWidth, 0, kW, kH}, nearTo(kTextColour));
    EXPECT_GE(shortcut.left, MenuLayout::ShortcutLeft(captionWidth));
    EXPECT_LE(shortcut.left, MenuLayout::ShortcutLeft(captionWidth) + 3);
    EXPECT_EQ(checked.At(2, 10), kPopupBackColour);  // not selected: no frame

    // A radio item shows another glyph (the bullet) in the same box.
    const Pixels radio = draw(1);
    EXPECT_EQ(radio.At(6, 10), Shadow());
    int differing = 0;
    for (int y = checkInside.top; y < checkInside.bottom; ++y)
        for (int x = checkInside.left; x < checkInside.right; ++x)
            if (radio.At(x, y) != checked.At(x, y)) ++differing;
    EXPECT_GT(differing, 3);

    // A separator 6 high: an etched line 8 pixels in from each side.
    const Pixels separator = draw(2, 6);
    EXPECT_EQ(separator.At(50, 2), Shadow());
    EXPECT_EQ(separator.At(50, 3), Highlight());
    EXPECT_EQ(separator.At(7, 2), kPopupBackColour);
    EXPECT_EQ(separator.At(kW - 8, 2), kPopupBackColour);

    // Selected: raised frame from x 2 and the second colour.
    MENUITEMINFOW hilite = {};
    hilite.cbSize = sizeof(hilite);
    hilite.fMask = MIIM_STATE;
    hilite.fState = MFS_HILITE;
    SetMenuItemInfoW(popup, 3, TRUE, &hilite);
    const Pixels selected = draw(3);
    EXPECT_EQ(selected.At(2, 10), Highlight());
    EXPECT_EQ(selected.At(kW - 3, 10), Shadow());
    EXPECT_GT(FindInk(selected, RECT{24, 0, 100, kH}, nearTo(kOverColour)).count, 5);
    EXPECT_EQ(FindInk(selected, RECT{24, 0, 100, kH}, nearTo(kTextColour)).count, 0);

    // Disabled and selected: no frame, embossed text (highlight and shadow, no text colour).
    hilite.fState = MFS_HILITE | MFS_GRAYED;
    SetMenuItemInfoW(popup, 4, TRUE, &hilite);
    const Pixels disabled = draw(4);
    EXPECT_EQ(disabled.At(2, 10), kPopupBackColour);
    const RECT text = {24, 0, 100, kH};
    EXPECT_GT(FindInk(disabled, text, [](COLORREF c) { return c == GetSysColor(COLOR_BTNSHADOW); }).count, 3);
    EXPECT_GT(FindInk(disabled, text, [](COLORREF c) { return c == GetSysColor(COLOR_BTNHIGHLIGHT); }).count, 3);
    EXPECT_EQ(FindInk(disabled, text, nearTo(kOverColour)).count, 0);

    w.bar->RestoreMenus();
    DestroyMenu(popup);
}
