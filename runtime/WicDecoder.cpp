#include "runtime/WicDecoder.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>

#include "runtime/Dib.h"
#include "runtime/PictureChecks.h"

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

}  // namespace

HBITMAP DecodeWithWic(IStream* stream, bool& alpha) {
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
    void* bits = nullptr;
    Bitmap section = CreateTopDownDib(static_cast<int>(width), static_cast<int>(height), &bits);
    if (!section || !bits) return nullptr;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    if (!CopyInBands(converter.get(), pixels, width, height)) return nullptr;
    alpha = PremultiplyIfTranslucent(pixels, size_t{width} * height);
    return section.release();
}

}  // namespace rt
