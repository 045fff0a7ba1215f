#include "controls/PictureScaling.h"

#include <algorithm>
#include <cmath>

#include "controls/Resample.h"
#include "runtime/gdi/Dib.h"
#include "runtime/gdi/Gdi.h"

namespace ctl {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

// A 32-bit top-down DIB section with a memory DC it is selected into.
class DibSurface {
public:
    DibSurface(int width, int height) : m_dc(nullptr), m_width(width), m_height(height) {
        m_bitmap = rt::CreateTopDownDib(width, height, reinterpret_cast<void**>(&m_bits));
        m_previous = SelectObject(m_dc.get(), m_bitmap.get());
    }
    ~DibSurface() { SelectObject(m_dc.get(), m_previous); }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC dc() const { return m_dc.get(); }
    bool Valid() const { return m_bits != nullptr; }
    uint32_t* Bits() const { return m_bits; }
    void Fill(uint32_t value) { std::fill(m_bits, m_bits + Count(), value); }
    size_t Count() const { return static_cast<size_t>(m_width) * static_cast<size_t>(m_height); }

private:
    rt::MemoryDC m_dc;
    rt::Bitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
    int m_width;
    int m_height;
};

// Draws an icon at its own size on black: its see-through parts stay black.
void RenderOnBlack(const rt::StdPicture& picture, DibSurface& surface) {
    surface.Fill(0);
    picture.Render(surface.dc(), 0, 0, picture.PixelWidth(), picture.PixelHeight());
    GdiFlush();
}

// An icon at its own size as 0xAARRGGBB, drawn once on black and once on white: the difference
// between the two gives each pixel's coverage, whatever the icon's format.
std::vector<uint32_t> IconPixels(const rt::StdPicture& picture, const DibSurface& onBlack) {
    const int w = picture.PixelWidth();
    const int h = picture.PixelHeight();
    std::vector<uint32_t> pixels(onBlack.Bits(), onBlack.Bits() + onBlack.Count());
    DibSurface onWhite(w, h);
    if (!onWhite.Valid()) return pixels;
    onWhite.Fill(0x00FFFFFFu);
    picture.Render(onWhite.dc(), 0, 0, w, h);
    GdiFlush();
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t b = pixels[i];
        const uint32_t wt = onWhite.Bits()[i];
        const int alpha =
            255 - std::clamp(static_cast<int>((wt >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF), 0, 255);
        uint32_t out = static_cast<uint32_t>(alpha) << 24;
        if (alpha > 0) {
            // On black the drawn colour is premultiplied; undo that.
            for (int shift = 0; shift <= 16; shift += 8) {
                const int c = static_cast<int>((b >> shift) & 0xFF);
                out |= static_cast<uint32_t>(std::min(255, c * 255 / alpha)) << shift;
            }
        }
        pixels[i] = out;
    }
    return pixels;
}

// The rows of a bitmap picture as 0xAARRGGBB in straight colours, read from the bitmap a band
// at a time, so that scaling a large picture never copies it whole. Opaque unless the picture
// has alpha.
class BitmapRows {
public:
    explicit BitmapRows(const rt::StdPicture& picture)
        : m_bitmap(picture.Bitmap()), m_width(picture.PixelWidth()), m_height(picture.PixelHeight()),
          m_alpha(picture.HasAlpha()), m_bandRows(std::max(1, kBandBytes / (m_width * 4))) {}

    const uint32_t* Row(int y) {
        if (y < m_first || y >= m_first + m_count) ReadBand(y);
        // A bottom-up band: its last row is the first one asked for.
        return m_band.data() + static_cast<size_t>(m_first + m_count - 1 - y) * m_width;
    }

private:
    static constexpr int kBandBytes = 1 << 20;

    void ReadBand(int y) {
        m_first = y;
        m_count = std::min(m_bandRows, m_height - y);
        m_band.assign(static_cast<size_t>(m_width) * m_count, 0);
        BITMAPINFO info = rt::TopDownDibInfo(m_width, m_height);
        info.bmiHeader.biHeight = m_height;  // bottom-up: scan lines count from the bottom row
        rt::MemoryDC dc(nullptr);
        GetDIBits(dc.get(), m_bitmap, static_cast<UINT>(m_height - y - m_count), static_cast<UINT>(m_count),
                  m_band.data(), &info, DIB_RGB_COLORS);
        if (m_alpha) std::transform(m_band.begin(), m_band.end(), m_band.begin(), rt::Straight);
        else std::for_each(m_band.begin(), m_band.end(), [](uint32_t& p) { p |= kOpaque; });
    }

