#include "frame/MenuLayout.h"

#include <cwchar>

namespace MenuLayout {

namespace {
constexpr int kPopupCaptionMargin = 30;     // check column (24) plus a right margin
constexpr int kPopupShortcutMargin = 4 + 4; // space before and after the shortcut column
constexpr int kItemLineMargin = 8;          // a text item is its line height plus this
constexpr int kSeparatorHeight = 6;
constexpr int kCheckBoxInset = 4;
constexpr int kCheckBoxShift = 2;
constexpr int kSeparatorInset = 8;
constexpr int kSeparatorThickness = 2;
constexpr int kSelectionInset = 2;
}  // namespace

BarButton LayoutBarButton(int x, int textWidth, int textHeight) {
    BarButton b;
    b.text = {x, kBarTextTop, x + textWidth, kBarTextTop + textHeight};
    b.button = {b.text.left - kButtonPadding, b.text.top - kButtonPadding,
                b.text.right + kButtonPadding + kButtonTail, b.text.bottom + kButtonPadding};
    b.nextX = x + textWidth + kBarTextGap;
    return b;
}

BarLook LookOfButton(int i, int pressedIndex, int hotIndex) {
    const bool pressed = i == pressedIndex;
    const bool hot = i == hotIndex;
    if (pressed && hot) return {true, BarEdge::Sunken, 1};
    if (pressed || hot) return {true, BarEdge::Raised, 0};
    return {false, BarEdge::None, 0};
}

int NextButton(int b, bool backward, int count) {
    if (backward) {
        --b;
        if (b < 1) b = count;
    } else {
        ++b;
        if (b > count) b = 1;
    }
    return b;
}

wchar_t UpperChar(wchar_t c) {
    wchar_t s[2] = {c, 0};
    CharUpperW(s);
    return s[0];
}

std::wstring MnemonicOf(const std::wstring& text) {
    const size_t amp = text.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= text.size()) return {};
    return std::wstring(1, UpperChar(text[amp + 1]));
}

ItemText SplitItemText(const std::wstring& text) {
    const size_t tab = text.find(L'\t');
    if (tab == std::wstring::npos) return {text, {}};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

std::wstring TextFromBuffer(const wchar_t* buffer, size_t bufferChars, UINT cch) {
    if (!buffer || cch == 0 || bufferChars == 0) return {};
    size_t n = 0;
    const size_t limit = cch < bufferChars ? cch : bufferChars - 1;
    while (n < limit && buffer[n] != L'\0') ++n;
    return std::wstring(buffer, n);
}

int PopupItemWidth(int captionWidth, int shortcutWidth) {
    if (shortcutWidth > 0) return captionWidth + kPopupCaptionMargin + kPopupShortcutMargin + shortcutWidth;
    return captionWidth + kPopupCaptionMargin;
}

int PopupItemHeight(bool separator, int lineHeight) {
    return separator ? kSeparatorHeight : lineHeight + kItemLineMargin;
}

int ShortcutLeft(int captionWidth) { return kItemTextLeft + captionWidth + kShortcutGap; }

RECT CheckBoxRect(int w, int h) {
    RECT s = {kCheckBoxInset, kCheckBoxInset, w - kCheckBoxInset, h - kCheckBoxInset};
    s.left += kCheckBoxShift;
    s.right = s.left + (s.bottom - s.top + 1);
    return s;
}

RECT SeparatorRect(int w, int h) {
    const int t = (h - kSeparatorThickness) / 2;
    return {kSeparatorInset, t, w - kSeparatorInset, t + kSeparatorThickness};
}

RECT SelectionFrameRect(int w, int h) { return {kSelectionInset, 0, w - kSelectionInset, h}; }

}  // namespace MenuLayout
