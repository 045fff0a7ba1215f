#include "runtime/picture/StdPicture.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/picture/BmpSection.h"
#include "runtime/picture/ByteStream.h"
#include "runtime/gdi/Dib.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/picture/GdiPlusDecoder.h"
#include "runtime/picture/PictureChecks.h"
#include "runtime/picture/WicDecoder.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/FileReplacement.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

constexpr double kHimetricPerInch = 2540.0;
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Loading holds a file twice (the bytes and the decoder's stream over them) besides the decoded
// bitmap. 256 MB is above any camera's JPEG and the largest uncompressed BMP of a picture the
// checks take; a larger file is treated as no picture rather than read whole.
constexpr LONGLONG kLargestPictureFile = 256LL * 1024 * 1024;

int ScreenPixelsPerInch(int axis) {
    WindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), axis);
    return dpi > 0 ? dpi : 96;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm = {};
    if (!GetObjectW(bitmap, sizeof(bm), &bm)) return {0, 0};
    return {bm.bmWidth, std::abs(bm.bmHeight)};
}

SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return {0, 0};
    Bitmap color(info.hbmColor);  // GetIconInfo hands out copies the caller deletes
    Bitmap mask(info.hbmMask);
    if (color) return BitmapSize(color.get());
    SIZE size = BitmapSize(mask.get());
    size.cy /= 2;  // a monochrome icon's mask holds the AND and XOR halves
    return size;
}

std::shared_ptr<StdPicture> WrapOwned(PICTDESC& desc, HANDLE handle, PictureType type) {
    IPicture* picture = nullptr;
    const HRESULT hr = OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, reinterpret_cast<void**>(&picture));
    if (FAILED(hr) || !picture) {
        // The picture never took the handle; release it so the caller's ownership ends here.
        switch (type) {
        case PictureType::Bitmap: DeleteObject(handle); break;
        case PictureType::Icon: DestroyIcon(static_cast<HICON>(handle)); break;
        case PictureType::EnhMetafile: DeleteEnhMetaFile(static_cast<HENHMETAFILE>(handle)); break;
        default: break;
        }
        Raise(err::kInvalidPicture);
    }
    return std::make_shared<StdPicture>(picture, type, handle);
}

std::shared_ptr<StdPicture> FromLoadedPicture(IPicture* picture) {
    short type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    picture->get_Type(&type);
    picture->get_Handle(&handle);
    if (type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED || handle == 0) {
        picture->Release();
        Raise(err::kInvalidPicture);
    }
    return std::make_shared<StdPicture>(picture, static_cast<PictureType>(type),
                                        reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)));
}

// Releases a stream when it goes out of scope.
struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};
using StreamRef = std::unique_ptr<IStream, StreamRelease>;

IPicture* OleDecode(IStream* stream, size_t size) {
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);  // another decoder may have read it
    IPicture* picture = nullptr;
    const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                      reinterpret_cast<void**>(&picture));
    if (hr == E_OUTOFMEMORY) Raise(err::kOutOfMemory);
    return SUCCEEDED(hr) ? picture : nullptr;
}

// The bytes decoded by the decoder that suits their format, read from a stream that holds them
// (a repaired copy is moved into it).
//  - PNG and TIFF: GDI+ alone. The OLE loader refuses them on some systems and, where it takes
//    PNG, loses its transparency. GDI+ is asked for nothing else: its other decoders fault on
//    damaged files that the OLE loader turned down safely.
//  - JPEG and GIF: the imaging component, which decodes into the picture's own bitmap (a GIF
//    at its screen's size); the OLE loader when it cannot.
//  - BMP (those not made a DIB section directly), icons, cursors and metafiles: the OLE loader.
PictureRef Decode(const void* bytes, size_t size, std::vector<char>* repaired) {
    const PictureFormat format = FormatOf(static_cast<const std::uint8_t*>(bytes), size);
    gif::Screen screen;  // read before a repaired copy moves into the stream
    if (format == PictureFormat::Gif) screen = gif::ScreenOf(static_cast<const std::uint8_t*>(bytes), size);
    const StreamRef stream(repaired ? CreateByteStream(std::move(*repaired)) : CreateByteStream(bytes, size));
    if (!stream) Raise(err::kOutOfMemory);
    bool alpha = false;
    if (format == PictureFormat::Png || format == PictureFormat::Tiff) {
        if (HBITMAP bitmap = DecodeWithGdiPlus(stream.get(), alpha)) return StdPicture::FromBitmap(bitmap, alpha);
        Raise(err::kInvalidPicture);
    }
    if (format == PictureFormat::Jpeg || format == PictureFormat::Gif) {
        if (HBITMAP bitmap = DecodeWithWic(stream.get(), alpha, format == PictureFormat::Gif ? &screen : nullptr))
            return StdPicture::FromBitmap(bitmap, alpha);
    }
    if (IPicture* picture = OleDecode(stream.get(), size)) return FromLoadedPicture(picture);
    Raise(err::kInvalidPicture);
}

