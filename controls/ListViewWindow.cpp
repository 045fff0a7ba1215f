#include "controls/ListViewWindow.h"

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
// The image lists belong to their owners, not to the list view.
constexpr DWORD kListStyle = LVS_ICON | LVS_SHAREIMAGELISTS | LVS_SINGLESEL | LVS_AUTOARRANGE | WS_TABSTOP |
                             WS_BORDER;
}  // namespace

ListViewWindow::ListViewWindow(HWND parent, const RECT& rect, int id) {
    CreateHosted(parent, rect, id, WC_LISTVIEWW, kListStyle);
}

void ListViewWindow::SetView(short view) {
    if (view != 0) rt::Raise(err::kInvalidPropertyValue);
}

void ListViewWindow::SetIcons(ImageList* icons) {
    m_icons = icons;
    if (!Inner()) return;
    ListView_SetImageList(Inner(), icons ? icons->Handle() : nullptr, LVSIL_NORMAL);
    for (size_t i = 0; i < m_inserted; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.iImage = ImageIndexFor(m_items[i].iconKey) - 1;
        SendMessageW(Inner(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

int ListViewWindow::ImageIndexFor(const std::wstring& iconKey) const {
    return m_icons ? m_icons->IndexOf(iconKey) : 0;
}

int ListViewWindow::AddItem(const std::wstring& key, const std::wstring& text, const std::wstring& iconKey) {
    if (!key.empty()) {
        for (const Item& existing : m_items) {
            if (existing.key == key) rt::Raise(err::kKeyNotUnique, {}, err::kKeyNotUniqueText);
        }
    }
    int image = 0;
    if (!iconKey.empty()) {
        if (!m_icons) rt::Raise(err::kImageListNotInitialized, {}, err::kImageListNotInitializedText);
        image = m_icons->IndexOf(iconKey);
        if (image == 0) rt::Raise(err::kElementNotFound, {}, err::kElementNotFoundText);
        // The image list's handle exists only from its first image on.
        if (ListView_GetImageList(Inner(), LVSIL_NORMAL) != m_icons->Handle()) {
            ListView_SetImageList(Inner(), m_icons->Handle(), LVSIL_NORMAL);
        }
    }
    m_items.push_back({key, text, iconKey});
    if (!m_drawingHeld && !InsertWaitingItems()) rt::Raise(rt::err::kOutOfMemory);
    return ItemCount();
}

// LVS_NOSCROLL spares the list view its scroll-bar update at each insert; the bars are
// updated once when it goes, before anything is drawn. False when the list view could not take
// an item (out of memory): that one and those after it are dropped.
bool ListViewWindow::InsertWaitingItems() {
    if (m_inserted == m_items.size()) return true;
    const LONG_PTR style = GetWindowLongPtrW(Inner(), GWL_STYLE);
    SetWindowLongPtrW(Inner(), GWL_STYLE, style | LVS_NOSCROLL);
    bool failed = false;
    for (; m_inserted < m_items.size() && !failed; ++m_inserted) {
        const Item& waiting = m_items[m_inserted];
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(m_inserted);
        item.pszText = const_cast<wchar_t*>(waiting.text.c_str());
        item.iImage = waiting.iconKey.empty() ? -1 : ImageIndexFor(waiting.iconKey) - 1;
        failed = SendMessageW(Inner(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0;
    }
    SetWindowLongPtrW(Inner(), GWL_STYLE, style);
    if (failed) m_items.resize(--m_inserted);
    return !failed;
}

void ListViewWindow::ClearItems() {
    if (Inner()) ListView_DeleteAllItems(Inner());
    m_items.clear();
    m_inserted = 0;
}

void ListViewWindow::CheckIndex(int index) const {
    if (index < 1 || index > ItemCount()) rt::Raise(err::kIndexOutOfBounds, {}, err::kIndexOutOfBoundsText);
}

const std::wstring& ListViewWindow::ItemKey(int index) const {
    CheckIndex(index);
    return m_items[static_cast<size_t>(index) - 1].key;
}

std::wstring ListViewWindow::ItemText(int index) const {
    CheckIndex(index);
    return m_items[static_cast<size_t>(index) - 1].text;
}

const std::wstring& ListViewWindow::ItemIcon(int index) const {
    CheckIndex(index);
    return m_items[static_cast<size_t>(index) - 1].iconKey;
}

int ListViewWindow::ItemImage(int index) const {
    CheckIndex(index);
    if (static_cast<size_t>(index) > m_inserted) return ImageIndexFor(m_items[static_cast<size_t>(index) - 1].iconKey);
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = index - 1;
    SendMessageW(Inner(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage + 1;
}

int ListViewWindow::SelectedIndex() const {
    if (!Inner()) return 0;
    return ListView_GetNextItem(Inner(), -1, LVNI_SELECTED) + 1;
}

RECT ListViewWindow::ItemRect(int index) const {
    CheckIndex(index);
    RECT rc = {};  // empty for an item still waiting: it is not shown yet
    ListView_GetItemRect(Inner(), index - 1, &rc, LVIR_BOUNDS);
    return rc;
}

void ListViewWindow::Refresh() {
    if (!Inner()) return;
    InvalidateRect(Inner(), nullptr, TRUE);
    UpdateWindow(Inner());
}

void ListViewWindow::HoldDrawing(bool hold) {
    if (!Inner() || hold == m_drawingHeld) return;
    m_drawingHeld = hold;
    if (hold) return;
    InsertWaitingItems();  // what did not fit is dropped: a release must not throw
    InvalidateRect(Inner(), nullptr, TRUE);
}

LRESULT ListViewWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    default: return ControlHost::HandleMessage(message, wParam, lParam);
    }
}

LRESULT ListViewWindow::OnNotify(const NMHDR* header) {
    if (header->hwndFrom == Inner() && header->code == static_cast<UINT>(NM_CLICK) && Click) {
        auto handler = Click;
        handler();
    }
    return 0;
}

}  // namespace ctl
