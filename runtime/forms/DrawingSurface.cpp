#include "runtime/forms/DrawingSurface.h"

#include <olectl.h>

#include <algorithm>
#include <cmath>

#include "runtime/gdi/Screen.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

DrawingSurface::DrawingSurface()
    : m_backColor(kButtonFace), m_foreColor(kButtonText), m_font(std::make_shared<StdFont>()) {}

DrawingSurface::~DrawingSurface() {
    Detach();
    ReleaseImage();
}

void DrawingSurface::Attach(HWND hwnd) {
    if (hwnd != m_hwnd) {
        ReleaseWindowDC();
        m_hwnd = hwnd;
    }
    RECT client = {};
    if (m_hwnd && GetClientRect(m_hwnd, &client)) Resize(client.right, client.bottom);
}

void DrawingSurface::Detach() {
    ReleaseWindowDC();
    m_hwnd = nullptr;
}

void DrawingSurface::Resize(int widthPixels, int heightPixels) {
    m_width = std::max(0, widthPixels);
    m_height = std::max(0, heightPixels);
    if (m_persistent) EnsureImage(m_width, m_height);
}

void DrawingSurface::SetAutoRedraw(bool persistent) {
    if (persistent == m_persistent) return;
    if (persistent) {
        ReleaseWindowDC();
        m_persistent = true;
        EnsureImage(m_width, m_height);
        Changed();
    } else {
        ReleaseImage();
        m_persistent = false;
        if (m_hwnd) InvalidateRect(m_hwnd, nullptr, TRUE);
    }
}

void DrawingSurface::SetBackColor(OLE_COLOR color) {
    m_backColor = color;
    if (m_persistent) {
        ClearDrawing();
        Changed();
    } else if (m_hwnd) {
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }
}

void DrawingSurface::SetForeColor(OLE_COLOR color) { m_foreColor = color; }

void DrawingSurface::SetFont(FontRef font) {
    if (!font) Raise(err::kInvalidPropertyValue);
    m_font = std::move(font);
}

void DrawingSurface::SetScaleMode(ScaleMode mode) {
    const int x = ToPixelsX(m_currentX);
    const int y = ToPixelsY(m_currentY);
    m_scaleMode = mode;
    m_currentX = FromPixelsX(x);
    m_currentY = FromPixelsY(y);
}

int DrawingSurface::ToPixelsX(double units) const {
    return m_scaleMode == ScaleMode::Pixels ? Round(units) : Round(units / Screen::TwipsPerPixelX());
}

int DrawingSurface::ToPixelsY(double units) const {
    return m_scaleMode == ScaleMode::Pixels ? Round(units) : Round(units / Screen::TwipsPerPixelY());
}

double DrawingSurface::FromPixelsX(int pixels) const {
    return m_scaleMode == ScaleMode::Pixels ? pixels : PixelsToTwipsX(pixels);
}

double DrawingSurface::FromPixelsY(int pixels) const {
    return m_scaleMode == ScaleMode::Pixels ? pixels : PixelsToTwipsY(pixels);
}

void DrawingSurface::Print(const std::wstring& text) {
    HDC dc = hDC();
    size_t start = 0;
    while (true) {
        const size_t end = text.find_first_of(L"\r\n", start);
        const std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        int lineHeight = 0;
        if (dc) {
            const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
            TextOutW(dc, ToPixelsX(m_currentX), ToPixelsY(m_currentY), line.c_str(), static_cast<int>(line.size()));
            SetTextAlign(dc, oldAlign);
            TEXTMETRICW metrics = {};
            GetTextMetricsW(dc, &metrics);
            lineHeight = metrics.tmHeight;
        }
        m_currentX = 0;
        m_currentY += FromPixelsY(lineHeight);
        if (end == std::wstring::npos) break;
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
        if (start >= text.size()) break;
    }
    Changed();
}

void DrawingSurface::Cls() {
    m_currentX = 0;
    m_currentY = 0;
    if (m_persistent) {
        ClearDrawing();
        Changed();
    } else if (m_hwnd) {
        WindowDC dc(m_hwnd);
        PaintBackground(dc.get(), RECT{0, 0, m_width, m_height});
    }
}

void DrawingSurface::Line(double x1, double y1, double x2, double y2, OLE_COLOR color) {
    const int px1 = ToPixelsX(x1), py1 = ToPixelsY(y1);
    const int px2 = ToPixelsX(x2), py2 = ToPixelsY(y2);
    const RECT box = {std::min(px1, px2), std::min(py1, py2), std::max(px1, px2) + 1, std::max(py1, py2) + 1};
    if (HDC dc = hDC()) {
        Brush brush(CreateSolidBrush(TranslateOleColor(color)));
        FillRect(dc, &box, brush.get());
    }
    m_currentX = x2;
    m_currentY = y2;
    Changed(&box);
}

void DrawingSurface::SetPicture(PictureRef picture) {
    m_picture = std::move(picture);
    if (m_persistent) {
        ClearDrawing();
        Changed();
    } else if (m_hwnd) {
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }
}

PictureRef DrawingSurface::Image() const {
    if (m_width <= 0 || m_height <= 0) return nullptr;
    WindowDC screen(nullptr);
    Bitmap copy(CreateCompatibleBitmap(screen.get(), m_width, m_height));
    if (!copy) Raise(err::kOutOfMemory);
    {
        MemoryDC dc(screen.get());
        SelectGuard select(dc.get(), copy.get());
        if (m_persistent && m_imageDC) {
            BitBlt(dc.get(), 0, 0, m_width, m_height, m_imageDC->get(), 0, 0, SRCCOPY);
        } else {
            PaintBackground(dc.get(), RECT{0, 0, m_width, m_height});
        }
    }
    return StdPicture::FromBitmap(copy.release());
}