std::vector<char> ReadPictureFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) RaiseLastFileError();
    std::vector<char> bytes;
    LARGE_INTEGER size = {};
    DWORD error = ERROR_SUCCESS;
    if (!GetFileSizeEx(file, &size)) {
        error = GetLastError();
    } else if (size.QuadPart > kLargestPictureFile) {
        error = ERROR_BAD_FORMAT;
    } else {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty() && (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                               read != bytes.size())) {
            error = GetLastError() ? GetLastError() : ERROR_HANDLE_EOF;
        }
    }
    CloseHandle(file);
    if (error == ERROR_BAD_FORMAT) Raise(err::kInvalidPicture);
    if (error != ERROR_SUCCESS) RaiseFileError(error);
    return bytes;
}

// A character device (a console, a printer port, a full-disk device) takes the bytes as they
// come; it cannot be replaced by a rename.
bool IsDevice(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(file);
    CloseHandle(file);
    return type == FILE_TYPE_CHAR;
}

using Parts = std::initializer_list<std::pair<const void*, size_t>>;

// A device gets the bytes straight, as it takes them.
void WriteToDevice(const std::wstring& path, Parts parts) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) RaiseLastFileError();
    DWORD error = ERROR_SUCCESS;
    for (const auto& [data, size] : parts) {
        DWORD written = 0;
        if (!WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr)) error = GetLastError();
        else if (written != size) error = ERROR_DISK_FULL;
        if (error != ERROR_SUCCESS) break;
    }
    if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
    if (error != ERROR_SUCCESS) RaiseFileError(error);
}

// The BMP goes whole into path, or path is left as it was: the bytes go to a fresh file
// beside it, which replaces path only once every byte is on the disk, and is removed after
// a failure.
void WritePictureFile(const std::wstring& path, Parts parts) {
    if (IsDevice(path)) return WriteToDevice(path, parts);
    FileReplacement copy(path);
    for (const auto& [data, size] : parts) copy.Write(data, size);
    copy.Finish();
    copy.ReplaceTarget();
}

// A bottom-up 24-bit DIB section: its rows lie in the order a BMP file stores them.
Bitmap CreateBottomUpDib24(int width, int height, void** bits) {
    BITMAPINFO info = TopDownDibInfo(width, height, 24);
    info.bmiHeader.biHeight = height;
    return Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

}  // namespace

long PixelsToHimetricX(int pixels) {
    return std::lround(pixels * kHimetricPerInch / ScreenPixelsPerInch(LOGPIXELSX));
}
long PixelsToHimetricY(int pixels) {
    return std::lround(pixels * kHimetricPerInch / ScreenPixelsPerInch(LOGPIXELSY));
}
int HimetricToPixelsX(long himetric) {
    return static_cast<int>(std::lround(himetric * ScreenPixelsPerInch(LOGPIXELSX) / kHimetricPerInch));
}
int HimetricToPixelsY(long himetric) {
    return static_cast<int>(std::lround(himetric * ScreenPixelsPerInch(LOGPIXELSY) / kHimetricPerInch));
}

StdPicture::StdPicture(IPicture* picture, PictureType type, HANDLE handle)
    : m_picture(picture), m_type(type), m_handle(handle) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_picture->get_Width(&width);
    m_picture->get_Height(&height);
    m_himetricWidth = width;
    m_himetricHeight = height;
    SIZE pixels = {HimetricToPixelsX(width), HimetricToPixelsY(height)};
    if (type == PictureType::Bitmap) pixels = BitmapSize(static_cast<HBITMAP>(handle));
    if (type == PictureType::Icon) pixels = IconSize(static_cast<HICON>(handle));
    m_pixelWidth = pixels.cx;
    m_pixelHeight = pixels.cy;
}

StdPicture::~StdPicture() {
    if (m_picture) m_picture->Release();
}

std::shared_ptr<StdPicture> StdPicture::FromBitmap(HBITMAP bitmap, bool alpha) {
    if (!bitmap) Raise(err::kInvalidPicture);
    PICTDESC desc = {};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    auto picture = WrapOwned(desc, bitmap, PictureType::Bitmap);
    picture->m_alpha = alpha;
    return picture;
}

std::shared_ptr<StdPicture> StdPicture::FromIcon(HICON icon) {
    if (!icon) Raise(err::kInvalidPicture);
    PICTDESC desc = {};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = icon;
    return WrapOwned(desc, icon, PictureType::Icon);
}

