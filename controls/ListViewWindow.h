#pragma once
// A list view in icon view: items with an optional key, a text and the key of their icon in
// the image list set with SetIcons. Items and indices are 1-based; Click is raised when the
// user clicks the list.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/ControlHost.h"
#include "controls/ImageList.h"

namespace ctl {

class ListViewWindow : public ControlHost {
public:
    ListViewWindow(HWND parent, const RECT& rect, int id = 0);

    // 0 icon view, the one view this list offers; other values raise 380.
    short View() const { return 0; }
    void SetView(short view);

    // The image list whose images the items show (not owned; it must outlive its use here).
    // Items keep their icon keys and show the image of that key in the new list.
    ImageList* Icons() const { return m_icons; }
    void SetIcons(ImageList* icons);

    // Adds an item at the end; returns its index. A key already used raises 35602; an icon key
    // raises 35613 when no image list is set and 35601 when the list has no such image.
    int AddItem(const std::wstring& key, const std::wstring& text, const std::wstring& iconKey);
    void ClearItems();
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    // Indices outside 1..ItemCount raise 35600.
    const std::wstring& ItemKey(int index) const;
    std::wstring ItemText(int index) const;
    const std::wstring& ItemIcon(int index) const;
    // The 1-based image the system list shows for the item, 0 for none.
    int ItemImage(int index) const;
    // The selected item's index, 0 when none is selected.
    int SelectedIndex() const;
    // Where item n lies in the control's client pixels (its icon and text).
    RECT ItemRect(int index) const;
    // Repaints now.
    void Refresh();
    // While held, added items wait outside the list view, which keeps showing and taking clicks
    // as it was; releasing adds them together and repaints. (The list view lays itself out and
    // updates its scroll bars at each insert; WM_SETREDRAW would spare that, but its default
    // processing takes the window out of input routing on Windows while redraw is off.)
    void HoldDrawing(bool hold);

    std::function<void()> Click;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        std::wstring key;
        std::wstring text;
        std::wstring iconKey;
    };
    bool InsertWaitingItems();
    void CheckIndex(int index) const;
    int ImageIndexFor(const std::wstring& iconKey) const;
    LRESULT OnNotify(const NMHDR* header);

    ImageList* m_icons = nullptr;
    std::vector<Item> m_items;
    size_t m_inserted = 0;  // the items the list view holds; the rest wait for the release
    bool m_drawingHeld = false;
};

}  // namespace ctl