    HBITMAP m_bitmap;
    int m_width, m_height;
    bool m_alpha;
    int m_bandRows;
    int m_first = 0, m_count = 0;
    std::vector<uint32_t> m_band;
};

bool IsMetafile(const rt::StdPicture& picture) {
    return picture.Type() == rt::PictureType::Metafile || picture.Type() == rt::PictureType::EnhMetafile;
}

}  // namespace

RECT ZoomRect(int pictureWidth, int pictureHeight, const RECT& box) {
    const int boxW = box.right - box.left;
    const int boxH = box.bottom - box.top;
    const LONG cx = box.left + boxW / 2;
    const LONG cy = box.top + boxH / 2;
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxW <= 0 || boxH <= 0) return RECT{cx, cy, cx, cy};
    // Whichever side limits the scale fills the box exactly; the other is rounded.
    int w = boxW;
    int h = boxH;
    if (static_cast<long long>(pictureWidth) * boxH > static_cast<long long>(pictureHeight) * boxW) {
        h = std::max(1, static_cast<int>(std::lround(static_cast<double>(pictureHeight) * boxW / pictureWidth)));
    } else {
        w = std::max(1, static_cast<int>(std::lround(static_cast<double>(pictureWidth) * boxH / pictureHeight)));
    }
    const LONG left = box.left + (boxW - w) / 2;
    const LONG top = box.top + (boxH - h) / 2;
    return RECT{left, top, left + w, top + h};
}

std::vector<uint32_t> ScaledPixels(const rt::StdPicture& picture, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    if (IsMetafile(picture)) {
        // Metafiles draw themselves at any size; drawn on white they are opaque.
        DibSurface surface(width, height);
        if (!surface.Valid()) return {};
        surface.Fill(0x00FFFFFFu);
        picture.Render(surface.dc(), 0, 0, width, height);
        GdiFlush();
        std::vector<uint32_t> pixels(surface.Bits(), surface.Bits() + surface.Count());
        for (auto& p : pixels) p |= kOpaque;
        return pixels;
    }
    const int w = picture.PixelWidth();
    const int h = picture.PixelHeight();
    if (w <= 0 || h <= 0) return {};
    if (picture.Type() == rt::PictureType::Bitmap) {
        BitmapRows rows(picture);
        return ResampleArgbRows([&](int y) { return rows.Row(y); }, w, h, width, height);
    }
    DibSurface onBlack(w, h);
    if (!onBlack.Valid()) return {};
    RenderOnBlack(picture, onBlack);
    const std::vector<uint32_t> native = IconPixels(picture, onBlack);
    if (width == w && height == h) return native;
    return ResampleArgb(native.data(), w, h, width, height);
}

void DrawPixels(HDC dc, const std::vector<uint32_t>& pixels, int width, int height, int x, int y) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return;
    DibSurface surface(width, height);
    if (!surface.Valid()) return;
    // AlphaBlend takes premultiplied colour.
    uint32_t* out = surface.Bits();
    std::transform(pixels.begin(), pixels.end(), out, rt::Premultiplied);
    GdiFlush();
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width, height, surface.dc(), 0, 0, width, height, blend);
}

void DrawPictureSmooth(HDC dc, const rt::StdPicture& picture, const RECT& dest) {
    const int destW = dest.right - dest.left;
    const int destH = dest.bottom - dest.top;
    if (destW <= 0 || destH <= 0) return;
    if (IsMetafile(picture) || (destW == picture.PixelWidth() && destH == picture.PixelHeight())) {
        picture.Render(dc, dest.left, dest.top, destW, destH);
        return;
    }
    DrawPixels(dc, ScaledPixels(picture, destW, destH), destW, destH, dest.left, dest.top);
}

std::vector<uint32_t> FittedPixels(const rt::StdPicture& picture, int width, int height) {
    std::vector<uint32_t> out(static_cast<size_t>(std::max(0, width)) * static_cast<size_t>(std::max(0, height)), 0);
    if (out.empty()) return out;
    const RECT fit = ZoomRect(picture.PixelWidth(), picture.PixelHeight(), RECT{0, 0, width, height});
    const int fitW = fit.right - fit.left;
    const int fitH = fit.bottom - fit.top;
    const std::vector<uint32_t> scaled = ScaledPixels(picture, fitW, fitH);
    if (scaled.size() != static_cast<size_t>(fitW) * static_cast<size_t>(fitH)) return out;
    for (int y = 0; y < fitH; ++y) {
        std::copy(scaled.begin() + static_cast<size_t>(y) * fitW, scaled.begin() + static_cast<size_t>(y + 1) * fitW,
                  out.begin() + static_cast<size_t>(fit.top + y) * width + fit.left);
    }
    return out;
}

}  // namespace ctl
