#include "controls/PictureDisplayWindow.h"

#include <new>

#include "controls/ControlErrors.h"
#include "controls/PictureScaling.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
constexpr wchar_t kClassName[] = L"LumescaPictureDisplay";
}  // namespace

PictureDisplayWindow::PictureDisplayWindow(HWND parent, const RECT& rect, int id) {
    CreateChild(kClassName, 0, parent, rect, id, WS_VISIBLE | WS_CLIPSIBLINGS);
}

void PictureDisplayWindow::SetPicture(rt::PictureRef picture) {
    // The zoomed copy would hold the old picture alive until the next paint.
    m_scaledOf.reset();
    m_scaled.clear();
    m_scaled.shrink_to_fit();
    m_picture = std::move(picture);
    m_notice.clear();
    Redraw();
}

void PictureDisplayWindow::SetNotice(std::wstring text) {
    SetPicture(nullptr);
    m_notice = std::move(text);
}

void PictureDisplayWindow::SetPictureSizeMode(short mode) {
    if (mode != static_cast<short>(ctl::PictureSizeMode::Clip) &&
        mode != static_cast<short>(ctl::PictureSizeMode::Zoom)) {
        rt::Raise(err::kInvalidPropertyValue);
    }
    m_mode = static_cast<ctl::PictureSizeMode>(mode);
    Redraw();
}

void PictureDisplayWindow::SetBackColor(OleColor color) {
    m_backColor = color;
    Redraw();
}

void PictureDisplayWindow::SetForeColor(OleColor color) {
    m_foreColor = color;
    Redraw();
}

RECT PictureDisplayWindow::PictureRect() const {
    if (!m_picture || !hwnd()) return RECT{};
    RECT client;
    GetClientRect(hwnd(), &client);
    if (m_mode == ctl::PictureSizeMode::Zoom)
        return ZoomRect(m_picture->PixelWidth(), m_picture->PixelHeight(), client);
    return RECT{0, 0, m_picture->PixelWidth(), m_picture->PixelHeight()};
}

void PictureDisplayWindow::Redraw() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT PictureDisplayWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintClient(nullptr); return 0;
    case WM_PRINTCLIENT: PaintClient(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Redraw(); return 0;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) Redraw();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(m_font);
    default: return ControlWindow::HandleMessage(message, wParam, lParam);
    }
}

const std::vector<uint32_t>& PictureDisplayWindow::Zoomed(int width, int height) {
    if (m_scaledOf != m_picture || m_scaledWidth != width || m_scaledHeight != height) {
        try {
            m_scaled = ScaledPixels(*m_picture, width, height);
        } catch (const rt::OutOfMemoryError&) {
            // Too large to scale in the memory left: the display shows its back colour only.
            m_scaled.clear();
        } catch (const std::bad_alloc&) {
            m_scaled.clear();
        }
        m_scaledOf = m_picture;
        m_scaledWidth = width;
        m_scaledHeight = height;
    }
    return m_scaled;
}

void PictureDisplayWindow::Draw(HDC dc, const RECT& client) {
    rt::Brush back(CreateSolidBrush(TranslateOleColor(m_backColor)));
    FillRect(dc, &client, back.get());
    if (!m_picture) {
        if (m_notice.empty()) return;
        rt::SelectGuard font(dc, m_font ? m_font : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, TranslateOleColor(m_foreColor));
        RECT area = client;
        DrawTextW(dc, m_notice.c_str(), static_cast<int>(m_notice.size()), &area,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        return;
    }
    const RECT where = PictureRect();
    if (m_mode == ctl::PictureSizeMode::Zoom) {
        DrawPixels(dc, Zoomed(RectWidth(where), RectHeight(where)), RectWidth(where), RectHeight(where), where.left,
                   where.top);
    } else {
        m_picture->Render(dc, where.left, where.top, RectWidth(where), RectHeight(where));
    }
}

}  // namespace ctl
