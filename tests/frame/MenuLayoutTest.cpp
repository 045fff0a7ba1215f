// The drawn menu bar's arithmetic and its popup item store, without windows.
#include <gtest/gtest.h>

#include "frame/MenuLayout.h"
#include "frame/PopupItemStore.h"

using namespace MenuLayout;

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

MENUITEMINFOW Record(UINT id, UINT type = MFT_STRING, ULONG_PTR data = 0) {
    MENUITEMINFOW r = {};
    r.cbSize = sizeof(r);
    r.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    r.wID = id;
    r.fType = type;
    r.dwItemData = data;
    return r;
}

}  // namespace

TEST(MenuLayout, BarButtonsStartAtEightAndFollowEachOtherWithEdgesTouching) {
    const BarButton first = LayoutBarButton(kBarFirstTextX, 40, 13);
    EXPECT_TRUE(SameRect(first.text, RECT{8, 2, 48, 15}));
    EXPECT_TRUE(SameRect(first.button, RECT{6, 0, 57, 17}));
    EXPECT_EQ(first.nextX, 59);
    const BarButton second = LayoutBarButton(first.nextX, 25, 13);
    EXPECT_EQ(second.button.left, first.button.right);
    EXPECT_EQ(second.nextX, 59 + 25 + 11);
}

TEST(MenuLayout, LookFollowsPressedAndHot) {
    const BarLook pushed = LookOfButton(2, 2, 2);
    EXPECT_TRUE(pushed.overColour);
    EXPECT_EQ(pushed.edge, BarEdge::Sunken);
    EXPECT_EQ(pushed.textOffset, 1);
    const BarLook pressedAway = LookOfButton(2, 2, 1);
    EXPECT_TRUE(pressedAway.overColour);
    EXPECT_EQ(pressedAway.edge, BarEdge::Raised);
    EXPECT_EQ(pressedAway.textOffset, 0);
    const BarLook hot = LookOfButton(1, -1, 1);
    EXPECT_TRUE(hot.overColour);
    EXPECT_EQ(hot.edge, BarEdge::Raised);
    const BarLook normal = LookOfButton(1, 0, 2);
    EXPECT_FALSE(normal.overColour);
    EXPECT_EQ(normal.edge, BarEdge::None);
    EXPECT_EQ(normal.textOffset, 0);
}

TEST(MenuLayout, NextButtonWrapsBothWays) {
    EXPECT_EQ(NextButton(3, false, 3), 1);
    EXPECT_EQ(NextButton(1, true, 3), 3);
    EXPECT_EQ(NextButton(1, false, 3), 2);
    EXPECT_EQ(NextButton(1, false, 1), 1);
    EXPECT_EQ(NextButton(1, true, 1), 1);
}

TEST(MenuLayout, MnemonicIsTheUpperCasedLetterBehindTheFirstAmpersand) {
    EXPECT_EQ(MnemonicOf(L"E&xit"), L"X");
    EXPECT_EQ(MnemonicOf(L"&File"), L"F");
    EXPECT_EQ(MnemonicOf(L"Exit&"), L"");
    EXPECT_EQ(MnemonicOf(L"Exit"), L"");
    EXPECT_EQ(MnemonicOf(L"a&b&c"), L"B");
    EXPECT_EQ(MnemonicOf(L"\x6587\x4EF6(&f)"), L"F");
}

TEST(MenuLayout, ItemTextSplitsAtTheFirstTab) {
    const ItemText open = SplitItemText(L"&Open\tCtrl+O");
    EXPECT_EQ(open.caption, L"&Open");
    EXPECT_EQ(open.shortcut, L"Ctrl+O");
    const ItemText two = SplitItemText(L"a\tb\tc");
    EXPECT_EQ(two.caption, L"a");
    EXPECT_EQ(two.shortcut, L"b\tc");
    const ItemText plain = SplitItemText(L"Exit");
    EXPECT_EQ(plain.caption, L"Exit");
    EXPECT_TRUE(plain.shortcut.empty());
}

TEST(MenuLayout, BufferTextNeverRunsPastTheCountTheBufferOrTheTerminator) {
    const wchar_t buffer[8] = {L'a', L'b', L'c', L'd', 0, L'x', L'y', L'z'};
    EXPECT_EQ(TextFromBuffer(buffer, 8, 2), L"ab");
    EXPECT_EQ(TextFromBuffer(buffer, 8, 7), L"abcd");
    EXPECT_EQ(TextFromBuffer(buffer, 8, 0), L"");
    const wchar_t full[4] = {L'a', L'b', L'c', L'd'};
    EXPECT_EQ(TextFromBuffer(full, 4, 100), L"abc");
}

