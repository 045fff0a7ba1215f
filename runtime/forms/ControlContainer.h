#pragma once
// Something that holds controls: a form, a frame or a picture box. Its definition places the
// controls (Place); when its window exists it creates theirs, in tab order, draws the
// windowless ones over its own background, and hands the messages its window receives about
// a control (commands, notifications, colours, owner drawing, scrolling, timers, mouse input
// over windowless controls) back to that control.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/forms/Control.h"
#include "runtime/gdi/StdFont.h"

namespace rt {

class Form;

class ControlContainer {
public:
    virtual ~ControlContainer();

    // Places a control here with its designer name and its geometry in twips (left, top,
    // width, height within this container's inner area). Returns the control, so that the
    // definition can go on with its properties.
    template <class C>
    C& Place(C& control, std::wstring name, double left, double top, double width, double height) {
        control.SetBounds(left, top, width, height);
        Adopt(control, std::move(name));
        return control;
    }
    // Places a control that has no extent of its own (a timer).
    template <class C>
    C& Place(C& control, std::wstring name) {
        Adopt(control, std::move(name));
        return control;
    }

    // The controls placed here, in order of placement.
    const std::vector<Control*>& Controls() const { return m_controls; }

    // The form this container belongs to (itself for a form).
    virtual Form* OwningForm() = 0;
    // The window the controls are children of; nullptr before the form loads.
    virtual HWND ContainerWindow() const = 0;
    // The font that a placed control without a font of its own copies.
    virtual FontRef ContainerFont() = 0;
    // Whether the controls inside take input (a disabled frame disables what it holds).
    virtual bool ContainerEnabled() const { return true; }

protected:
    ControlContainer() = default;
    ControlContainer(const ControlContainer&) = delete;
    ControlContainer& operator=(const ControlContainer&) = delete;

    // Creates the windows of the placed controls; call once the container's window exists.
    void CreateControls();
    // The container's window has been destroyed: the controls forget theirs.
    void ControlsDestroyed();
    // Handles the messages of the container's window that concern its controls.
    std::optional<LRESULT> ContainerMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Draws the visible windowless controls, in order of placement (later ones on top).
    void PaintWindowlessControls(HDC dc);
    // The visible windowless control under a point (client pixels), topmost first.
    Control* WindowlessAt(POINT pixels) const;

    // Paints a container window through an off-screen bitmap (no flicker under pulsing
    // labels): paint draws the whole client area, then the windowless controls go on top.
    void PaintBuffered(HWND hwnd, const std::function<void(HDC dc, const RECT& client)>& paint);

    // A plain child window for a frame or picture box (class "LumescaContainer"); all its
    // handling happens in the owning control's OnMessage.
    static HWND CreateContainerWindow(HWND parent, const RECT& pixels, int id, DWORD style, DWORD exStyle);

private:
    friend class Control;
    void Adopt(Control& control, std::wstring name);
    void ApplyTabOrder();
    void TabIndexChanged(Control& control, int newIndex);
    std::optional<LRESULT> WindowlessMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    bool WindowlessCursor(HWND hwnd);

    std::vector<Control*> m_controls;
    Control* m_pressed = nullptr;
    int m_nextId = kFirstControlId;
    static constexpr int kFirstControlId = 1000;
};

}  // namespace rt
