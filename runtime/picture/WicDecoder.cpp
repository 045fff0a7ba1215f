#include "runtime/picture/WicDecoder.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "runtime/gdi/Dib.h"
#include "runtime/picture/PictureChecks.h"

namespace rt {

namespace {

constexpr UINT kBandBytes = 4u << 20;  // the converter's buffer per band of rows

// Releases a COM interface when it goes out of scope.
template <class Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (m_p) m_p->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface* operator->() const { return m_p; }
    Interface* get() const { return m_p; }
    Interface** put() { return &m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    Interface* m_p = nullptr;
};

// The rows of source into the section, a band at a time, so the converter never holds the
// whole picture.
bool CopyInBands(IWICBitmapSource* source, std::uint32_t* bits, UINT width, UINT height) {
    const UINT stride = width * 4;
    const UINT bandRows = std::max<UINT>(1, kBandBytes / stride);
    for (UINT top = 0; top < height; top += bandRows) {
        const UINT rows = std::min(bandRows, height - top);
        const WICRect band = {0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
        if (FAILED(source->CopyPixels(&band, stride, stride * rows, reinterpret_cast<BYTE*>(bits) + size_t{top} * stride)))
            return false;
    }
    return true;
}

// A frame smaller than the picture's screen, placed at (left, top) over what the screen already
// shows: its pixels go through a band buffer, and those with no colour (alpha 0) let the screen
// show. The parts beyond the screen are cut off.
bool CopyOntoScreen(IWICBitmapSource* source, UINT width, UINT height, std::uint32_t* screen, UINT screenWidth,
                    UINT screenHeight, UINT left, UINT top) {
    const UINT stride = width * 4;
    const UINT bandRows = std::max<UINT>(1, kBandBytes / stride);
    std::vector<std::uint32_t> band(size_t{width} * std::min(bandRows, height));
    const UINT shownWidth = left < screenWidth ? std::min(width, screenWidth - left) : 0;
    for (UINT row = 0; row < height && top + row < screenHeight; row += bandRows) {
        const UINT rows = std::min(bandRows, height - row);
        const WICRect rect = {0, static_cast<INT>(row), static_cast<INT>(width), static_cast<INT>(rows)};
        if (FAILED(source->CopyPixels(&rect, stride, stride * rows, reinterpret_cast<BYTE*>(band.data()))))
            return false;
        for (UINT r = 0; r < rows && top + row + r < screenHeight; ++r) {
            const std::uint32_t* from = band.data() + size_t{r} * width;
            std::uint32_t* to = screen + size_t{top + row + r} * screenWidth + left;
            for (UINT x = 0; x < shownWidth; ++x)
                if (from[x] >> 24) to[x] = from[x];
        }
    }
    return true;
}

}  // namespace

HBITMAP DecodeWithWic(IStream* stream, bool& alpha, const gif::Screen* screen) {
    alpha = false;
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))))
        return nullptr;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
        height == 0 || !DecodedSizeFits(width, height) || FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom))) {
        return nullptr;
    }
    const bool onScreen = screen && screen->width > 0 && screen->height > 0 &&
                          (screen->width != width || screen->height != height || screen->frameLeft || screen->frameTop);
    const UINT pictureWidth = onScreen ? screen->width : width, pictureHeight = onScreen ? screen->height : height;
    if (!DecodedSizeFits(pictureWidth, pictureHeight)) return nullptr;
    void* bits = nullptr;
    Bitmap section = CreateTopDownDib(static_cast<int>(pictureWidth), static_cast<int>(pictureHeight), &bits);
    if (!section || !bits) return nullptr;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    if (onScreen) {
        if (screen->background) std::fill_n(pixels, size_t{pictureWidth} * pictureHeight, screen->background);
        if (!CopyOntoScreen(converter.get(), width, height, pixels, pictureWidth, pictureHeight, screen->frameLeft,
                            screen->frameTop))
            return nullptr;
    } else if (!CopyInBands(converter.get(), pixels, width, height)) {
        return nullptr;
    }
    alpha = PremultiplyIfTranslucent(pixels, size_t{pictureWidth} * pictureHeight);
    return section.release();
}

}  // namespace rt