HDC DrawingSurface::hDC() {
    HDC dc = DrawingDC();
    SyncDC(dc);
    return dc;
}

void DrawingSurface::Refresh() {
    if (!m_hwnd) return;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    UpdateWindow(m_hwnd);
}

void DrawingSurface::Paint(HDC target, const RECT& update) {
    if (m_persistent) {
        // A paint that arrives before the size does still finds an image as large as it needs.
        EnsureImage(update.right, update.bottom);
        BitBlt(target, update.left, update.top, update.right - update.left, update.bottom - update.top,
               m_imageDC->get(), update.left, update.top, SRCCOPY);
    } else {
        PaintBackground(target, update);
    }
}

HDC DrawingSurface::DrawingDC() {
    if (m_persistent) {
        EnsureImage(m_width, m_height);
        return m_imageDC->get();
    }
    if (!m_hwnd) return nullptr;
    if (!m_windowDC) m_windowDC = GetDC(m_hwnd);
    return m_windowDC;
}

void DrawingSurface::SyncDC(HDC dc) {
    if (!dc) return;
    if (m_fontDC != dc || m_fontSource != m_font.get() || m_fontRevision != m_font->Revision()) {
        rt::Font created = CreateGdiFont(*m_font, dc);
        if (m_fontDC && m_fontDC != dc) UnselectFont();
        HGDIOBJ previous = SelectObject(dc, created.get());
        if (!m_fontDC) m_originalFont = previous;
        // The font replaced above is no longer selected anywhere, so it can go.
        m_gdiFont = std::move(created);
        m_fontDC = dc;
        m_fontSource = m_font.get();
        m_fontRevision = m_font->Revision();
    }
    if (m_syncedColorDC != dc || m_syncedForeColor != m_foreColor) {
        SetTextColor(dc, TranslateOleColor(m_foreColor));
        SetBkMode(dc, TRANSPARENT);
        m_syncedColorDC = dc;
        m_syncedForeColor = m_foreColor;
    }
}

void DrawingSurface::UnselectFont() {
    if (m_fontDC && m_originalFont) SelectObject(m_fontDC, m_originalFont);
    m_gdiFont.reset();
    m_fontDC = nullptr;
    m_originalFont = nullptr;
    m_fontSource = nullptr;
}

void DrawingSurface::PaintBackground(HDC dc, const RECT& area) const {
    Brush back(CreateSolidBrush(TranslateOleColor(m_backColor)));
    FillRect(dc, &area, back.get());
    if (m_picture) m_picture->Render(dc, 0, 0);
}

void DrawingSurface::ClearDrawing() {
    if (!m_imageDC) return;
    PaintBackground(m_imageDC->get(), RECT{0, 0, m_imageWidth, m_imageHeight});
}

void DrawingSurface::EnsureImage(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (m_imageDC && width <= m_imageWidth && height <= m_imageHeight) return;
    const int newWidth = std::max(width, m_imageWidth);
    const int newHeight = std::max(height, m_imageHeight);
    WindowDC screen(nullptr);
    Bitmap grown(CreateCompatibleBitmap(screen.get(), newWidth, newHeight));
    if (!grown) Raise(err::kOutOfMemory);
    {
        MemoryDC fill(screen.get());
        SelectGuard select(fill.get(), grown.get());
        PaintBackground(fill.get(), RECT{0, 0, newWidth, newHeight});
        if (m_imageDC) BitBlt(fill.get(), 0, 0, m_imageWidth, m_imageHeight, m_imageDC->get(), 0, 0, SRCCOPY);
    }
    if (!m_imageDC) {
        m_imageDC = std::make_unique<MemoryDC>(screen.get());
        m_imageOriginalBitmap = SelectObject(m_imageDC->get(), grown.get());
    } else {
        SelectObject(m_imageDC->get(), grown.get());  // the old image is out of the DC now
    }
    m_image = std::move(grown);
    m_imageWidth = newWidth;
    m_imageHeight = newHeight;
}

void DrawingSurface::ReleaseImage() {
    if (!m_imageDC) return;
    if (m_fontDC == m_imageDC->get()) UnselectFont();
    if (m_syncedColorDC == m_imageDC->get()) m_syncedColorDC = nullptr;
    SelectObject(m_imageDC->get(), m_imageOriginalBitmap);
    m_image.reset();
    m_imageDC.reset();
    m_imageOriginalBitmap = nullptr;
    m_imageWidth = 0;
    m_imageHeight = 0;
}

void DrawingSurface::ReleaseWindowDC() {
    if (!m_windowDC) return;
    if (m_fontDC == m_windowDC) UnselectFont();
    if (m_syncedColorDC == m_windowDC) m_syncedColorDC = nullptr;
    ReleaseDC(m_hwnd, m_windowDC);
    m_windowDC = nullptr;
}

void DrawingSurface::Changed(const RECT* area) {
    // Persistent drawing reaches the screen at the window's next paint, as the form runtime
    // does it; drawing without a kept image is on the screen already.
    if (m_persistent && m_hwnd) InvalidateRect(m_hwnd, area, FALSE);
}

}  // namespace rt
