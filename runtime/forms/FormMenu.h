#pragma once
// A menu item of a form's menu bar, declared as a member of the form and defined with the
// form: Menu(dsfsd, L"dsfsd", L"文件").Add(d111, L"d111", L"Mirovast缤纷界面"). An item with
// sub-items opens a submenu; an item without opens none and raises Click when chosen.
// A caption of "-" makes a separator.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace rt {

class Form;

class MenuItem {
public:
    MenuItem() = default;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // Adds a sub-item; returns this item so that siblings can follow.
    MenuItem& Add(MenuItem& child, std::wstring name, std::wstring caption);

    const std::wstring& Name() const { return m_name; }
    const std::wstring& Caption() const { return m_caption; }
    MenuItem& Caption(std::wstring caption);
    bool Enabled() const { return m_enabled; }
    MenuItem& Enabled(bool enabled);
    bool Checked() const { return m_checked; }
    MenuItem& Checked(bool checked);
    const std::vector<MenuItem*>& Items() const { return m_items; }

    // The command id the item's WM_COMMAND carries (0 until the menu is built).
    UINT CommandId() const { return m_id; }

    std::function<void()> Click;

private:
    friend class Form;
    void Define(Form& form, std::wstring name, std::wstring caption);
    // Appends this item to menu; gives command ids from nextId on.
    void Build(HMENU menu, UINT& nextId);
    MenuItem* FindById(UINT id);
    void Forget();
    void Update();

    Form* m_form = nullptr;
    std::wstring m_name;
    std::wstring m_caption;
    bool m_enabled = true;
    bool m_checked = false;
    std::vector<MenuItem*> m_items;
    HMENU m_menu = nullptr;  // the menu this item sits in, once built
    UINT m_id = 0;
};

}  // namespace rt
