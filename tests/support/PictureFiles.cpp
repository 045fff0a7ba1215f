#include "tests/support/PictureFiles.h"

#include "runtime/gdi/Dib.h"
#include "tests/support/Pixels.h"

#include <objbase.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace testing_support {

namespace {

bool GdiPlusReady() {
    static const bool ready = [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return ready;
}

bool EncoderFor(const wchar_t* mimeType, CLSID& clsid) {
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<char> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, mimeType) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

COLORREF PatternColor(int x, int y) {
    return RGB((x * 37 + y * 5) & 0xFF, (y * 29 + 64) & 0xFF, ((x + y) * 13 + 128) & 0xFF);
}

HBITMAP CreatePatternBitmap(int width, int height) {
    void* bits = nullptr;
    HBITMAP bitmap = rt::CreateTopDownDib(width, height, &bits, 24).release();
    if (!bitmap) return nullptr;
    auto* rows = static_cast<unsigned char*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = PatternColor(x, y);
            unsigned char* p = rows + rt::Stride24(width) * y + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    return bitmap;
}

bool WritePatternBmp(const std::wstring& path, int width, int height) {
    Pixels pattern;
    pattern.width = width;
    pattern.height = height;
    pattern.bgra.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = PatternColor(x, y);
            pattern.bgra[static_cast<size_t>(y) * width + x] =
                (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return pattern.SaveBmp(path);
}

bool WritePatternEncoded(const std::wstring& path, int width, int height, const wchar_t* mimeType) {
    CLSID encoder;
    if (!GdiPlusReady() || !EncoderFor(mimeType, encoder)) return false;
    HBITMAP source = CreatePatternBitmap(width, height);
    bool ok = false;
    {
        std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromHBITMAP(source, nullptr));
        ok = bitmap && bitmap->Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
    }
    DeleteObject(source);
    return ok;
}

COLORREF GifPatternColor(int x, int y) {
    const int index = (x + 3 * y) & 0xFF;
    return RGB(index, (index * 7) & 0xFF, 255 - index);
}

std::string PatternGif(int width, int height, GifTable table) {
    constexpr char kTableOf256 = static_cast<char>(0x87);
    std::string bytes = "GIF89a";
    auto put16 = [&](int v) { bytes += static_cast<char>(v & 0xFF), bytes += static_cast<char>((v >> 8) & 0xFF); };
    auto putTable = [&] {
        for (int i = 0; i < 256; ++i) {
            const COLORREF c = GifPatternColor(i, 0);
            bytes += static_cast<char>(GetRValue(c));
            bytes += static_cast<char>(GetGValue(c));
            bytes += static_cast<char>(GetBValue(c));
        }
    };
    put16(width);
    put16(height);
    bytes += static_cast<char>(table == GifTable::Global ? 0x70 | kTableOf256 : 0x70);
    bytes += '\0';
    bytes += '\0';
    if (table == GifTable::Global) putTable();
    bytes += ',';
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    bytes += table == GifTable::Local ? kTableOf256 : '\0';
    if (table == GifTable::Local) putTable();
    bytes += static_cast<char>(8);  // LZW minimum code size
    // Every pixel is sent as its own 9-bit literal code, with a clear code often enough that
    // the decoder's table never makes codes wider.
    constexpr int kClear = 256, kEnd = 257, kLiteralsPerClear = 254;
    std::string data;
    unsigned long bits = 0;
    int bitCount = 0;
    auto code = [&](int value) {
        bits |= static_cast<unsigned long>(value) << bitCount;
        bitCount += 9;
        while (bitCount >= 8) {
            data += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            bitCount -= 8;
        }
    };
    int sinceClear = kLiteralsPerClear;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (sinceClear == kLiteralsPerClear) {
                code(kClear);
                sinceClear = 0;
            }
            code((x + 3 * y) & 0xFF);
            ++sinceClear;
        }
    }
    code(kEnd);
    if (bitCount > 0) data += static_cast<char>(bits & 0xFF);
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t chunk = std::min<size_t>(255, data.size() - at);
        bytes += static_cast<char>(chunk);
        bytes += data.substr(at, chunk);
    }
    bytes += '\0';
    bytes += ';';
    return bytes;
}

