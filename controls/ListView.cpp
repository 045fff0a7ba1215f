#include "controls/ListView.h"

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

ListView::ListView() { InitColors(rt::kWindowBackground, rt::kWindowText); }
ListView::~ListView() {
    // Emptied before the window object goes: its window's end calls Destroyed, which must
    // find nothing left to delete.
    m_window.reset();
}

ListView& ListView::View(short view) {
    if (view != 0) rt::Raise(err::kInvalidPropertyValue);
    return *this;
}

ListView& ListView::Icons(ImageList* icons) {
    m_icons = icons;
    if (m_window) m_window->SetIcons(icons);
    return *this;
}

ListViewWindow& ListView::Loaded() const {
    if (!m_window) rt::Raise(rt::err::kObjectNotSet);
    return *m_window;
}

int ListView::AddItem(const std::wstring& key, const std::wstring& text, const std::wstring& iconKey) {
    return Loaded().AddItem(key, text, iconKey);
}

void ListView::ClearItems() { Loaded().ClearItems(); }
int ListView::ItemCount() const { return m_window ? m_window->ItemCount() : 0; }
std::wstring ListView::ItemText(int index) const { return Loaded().ItemText(index); }
std::wstring ListView::ItemIcon(int index) const { return Loaded().ItemIcon(index); }
int ListView::SelectedIndex() const { return m_window ? m_window->SelectedIndex() : 0; }

void ListView::Refresh() {
    if (m_window) m_window->Refresh();
}

void ListView::HoldDrawing(bool hold) {
    if (m_window) m_window->HoldDrawing(hold);
}

HWND ListView::CreateHwnd(HWND parent, const RECT& pixels, int id) {
    m_window = std::make_unique<ListViewWindow>(parent, pixels, id);
    return m_window->hwnd();
}

void ListView::Created() {
    m_window->SetIcons(m_icons);
    m_window->Click = [this] { Raise(Click); };
}

void ListView::Destroyed() { m_window.reset(); }

}  // namespace ctl
