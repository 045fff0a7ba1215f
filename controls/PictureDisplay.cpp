#include "controls/PictureDisplay.h"

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

PictureDisplay::PictureDisplay() { InitColors(rt::kButtonFace, rt::kButtonText); }

PictureDisplay::~PictureDisplay() {
    // Emptied before the window object goes: its window's end calls Destroyed, which must
    // find nothing left to delete.
    m_window.reset();
}

PictureDisplay& PictureDisplay::Picture(rt::PictureRef picture) {
    m_picture = std::move(picture);
    if (m_window) m_window->SetPicture(m_picture);
    return *this;
}

PictureDisplay& PictureDisplay::PictureSizeMode(short mode) {
    if (mode != static_cast<short>(ctl::PictureSizeMode::Clip) &&
        mode != static_cast<short>(ctl::PictureSizeMode::Zoom)) {
        rt::Raise(err::kInvalidPropertyValue);
    }
    m_mode = mode;
    if (m_window) m_window->SetPictureSizeMode(mode);
    return *this;
}

HWND PictureDisplay::CreateHwnd(HWND parent, const RECT& pixels, int id) {
    m_window = std::make_unique<PictureDisplayWindow>(parent, pixels, id);
    return m_window->hwnd();
}

void PictureDisplay::Created() {
    m_window->SetBackColor(BackColor());
    m_window->SetPictureSizeMode(m_mode);
    m_window->SetPicture(m_picture);
}

void PictureDisplay::Destroyed() { m_window.reset(); }

void PictureDisplay::AppearanceChanged() {
    if (m_window) m_window->SetBackColor(BackColor());
    rt::BasicControl<PictureDisplay>::AppearanceChanged();
}

}  // namespace ctl
