#include "controls/ImageList.h"

#include <new>

#include "controls/ControlErrors.h"
#include "controls/PictureScaling.h"
#include "runtime/gdi/Dib.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
// The system list copies all its images each time it grows: growing by many at a time keeps
// a folder of thousands from costing thousands of copies.
constexpr int kGrowBy = 128;
// Pixels at least this opaque count as part of the image in the mask.
constexpr uint32_t kMaskAlphaThreshold = 128;

rt::Bitmap ColourBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
    void* bits = nullptr;
    rt::Bitmap bitmap = rt::CreateTopDownDib(width, height, &bits);
    if (bits) {
        auto* out = static_cast<uint32_t*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i) {
            // Fully transparent pixels carry no colour, so a blend never brings one in.
            out[i] = (pixels[i] >> 24) == 0 ? 0 : pixels[i];
        }
    }
    return bitmap;
}

// Monochrome mask: 1 where the background shows through.
rt::Bitmap MaskBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
    const int rowBytes = ((width + 15) / 16) * 2;
    std::vector<BYTE> bits(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[static_cast<size_t>(y) * width + x] >> 24) < kMaskAlphaThreshold) {
                bits[static_cast<size_t>(y) * rowBytes + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            }
        }
    }
    return rt::Bitmap(CreateBitmap(width, height, 1, 1, bits.data()));
}
}  // namespace

ImageList::~ImageList() {
    if (m_list) ImageList_Destroy(m_list);
}

void ImageList::SetImageWidth(int width) {
    if (width < 0 || (width != m_width && !m_entries.empty())) {
        rt::Raise(err::kInvalidPropertyValue, {}, err::kImageSizeFixedText);
    }
    m_width = width;
}

void ImageList::SetImageHeight(int height) {
    if (height < 0 || (height != m_height && !m_entries.empty())) {
        rt::Raise(err::kInvalidPropertyValue, {}, err::kImageSizeFixedText);
    }
    m_height = height;
}

void ImageList::CreateList(const rt::StdPicture& first) {
    if (m_width == 0) m_width = first.PixelWidth();
    if (m_height == 0) m_height = first.PixelHeight();
    if (m_list) {
        // Sizes change only while the list is empty. The handle stays, so whoever shows the
        // list keeps showing this one.
        int w = 0, h = 0;
        ImageList_GetIconSize(m_list, &w, &h);
        if (w != m_width || h != m_height) ImageList_SetIconSize(m_list, m_width, m_height);
        return;
    }
    m_list = ImageList_Create(m_width, m_height, ILC_COLOR32 | ILC_MASK, 0, kGrowBy);
    if (!m_list) rt::Raise(rt::err::kOutOfMemory);
}

int ImageList::Add(const std::wstring& key, const rt::PictureRef& picture, std::wstring tag) {
    if (!picture || picture->PixelWidth() <= 0 || picture->PixelHeight() <= 0) rt::Raise(err::kInvalidPropertyValue);
    if (!key.empty() && IndexOf(key) != 0) rt::Raise(err::kKeyNotUnique, {}, err::kKeyNotUniqueText);
    CreateList(*picture);
    std::vector<uint32_t> pixels;
    try {
        pixels = FittedPixels(*picture, m_width, m_height);
    } catch (const std::bad_alloc&) {
        rt::Raise(rt::err::kOutOfMemory);
    }
    rt::Bitmap colour = ColourBitmap(pixels, m_width, m_height);
    rt::Bitmap mask = MaskBitmap(pixels, m_width, m_height);
    if (!colour || !mask || ImageList_Add(m_list, colour.get(), mask.get()) < 0) rt::Raise(rt::err::kOutOfMemory);
    m_entries.push_back({key, std::move(tag)});
    if (!key.empty()) m_indexOfKey.emplace(key, Count());
    return Count();
}

void ImageList::Clear() {
    if (m_list) ImageList_RemoveAll(m_list);
    m_entries.clear();
    m_indexOfKey.clear();
}

int ImageList::IndexOf(const std::wstring& key) const {
    const auto found = m_indexOfKey.find(key);
    return found == m_indexOfKey.end() ? 0 : found->second;
}

void ImageList::CheckIndex(int index) const {
    if (index < 1 || index > Count()) rt::Raise(err::kIndexOutOfBounds, {}, err::kIndexOutOfBoundsText);
}

const std::wstring& ImageList::Key(int index) const {
    CheckIndex(index);
    return m_entries[static_cast<size_t>(index) - 1].key;
}

const std::wstring& ImageList::Tag(int index) const {
    CheckIndex(index);
    return m_entries[static_cast<size_t>(index) - 1].tag;
}

rt::PictureRef ImageList::ExtractIcon(int index) const {
    CheckIndex(index);
    const HICON icon = ImageList_GetIcon(m_list, index - 1, ILD_TRANSPARENT);
    if (!icon) rt::Raise(rt::err::kOutOfMemory);
    return rt::StdPicture::FromIcon(icon);
}

}  // namespace ctl
