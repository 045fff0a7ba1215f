#pragma once
// PopupItemStore: the items of the drop-downs that the drawn menu bar has turned into
// owner-drawn items during one menu loop, each with the record it had before (to give it
// back), its caption, shortcut and mnemonic, and the column widths of its popup; plus the
// popups seen since the last restore. Items are numbered from 1 in the order stored; an
// owner-drawn item carries its number in its own item data.
#include <windows.h>

#include <string>
#include <vector>

struct PopupItem {
    HMENU menu = nullptr;
    int position = 0;          // from 0 in its popup
    MENUITEMINFOW record = {}; // type, identifier and item data as read (text held in text)
    std::wstring text;         // the item's whole text, given back on restore
    std::wstring caption;      // shown text before the first Tab
    std::wstring shortcut;     // shown text after the first Tab
    std::wstring mnemonic;     // upper-cased letter behind the caption's first '&'
    int captionWidth = 0;      // caption column of the item's popup, pixels
    int shortcutWidth = 0;     // shortcut column of the item's popup; 0 = none
};

class PopupItemStore {
public:
    // True when the popup was seen already; otherwise it is noted as seen.
    bool RegisterMenu(HMENU menu);
    // The first item stored for (menu, position), or 0.
    int FindItem(HMENU menu, int position) const;
    // Stores a new item and returns its number. shownText is the text as the fixed-size read
    // shows it (caption and shortcut come from it); wholeText is given back on restore.
    int AddItem(HMENU menu, int position, const MENUITEMINFOW& record, const std::wstring& wholeText,
                const std::wstring& shownText);
    // Fills item index afresh.
    void StoreItem(int index, HMENU menu, int position, const MENUITEMINFOW& record,
                   const std::wstring& wholeText, const std::wstring& shownText);
    // The first item whose identifier is id, or 0.
    int FindItemById(UINT id) const;
    // The position of the first item of menu whose mnemonic is key, or -1.
    int FindMnemonic(HMENU menu, wchar_t key) const;
    // Gives every item of menu the popup's column widths.
    void SetColumnWidths(HMENU menu, int captionWidth, int shortcutWidth);

    int Count() const { return static_cast<int>(m_items.size()); }
    int MenuCount() const { return static_cast<int>(m_seen.size()); }
    bool IsIndex(LONG_PTR index) const { return index >= 1 && index <= Count(); }
    const PopupItem& Item(int index) const { return m_items[static_cast<size_t>(index - 1)]; }
    // The record that gives item index back its text, type, identifier and item data. It
    // points into the store: use it before the store changes.
    MENUITEMINFOW RestoreRecord(int index);

    // Forgets every item and every popup seen.
    void Clear();

private:
    std::vector<PopupItem> m_items;
    std::vector<HMENU> m_seen;
};
