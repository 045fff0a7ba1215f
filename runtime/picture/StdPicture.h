#pragma once
// The picture object that windows, controls and the frame pass around: one bitmap, icon,
// cursor or metafile handle with its type and its size in HIMETRIC (0.01 mm). The object owns
// the handle and releases it when the last reference goes, so it is shared as
// std::shared_ptr<StdPicture>. Decoding is the platform's (OLE picture loading, with GDI+ for
// formats the OLE loader refuses; an uncompressed BMP is a DIB already); nothing here decodes
// a format itself.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

struct IPicture;

namespace rt {

// The automation picture types (PICTYPE_*).
enum class PictureType : short {
    None = 0,
    Bitmap = 1,
    Metafile = 2,
    Icon = 3,
    EnhMetafile = 4,
};

class StdPicture {
public:
    ~StdPicture();
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    // Takes ownership of the handle in every case (also when creation fails). With alpha, the
    // bitmap is a 32-bit DIB section whose colours are premultiplied by their alpha, and it is
    // drawn blended over what lies beneath it.
    static std::shared_ptr<StdPicture> FromBitmap(HBITMAP bitmap, bool alpha = false);
    // Icons and cursors both live in an HICON.
    static std::shared_ptr<StdPicture> FromIcon(HICON icon);
    static std::shared_ptr<StdPicture> FromEnhMetafile(HENHMETAFILE metafile);

    PictureType Type() const { return m_type; }
    // The raw handle (HBITMAP, HICON, HMETAFILE or HENHMETAFILE by Type()); the picture keeps it.
    HANDLE Handle() const { return m_handle; }
    HBITMAP Bitmap() const { return m_type == PictureType::Bitmap ? static_cast<HBITMAP>(m_handle) : nullptr; }
    HICON Icon() const { return m_type == PictureType::Icon ? static_cast<HICON>(m_handle) : nullptr; }
    // A bitmap with see-through parts (see FromBitmap).
    bool HasAlpha() const { return m_alpha; }

    // Size in HIMETRIC.
    long Width() const { return m_himetricWidth; }
    long Height() const { return m_himetricHeight; }
    // Size in screen pixels: a bitmap's or icon's own pixels, a metafile's extent at the
    // screen's resolution.
    int PixelWidth() const { return m_pixelWidth; }
    int PixelHeight() const { return m_pixelHeight; }

    // Draws the whole picture into the rectangle (x, y, cx, cy) of dc, in dc's pixels.
    // Bitmaps are stretched with colour-on-colour halftoning off (exact pixels at 1:1), those
    // with alpha blended over dc; icons keep their transparency, metafiles are played into the
    // rectangle.
    void Render(HDC dc, int x, int y, int cx, int cy) const;
    void Render(HDC dc, int x, int y) const { Render(dc, x, y, m_pixelWidth, m_pixelHeight); }

    // Internal: pictures are made by the factories above and by LoadPicture.
    StdPicture(IPicture* picture, PictureType type, HANDLE handle);

private:
    IPicture* m_picture = nullptr;  // owns m_handle
    PictureType m_type = PictureType::None;
    HANDLE m_handle = nullptr;
    bool m_alpha = false;
    long m_himetricWidth = 0;
    long m_himetricHeight = 0;
    int m_pixelWidth = 0;
    int m_pixelHeight = 0;
};

using PictureRef = std::shared_ptr<StdPicture>;

// Loads a picture file (BMP, JPEG, GIF, ICO, CUR, WMF, EMF). An empty path gives no picture
// (nullptr). A missing file raises error 53, a missing folder 76, an unreadable file 75, and
// content that no platform decoder accepts error 481 "Invalid picture", as do a file above
// 256 MB, which is not read, and a picture of more pixels than kMostDecodedPixels
// (runtime/picture/PictureChecks.h), which is not decoded. Memory running out on the way raises 7.
// A file cut off in its pixels shows the part it holds.
PictureRef LoadPicture(const std::wstring& path);

// Decodes a picture held in memory (the same formats; 481 when undecodable).
PictureRef LoadPictureFromMemory(const void* bytes, size_t size);

// Decodes the RCDATA resource `id` of module (nullptr = the executable). A missing resource
// raises error 326 "Resource with identifier not found".
PictureRef LoadPictureResource(int id, HMODULE module = nullptr);

// Writes the picture as a 24-bit BMP file that any viewer opens. Icons and metafiles are
// drawn on white first. The file is written whole or not at all: an existing file is replaced
// only once the new one is complete, and a failed save leaves it byte for byte as it was and
// no partial file behind. A full disk raises 61, an unwritable place 75 or 76, too little
// memory for the picture 7 (nothing written), a null picture 380.
void SavePicture(const StdPicture* picture, const std::wstring& path);
inline void SavePicture(const PictureRef& picture, const std::wstring& path) { SavePicture(picture.get(), path); }

// HIMETRIC (0.01 mm) and screen pixels, through the screen's pixels per inch; rounded to the
// nearest whole unit.
long PixelsToHimetricX(int pixels);
long PixelsToHimetricY(int pixels);
int HimetricToPixelsX(long himetric);
int HimetricToPixelsY(long himetric);

}  // namespace rt
