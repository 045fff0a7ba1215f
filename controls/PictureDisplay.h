#pragma once
// The picture display as a control of a form: Picture and PictureSizeMode (0 clip, 3 zoom) are
// kept before the form loads and shown by PictureDisplayWindow once it is made. The area
// around a zoomed picture shows BackColor.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/PictureDisplayWindow.h"
#include "runtime/forms/Control.h"

namespace ctl {

class PictureDisplay : public rt::BasicControl<PictureDisplay> {
public:
    PictureDisplay();
    ~PictureDisplay() override;

    const rt::PictureRef& Picture() const { return m_picture; }
    PictureDisplay& Picture(rt::PictureRef picture);
    // No picture, and the text in the middle of the display in its place (a file that could not
    // be shown says so where its picture would be); the next picture replaces it.
    PictureDisplay& Notice(std::wstring text);
    // The picture that load gives. When load fails (it raises the program's error or runs out
    // of memory) the display empties and says in its middle that the file cannot be shown, in
    // place of a message box per file. False then.
    bool ShowLoaded(const std::function<rt::PictureRef()>& load);
    const std::wstring& Notice() const { return m_notice; }
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
    std::wstring m_notice;
    short m_mode = static_cast<short>(ctl::PictureSizeMode::Clip);
};

}  // namespace ctl
