#pragma once
// The picture display as a control of a form: Picture and PictureSizeMode (0 clip, 3 zoom) are
// kept before the form loads and shown by PictureDisplayWindow once it is made. The area
// around a zoomed picture shows BackColor.
#include <windows.h>

#include <memory>

#include "controls/PictureDisplayWindow.h"
#include "runtime/Control.h"

namespace ctl {

class PictureDisplay : public rt::BasicControl<PictureDisplay> {
public:
    PictureDisplay();
    ~PictureDisplay() override;

    const rt::PictureRef& Picture() const { return m_picture; }
    PictureDisplay& Picture(rt::PictureRef picture);
    short PictureSizeMode() const { return m_mode; }
    // 0 or 3; other values raise 380.
    PictureDisplay& PictureSizeMode(short mode);

    PictureDisplayWindow* Window() const { return m_window.get(); }

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    void Destroyed() override;
    void AppearanceChanged() override;
    bool TakesFocus() const override { return false; }

private:
    std::unique_ptr<PictureDisplayWindow> m_window;
    rt::PictureRef m_picture;
    short m_mode = static_cast<short>(ctl::PictureSizeMode::Clip);
};

}  // namespace ctl
