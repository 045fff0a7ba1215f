#pragma once
// Pictures made in memory for the control tests (a bitmap of known pixels wrapped as a
// picture), and reading back what a control paints.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "runtime/gdi/Dib.h"
#include "runtime/picture/StdPicture.h"
#include "tests/support/Pixels.h"

namespace controls_testing {

// A width x height picture whose pixel (x, y) is colour(x, y).
inline rt::PictureRef MakePicture(int width, int height, const std::function<COLORREF(int, int)>& colour) {
    void* bits = nullptr;
    HBITMAP bitmap = rt::CreateTopDownDib(width, height, &bits).release();
    auto* px = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            px[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    return rt::StdPicture::FromBitmap(bitmap);
}

inline rt::PictureRef SolidPicture(int width, int height, COLORREF c) {
    return MakePicture(width, height, [c](int, int) { return c; });
}

// What a control paints, asked for with WM_PRINTCLIENT into a bitmap of its client size: the
// same drawing as on screen, and safe from other tests' windows lying over it.
inline testing_support::Pixels PrintClient(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    testing_support::Pixels pixels = testing_support::CaptureDC(dc, 0, 0, rc.right, rc.bottom);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace controls_testing
