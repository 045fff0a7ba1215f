#pragma once
// Arithmetic of the drawn menu bar and of its owner-drawn popup items: where a bar button and
// its text lie, which look a button takes, the size of a popup item and where its parts are
// drawn, mnemonics and the caption/shortcut split of an item text. No window is involved.
#include <windows.h>

#include <string>

namespace MenuLayout {

// --- Bar buttons -------------------------------------------------------------------------
// The first text starts this far into the strip.
constexpr int kBarFirstTextX = 8;
// Texts sit this far below the strip's top.
constexpr int kBarTextTop = 2;
// A button's edge runs kButtonPadding before its text and kButtonPadding + kButtonTail after.
constexpr int kButtonPadding = 2;
constexpr int kButtonTail = 7;
// The next text starts this far behind the end of the previous one, so neighbouring edges touch.
constexpr int kBarTextGap = 11;

struct BarButton {
    RECT text;    // where the caption is drawn, strip coordinates
    RECT button;  // the button's edge and hit rectangle, strip coordinates
    int nextX;    // where the next button's text starts
};

// The button whose text (textWidth x textHeight) starts at x.
BarButton LayoutBarButton(int x, int textWidth, int textHeight);

enum class BarEdge { None, Raised, Sunken };

struct BarLook {
    bool overColour;  // the second (hot) colour instead of the first
    BarEdge edge;
    int textOffset;   // pushed text moves this many pixels right and down
};

// The look of button i given the pressed index and the hot index.
BarLook LookOfButton(int i, int pressedIndex, int hotIndex);

// The next bar button from b, cycling through 1..count.
int NextButton(int b, bool backward, int count);

// --- Texts ---------------------------------------------------------------------------------
// Upper case of one character, as the menu mnemonics compare it.
wchar_t UpperChar(wchar_t c);

// The upper-cased character behind the first '&' of text; empty when there is no '&' or it
// is the last character.
std::wstring MnemonicOf(const std::wstring& text);

struct ItemText {
    std::wstring caption;   // before the first Tab
    std::wstring shortcut;  // after the first Tab; empty without a Tab
};
ItemText SplitItemText(const std::wstring& text);

// The text that a menu read with a fixed buffer of bufferChars characters shows: the part
// the platform copied, never more than it reported (cch) nor past the terminating NUL.
std::wstring TextFromBuffer(const wchar_t* buffer, size_t bufferChars, UINT cch);

// --- Popup items -----------------------------------------------------------------------------
// Width of every item of a popup whose widest caption and shortcut measure captionWidth and
// shortcutWidth (each already + 1); shortcutWidth 0 means no shortcut column.
int PopupItemWidth(int captionWidth, int shortcutWidth);
// Height of an item: separators are thin, text items a line plus a margin.
int PopupItemHeight(bool separator, int lineHeight);

// Left edge of the caption text in an item.
constexpr int kItemTextLeft = 24;
// Gap between the caption column and the shortcut column (4 after the caption, 4 before).
constexpr int kShortcutGap = 8;
int ShortcutLeft(int captionWidth);

// The sunken box of a check mark in an item w x h (item coordinates).
RECT CheckBoxRect(int w, int h);
// The etched line of a separator item w x h.
RECT SeparatorRect(int w, int h);
// The raised frame of a selected item w x h.
RECT SelectionFrameRect(int w, int h);

}  // namespace MenuLayout
