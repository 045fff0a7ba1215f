#include "runtime/forms/FormMenu.h"

#include "runtime/forms/Form.h"

namespace rt {

namespace {
constexpr wchar_t kSeparator[] = L"-";
}

void MenuItem::Define(Form& form, std::wstring name, std::wstring caption) {
    m_form = &form;
    m_name = std::move(name);
    m_caption = std::move(caption);
}

MenuItem& MenuItem::Add(MenuItem& child, std::wstring name, std::wstring caption) {
    child.Define(*m_form, std::move(name), std::move(caption));
    m_items.push_back(&child);
    return *this;
}

MenuItem& MenuItem::Caption(std::wstring caption) {
    m_caption = std::move(caption);
    Update();
    return *this;
}

MenuItem& MenuItem::Enabled(bool enabled) {
    m_enabled = enabled;
    Update();
    return *this;
}

MenuItem& MenuItem::Checked(bool checked) {
    m_checked = checked;
    Update();
    return *this;
}

void MenuItem::Build(HMENU menu, UINT& nextId) {
    m_menu = menu;
    m_id = nextId++;
    UINT flags = MF_STRING;
    UINT_PTR idOrPopup = m_id;
    if (m_caption == kSeparator) {
        flags = MF_SEPARATOR;
    } else if (!m_items.empty()) {
        HMENU popup = CreatePopupMenu();
        for (MenuItem* child : m_items) child->Build(popup, nextId);
        flags = MF_POPUP;
        idOrPopup = reinterpret_cast<UINT_PTR>(popup);
    }
    if (!m_enabled) flags |= MF_GRAYED;
    if (m_checked) flags |= MF_CHECKED;
    AppendMenuW(menu, flags, idOrPopup, m_caption.c_str());
    if (!m_items.empty()) {
        // Popup items are found by position; keep the id for FindById through item data.
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID;
        info.wID = m_id;
        SetMenuItemInfoW(menu, GetMenuItemCount(menu) - 1, TRUE, &info);
    }
}

MenuItem* MenuItem::FindById(UINT id) {
    if (m_id == id && m_items.empty()) return this;
    for (MenuItem* child : m_items)
        if (MenuItem* found = child->FindById(id)) return found;
    return nullptr;
}

void MenuItem::Forget() {
    m_menu = nullptr;
    m_id = 0;
    for (MenuItem* child : m_items) child->Forget();
}

void MenuItem::Update() {
    if (!m_menu) return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = const_cast<wchar_t*>(m_caption.c_str());
    info.fState = (m_enabled ? MFS_ENABLED : MFS_DISABLED) | (m_checked ? MFS_CHECKED : MFS_UNCHECKED);
    SetMenuItemInfoW(m_menu, m_id, FALSE, &info);
    if (m_form && m_form->hWnd() && GetMenu(m_form->hWnd()) == m_menu) DrawMenuBar(m_form->hWnd());
}

}  // namespace rt
