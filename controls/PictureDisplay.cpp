#include "controls/PictureDisplay.h"

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
constexpr wchar_t kCannotShow[] = L"无法显示此文件";
}  // namespace

PictureDisplay::PictureDisplay() { InitColors(rt::kButtonFace, rt::kButtonText); }

PictureDisplay::~PictureDisplay() {
    // Emptied before the window object goes: its window's end calls Destroyed, which must
    // find nothing left to delete.
    m_window.reset();
}

PictureDisplay& PictureDisplay::Picture(rt::PictureRef picture) {
    m_picture = std::move(picture);
    m_notice.clear();
    if (m_window) m_window->SetPicture(m_picture);
    return *this;
}

PictureDisplay& PictureDisplay::Notice(std::wstring text) {
    m_picture = nullptr;
    m_notice = std::move(text);
    if (m_window) m_window->SetNotice(m_notice);
    return *this;
}

bool PictureDisplay::ShowLoaded(const std::function<rt::PictureRef()>& load) {
    if (rt::TryStatement([&] { Picture(load()); }) == 0) return true;
    Notice(kCannotShow);
    return false;
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
    m_window->SetForeColor(ForeColor());
    m_window->SetPictureSizeMode(m_mode);
    if (m_notice.empty()) m_window->SetPicture(m_picture);
    else m_window->SetNotice(m_notice);
}

void PictureDisplay::Destroyed() { m_window.reset(); }

void PictureDisplay::AppearanceChanged() {
    if (m_window) {
        m_window->SetBackColor(BackColor());
        m_window->SetForeColor(ForeColor());
    }
    rt::BasicControl<PictureDisplay>::AppearanceChanged();
}

}  // namespace ctl