bool WritePatternGif(const std::wstring& path, int width, int height) {
    return WriteBytes(path, PatternGif(width, height, GifTable::Global));
}

bool WriteIconFile(const std::wstring& path, int width, int height, bool cursor) {
    // ICONDIR, one ICONDIRENTRY, then the image: a BITMAPINFOHEADER of double height (colour
    // plus mask), 32-bit colour rows bottom-up, then the 1-bit AND mask (all opaque).
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t colorBytes = static_cast<size_t>(width) * height * 4;
    const size_t maskBytes = maskStride * height;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height * 2;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD imageSize = static_cast<DWORD>(sizeof(info) + colorBytes + maskBytes);

    std::string bytes;
    auto put16 = [&](unsigned v) { bytes += static_cast<char>(v & 0xFF), bytes += static_cast<char>((v >> 8) & 0xFF); };
    auto put32 = [&](DWORD v) { put16(v & 0xFFFF), put16(v >> 16); };
    put16(0);
    put16(cursor ? 2 : 1);
    put16(1);
    bytes += static_cast<char>(width >= 256 ? 0 : width);
    bytes += static_cast<char>(height >= 256 ? 0 : height);
    bytes += '\0';  // colour count
    bytes += '\0';
    put16(cursor ? 3 : 1);  // planes, or the hot spot's x for a cursor
    put16(cursor ? 4 : 32);  // bit count, or the hot spot's y
    put32(imageSize);
    put32(6 + 16);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = PatternColor(x, y);
            bytes += static_cast<char>(GetBValue(c));
            bytes += static_cast<char>(GetGValue(c));
            bytes += static_cast<char>(GetRValue(c));
            bytes += static_cast<char>(0xFF);
        }
    }
    bytes.append(maskBytes, '\0');
    return WriteBytes(path, bytes);
}

bool WritePlaceableWmf(const std::wstring& path, int widthTwips, int heightTwips) {
    HDC dc = CreateMetaFileW(nullptr);
    if (!dc) return false;
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, widthTwips, heightTwips, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(200, 30, 30));
    HGDIOBJ old = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, widthTwips, heightTwips);
    SelectObject(dc, old);
    DeleteObject(brush);
    HMETAFILE metafile = CloseMetaFile(dc);
    if (!metafile) return false;
    const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::string body(size, '\0');
    GetMetaFileBitsEx(metafile, size, body.data());
    DeleteMetaFile(metafile);

    // The placeable header: key, handle, bounding box, units per inch, reserved, checksum.
    WORD header[11] = {};
    header[0] = 0xCDD7;
    header[1] = 0x9AC6;
    header[5] = static_cast<WORD>(widthTwips);
    header[6] = static_cast<WORD>(heightTwips);
    header[7] = 1440;
    WORD checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= header[i];
    header[10] = checksum;
    std::string bytes(reinterpret_cast<const char*>(header), sizeof(header));
    return WriteBytes(path, bytes + body);
}

bool WriteEmf(const std::wstring& path, int widthHimetric, int heightHimetric) {
    const RECT frame = {0, 0, widthHimetric, heightHimetric};
    HDC dc = CreateEnhMetaFileW(nullptr, path.c_str(), &frame, L"test\0picture\0");
    if (!dc) return false;
    HBRUSH brush = CreateSolidBrush(RGB(30, 30, 200));
    const RECT fill = {0, 0, 20, 20};
    FillRect(dc, &fill, brush);
    DeleteObject(brush);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    if (!metafile) return false;
    DeleteEnhMetaFile(metafile);
    return true;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return fclose(out) == 0 && written;
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    FILE* in = _wfopen(path.c_str(), L"rb");
    if (!in) return bytes;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof(buffer), in)) > 0;) bytes.append(buffer, n);
    fclose(in);
    return bytes;
}

}  // namespace testing_support