std::shared_ptr<StdPicture> StdPicture::FromEnhMetafile(HENHMETAFILE metafile) {
    if (!metafile) Raise(err::kInvalidPicture);
    PICTDESC desc = {};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = PICTYPE_ENHMETAFILE;
    desc.emf.hemf = metafile;
    return WrapOwned(desc, metafile, PictureType::EnhMetafile);
}

void StdPicture::Render(HDC dc, int x, int y, int cx, int cy) const {
    switch (m_type) {
    case PictureType::Bitmap: {
        MemoryDC source(dc);
        SelectGuard select(source.get(), m_handle);
        if (m_alpha) {
            const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(dc, x, y, cx, cy, source.get(), 0, 0, m_pixelWidth, m_pixelHeight, blend);
        } else if (cx == m_pixelWidth && cy == m_pixelHeight) {
            BitBlt(dc, x, y, cx, cy, source.get(), 0, 0, SRCCOPY);
        } else {
            const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, x, y, cx, cy, source.get(), 0, 0, m_pixelWidth, m_pixelHeight, SRCCOPY);
            SetStretchBltMode(dc, oldMode);
        }
        break;
    }
    case PictureType::Icon:
        DrawIconEx(dc, x, y, static_cast<HICON>(m_handle), cx, cy, 0, nullptr, DI_NORMAL);
        break;
    case PictureType::EnhMetafile: {
        const RECT bounds = {x, y, x + cx, y + cy};
        PlayEnhMetaFile(dc, static_cast<HENHMETAFILE>(m_handle), &bounds);
        break;
    }
    case PictureType::Metafile:
        // A placeable metafile's own window extents live in the OLE picture; let it map them.
        // The source rectangle runs bottom-up in HIMETRIC, as IPicture::Render counts it.
        m_picture->Render(dc, x, y, cx, cy, 0, m_himetricHeight, m_himetricWidth, -m_himetricHeight, nullptr);
        break;
    default:
        break;
    }
}

PictureRef LoadPicture(const std::wstring& path) {
    if (path.empty()) return nullptr;
    const std::vector<char> bytes = ReadPictureFile(path);
    return LoadPictureFromMemory(bytes.data(), bytes.size());
}

PictureRef LoadPictureFromMemory(const void* bytes, size_t size) {
    if (!bytes || size == 0) Raise(err::kInvalidPicture);
    PictureCheck check = CheckPicture(bytes, size);
    if (!check.decodable) Raise(err::kInvalidPicture);
    const auto* b = static_cast<const std::uint8_t*>(bytes);
    if (check.repaired.empty() && FormatOf(b, size) == PictureFormat::Bmp && BmpFitsDibSection(b, size))
        return StdPicture::FromBitmap(BmpDibSection(b, size));
    if (!check.repaired.empty()) return Decode(check.repaired.data(), check.repaired.size(), &check.repaired);
    return Decode(bytes, size, nullptr);
}

PictureRef LoadPictureResource(int id, HMODULE module) {
    if (!module) module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) Raise(err::kResourceNotFound, {}, L"未找到标识符为 '" + std::to_wstring(id) + L"' 的资源");
    return LoadPictureFromMemory(data, SizeofResource(module, info));
}

// The picture is drawn into one bottom-up DIB whose bits are written as they are, so the save
// needs the memory of one copy of the picture; without it nothing is written and 7 is raised.
void SavePicture(const StdPicture* picture, const std::wstring& path) {
    if (!picture || picture->Type() == PictureType::None || picture->PixelWidth() <= 0 ||
        picture->PixelHeight() <= 0) {
        Raise(err::kInvalidPropertyValue);
    }
    const int width = picture->PixelWidth();
    const int height = picture->PixelHeight();
    const size_t imageSize = Stride24(width) * static_cast<size_t>(height);
    if (imageSize > 0x7FFFFFFF) Raise(err::kOutOfMemory);
    void* bits = nullptr;
    Bitmap dib = CreateBottomUpDib24(width, height, &bits);
    if (!dib || !bits) Raise(err::kOutOfMemory);
    {
        MemoryDC dc(nullptr);
        SelectGuard select(dc.get(), dib.get());
        const RECT all = {0, 0, width, height};
        Brush white(CreateSolidBrush(kWhite));
        FillRect(dc.get(), &all, white.get());
        picture->Render(dc.get(), 0, 0, width, height);
        GdiFlush();
    }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up rows, the form every reader accepts
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(imageSize);
    info.biXPelsPerMeter = std::lround(ScreenPixelsPerInch(LOGPIXELSX) / 0.0254);
    info.biYPelsPerMeter = std::lround(ScreenPixelsPerInch(LOGPIXELSY) / 0.0254);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + imageSize);
    WritePictureFile(path, {{&file, sizeof(file)}, {&info, sizeof(info)}, {bits, imageSize}});
}

}  // namespace rt
