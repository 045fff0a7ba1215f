#include "frame/PopupItemStore.h"

#include <algorithm>

#include "frame/MenuLayout.h"

bool PopupItemStore::RegisterMenu(HMENU menu) {
    if (std::find(m_seen.begin(), m_seen.end(), menu) != m_seen.end()) return true;
    m_seen.push_back(menu);
    return false;
}

int PopupItemStore::FindItem(HMENU menu, int position) const {
    for (int i = 1; i <= Count(); ++i) {
        const PopupItem& item = Item(i);
        if (item.menu == menu && item.position == position) return i;
    }
    return 0;
}

int PopupItemStore::AddItem(HMENU menu, int position, const MENUITEMINFOW& record, const std::wstring& wholeText,
                            const std::wstring& shownText) {
    m_items.emplace_back();
    const int index = Count();
    StoreItem(index, menu, position, record, wholeText, shownText);
    return index;
}

void PopupItemStore::StoreItem(int index, HMENU menu, int position, const MENUITEMINFOW& record,
                               const std::wstring& wholeText, const std::wstring& shownText) {
    PopupItem& item = m_items[static_cast<size_t>(index - 1)];
    item.menu = menu;
    item.position = position;
    item.record = record;
    item.text = wholeText;
    const MenuLayout::ItemText parts = MenuLayout::SplitItemText(shownText);
    item.caption = parts.caption;
    item.shortcut = parts.shortcut;
    item.mnemonic = MenuLayout::MnemonicOf(item.caption);
}

int PopupItemStore::FindItemById(UINT id) const {
    for (int i = 1; i <= Count(); ++i) {
        if (Item(i).record.wID == id) return i;
    }
    return 0;
}

int PopupItemStore::FindMnemonic(HMENU menu, wchar_t key) const {
    for (int i = 1; i <= Count(); ++i) {
        const PopupItem& item = Item(i);
        if (item.menu == menu && item.mnemonic.size() == 1 && item.mnemonic[0] == key) return item.position;
    }
    return -1;
}

void PopupItemStore::SetColumnWidths(HMENU menu, int captionWidth, int shortcutWidth) {
    for (PopupItem& item : m_items) {
        if (item.menu != menu) continue;
        item.captionWidth = captionWidth;
        item.shortcutWidth = shortcutWidth;
    }
}

MENUITEMINFOW PopupItemStore::RestoreRecord(int index) {
    PopupItem& item = m_items[static_cast<size_t>(index - 1)];
    MENUITEMINFOW record = item.record;
    // A bitmap item carries its bitmap handle in dwTypeData; only string items get the text.
    if (!(record.fType & (MFT_BITMAP | MFT_SEPARATOR))) {
        record.dwTypeData = item.text.data();
        record.cch = static_cast<UINT>(item.text.size());
    }
    return record;
}

void PopupItemStore::Clear() {
    m_items.clear();
    m_seen.clear();
}