TEST(MenuLayout, PopupItemSizesAndParts) {
    EXPECT_EQ(PopupItemWidth(61, 0), 91);
    EXPECT_EQ(PopupItemWidth(61, 41), 61 + 41 + 38);
    EXPECT_EQ(PopupItemHeight(true, 14), 6);
    EXPECT_EQ(PopupItemHeight(false, 14), 22);
    EXPECT_EQ(ShortcutLeft(60), 92);
    EXPECT_TRUE(SameRect(CheckBoxRect(100, 20), RECT{6, 4, 19, 16}));
    EXPECT_TRUE(SameRect(SeparatorRect(100, 6), RECT{8, 2, 92, 4}));
    EXPECT_TRUE(SameRect(SeparatorRect(100, 7), RECT{8, 2, 92, 4}));
    EXPECT_TRUE(SameRect(SelectionFrameRect(100, 20), RECT{2, 0, 98, 20}));
}

TEST(PopupItemStore, StoresFindsAndForgetsItems) {
    PopupItemStore store;
    const HMENU a = reinterpret_cast<HMENU>(0x1000);
    const HMENU b = reinterpret_cast<HMENU>(0x2000);
    EXPECT_FALSE(store.RegisterMenu(a));
    EXPECT_TRUE(store.RegisterMenu(a));
    EXPECT_FALSE(store.RegisterMenu(b));
    EXPECT_EQ(store.MenuCount(), 2);

    EXPECT_EQ(store.AddItem(a, 0, Record(10), L"&Open\tCtrl+O", L"&Open\tCtrl+O"), 1);
    EXPECT_EQ(store.AddItem(a, 1, Record(0, MFT_SEPARATOR), L"", L""), 2);
    EXPECT_EQ(store.AddItem(a, 2, Record(11), L"&Other", L"&Other"), 3);
    EXPECT_EQ(store.AddItem(b, 0, Record(20), L"&Zoom", L"&Zoom"), 4);
    EXPECT_EQ(store.Item(1).caption, L"&Open");
    EXPECT_EQ(store.Item(1).shortcut, L"Ctrl+O");
    EXPECT_EQ(store.Item(1).mnemonic, L"O");
    EXPECT_EQ(store.FindItem(a, 2), 3);
    EXPECT_EQ(store.FindItem(b, 2), 0);
    EXPECT_EQ(store.FindItemById(20), 4);
    EXPECT_EQ(store.FindItemById(99), 0);
    // Two items of one popup share the mnemonic O: the first stored wins.
    EXPECT_EQ(store.FindMnemonic(a, L'O'), 0);
    EXPECT_EQ(store.FindMnemonic(b, L'O'), -1);
    EXPECT_EQ(store.FindMnemonic(b, L'Z'), 0);

    store.SetColumnWidths(a, 60, 40);
    EXPECT_EQ(store.Item(3).captionWidth, 60);
    EXPECT_EQ(store.Item(3).shortcutWidth, 40);
    EXPECT_EQ(store.Item(4).captionWidth, 0);

    store.StoreItem(3, a, 2, Record(12), L"Plain", L"Plain");
    EXPECT_EQ(store.Item(3).mnemonic, L"");
    EXPECT_EQ(store.FindItemById(12), 3);

    const MENUITEMINFOW text = store.RestoreRecord(1);
    EXPECT_EQ(std::wstring(text.dwTypeData), L"&Open\tCtrl+O");
    EXPECT_EQ(text.wID, 10u);

    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.MenuCount(), 0);
    EXPECT_FALSE(store.RegisterMenu(a));
}

TEST(PopupItemStore, ShownTextIsSplitWhileTheWholeTextIsKept) {
    PopupItemStore store;
    const HMENU a = reinterpret_cast<HMENU>(0x1000);
    store.AddItem(a, 0, Record(1), L"Long caption\tCtrl+Shift+L", L"Long caption\tCtrl");
    EXPECT_EQ(store.Item(1).shortcut, L"Ctrl");
    EXPECT_EQ(std::wstring(store.RestoreRecord(1).dwTypeData), L"Long caption\tCtrl+Shift+L");
}
