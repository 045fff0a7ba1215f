#pragma once
// A control that is itself a container (frame, picture box): a child window holding other
// controls. It creates its controls when its own window is created, forgets them when it
// goes, and paints its content and then its windowless controls.
#include <windows.h>

#include <optional>

#include "runtime/forms/Control.h"
#include "runtime/forms/ControlContainer.h"

namespace rt {

template <class Self>
class ControlContainerWindow : public BasicControl<Self>, public ControlContainer {
public:
    Form* OwningForm() override { return this->ParentForm(); }
    HWND ContainerWindow() const override { return this->hWnd(); }
    FontRef ContainerFont() override { return this->Font(); }
    bool ContainerEnabled() const override { return this->Enabled(); }

protected:
    bool TakesFocus() const override { return false; }
    void Created() override {
        ContainerCreated();
        CreateControls();
    }
    void Destroyed() override { ControlsDestroyed(); }
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (auto handled = ContainerMessage(this->hWnd(), msg, wParam, lParam)) return handled;
        switch (msg) {
            case WM_DESTROY:
                ContainerDestroyed();  // while the window still exists
                return std::nullopt;
            case WM_ERASEBKGND: return 1;  // the paint covers everything
            case WM_PAINT:
                PaintBuffered(this->hWnd(), [this](HDC dc, const RECT& client) { PaintContent(dc, client); });
                AfterPaint();
                return 0;
            default: return OwnMessage(msg, wParam, lParam);
        }
    }

    // Hooks for the concrete container: its window was created / is being destroyed.
    virtual void ContainerCreated() {}
    virtual void ContainerDestroyed() {}
    virtual void PaintContent(HDC dc, const RECT& client) = 0;
    virtual void AfterPaint() {}
    virtual std::optional<LRESULT> OwnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }
};

}  // namespace rt
