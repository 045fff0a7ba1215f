#pragma once
// The list view as a control of a form: icon view, an icon image list, items with a key, a text
// and an icon key (see ListViewWindow), and a Click event. Items exist while the form is
// loaded; asking for them before raises error 91.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/ImageList.h"
#include "controls/ListViewWindow.h"
#include "runtime/forms/Control.h"

namespace ctl {

class ListView : public rt::BasicControl<ListView> {
public:
    ListView();
    ~ListView() override;

    short View() const { return 0; }
    // 0 (icon view) only; other values raise 380.
    ListView& View(short view);
    ImageList* Icons() const { return m_icons; }
    ListView& Icons(ImageList* icons);

    int AddItem(const std::wstring& key, const std::wstring& text, const std::wstring& iconKey);
    void ClearItems();
    int ItemCount() const;
    std::wstring ItemText(int index) const;
    std::wstring ItemIcon(int index) const;
    int SelectedIndex() const;
    void Refresh() override;
    // See ListViewWindow::HoldDrawing.
    void HoldDrawing(bool hold);

    ListViewWindow* Window() const { return m_window.get(); }

    std::function<void()> Click;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    void Destroyed() override;

private:
    ListViewWindow& Loaded() const;

    std::unique_ptr<ListViewWindow> m_window;
    ImageList* m_icons = nullptr;
};

}  // namespace ctl
