#pragma once
// IMenuBarButtons: what the popup tracker (cToolbarMenu) asks of its menu bar. Buttons are
// numbered 1..Count as the bar numbers them, 0 = no button. The bar (cMenuBar) implements it
// and owns its tracker; the tracker knows the bar only through this interface, so the two
// classes do not depend on each other.
#include <windows.h>

class IMenuBarButtons {
public:
    // Number of buttons.
    virtual long Count() const = 0;
    // The submenu of button i; 0 outside 1..Count.
    virtual HMENU hSubMenu(long i) const = 0;
    // state true: i shows pressed; false: releases i when it is the pressed one.
    virtual void PressButton(long i, bool state) = 0;
    // Button i's rectangle in screen coordinates; rc is left untouched outside 1..Count.
    virtual void GetButtonRect(long i, RECT& rc) const = 0;
    // Makes i the hot button (-1: none).
    virtual void HotIndex(long i) = 0;
    // The button under pt (screen coordinates, turned into the bar window's client
    // coordinates in place), else 0.
    virtual long HitTest(POINT& pt) const = 0;

protected:
    IMenuBarButtons() = default;
    IMenuBarButtons(const IMenuBarButtons&) = default;
    IMenuBarButtons& operator=(const IMenuBarButtons&) = default;
    ~IMenuBarButtons() = default;
};
