#include "tests/support/Pixels.h"

#include <cstdlib>
#include <cstdio>

#include "runtime/gdi/Dib.h"

namespace testing_support {

COLORREF Pixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const uint32_t p = bgra[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Pixels::SaveBmp(const std::wstring& path) const {
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(rowBytes * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info, sizeof(info), 1, out);
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = bgra[static_cast<size_t>(y) * width + x];
            row[x * 3] = p & 0xFF;
            row[x * 3 + 1] = (p >> 8) & 0xFF;
            row[x * 3 + 2] = (p >> 16) & 0xFF;
        }
        fwrite(row.data(), 1, row.size(), out);
    }
    return fclose(out) == 0;
}

namespace {

Pixels ReadBitmapBits(HDC dc, HBITMAP bitmap, int width, int height) {
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.bgra.assign(static_cast<size_t>(width) * height, 0);
    BITMAPINFO bi = rt::TopDownDibInfo(width, height);
    GetDIBits(dc, bitmap, 0, height, pixels.bgra.data(), &bi, DIB_RGB_COLORS);
    return pixels;
}

}  // namespace

Pixels CaptureDC(HDC dc, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, width, height, dc, x, y, SRCCOPY);
    SelectObject(mem, old);
    Pixels pixels = ReadBitmapBits(mem, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(mem);
    return pixels;
}

Pixels CaptureClient(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC dc = GetDC(hwnd);
    Pixels pixels = CaptureDC(dc, 0, 0, rc.right, rc.bottom);
    ReleaseDC(hwnd, dc);
    return pixels;
}

Pixels CaptureWindowFrame(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    HDC dc = GetWindowDC(hwnd);
    Pixels pixels = CaptureDC(dc, 0, 0, rc.right - rc.left, rc.bottom - rc.top);
    ReleaseDC(hwnd, dc);
    return pixels;
}

Pixels CaptureScreen() {
    HDC dc = GetDC(nullptr);
    Pixels pixels = CaptureDC(dc, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ReleaseDC(nullptr, dc);
    return pixels;
}

Pixels CaptureBitmap(HBITMAP bitmap) {
    BITMAP bm = {};
    if (!GetObjectW(bitmap, sizeof(bm), &bm)) return {};
    HDC screen = GetDC(nullptr);
    Pixels pixels = ReadBitmapBits(screen, bitmap, bm.bmWidth, bm.bmHeight);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool ColorNear(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace testing_support
