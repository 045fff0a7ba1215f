#pragma once
// Picture files made in code for picture-loading tests: every format is written here from a
// known pattern, so a test can compare what a loader gives back with what went in.
#include <windows.h>

#include <string>

namespace testing_support {

// The colour of pixel (x, y) of the test pattern (every pixel differs from its neighbours).
COLORREF PatternColor(int x, int y);

// A 24-bit bitmap holding the pattern; the caller deletes it.
HBITMAP CreatePatternBitmap(int width, int height);

// Writes the pattern as a 24-bit BMP file.
bool WritePatternBmp(const std::wstring& path, int width, int height);

// Writes the pattern through a GDI+ encoder: "image/jpeg", "image/png".
bool WritePatternEncoded(const std::wstring& path, int width, int height, const wchar_t* mimeType);

// The colour of pixel (x, y) of the GIF pattern: 256 colours, index (x + 3y) mod 256.
COLORREF GifPatternColor(int x, int y);

// Where a GIF's colour table lives: before all frames, in the frame, or nowhere (the format
// then leaves the colours to the decoder).
enum class GifTable { Global, Local, None };

// A GIF89a file of the GIF pattern (uncompressed LZW codes, readable by any decoder).
std::string PatternGif(int width, int height, GifTable table);
bool WritePatternGif(const std::wstring& path, int width, int height);

// Writes a 32-bit icon (cursor = false) or cursor file of one image of the given size.
bool WriteIconFile(const std::wstring& path, int width, int height, bool cursor);

// Writes a placeable Windows metafile whose frame is widthTwips x heightTwips (1440 per inch).
bool WritePlaceableWmf(const std::wstring& path, int widthTwips, int heightTwips);

// Writes an enhanced metafile whose frame is widthHimetric x heightHimetric (0.01 mm).
bool WriteEmf(const std::wstring& path, int widthHimetric, int heightHimetric);

// Writes bytes as they are.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// A file's bytes; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);

}  // namespace testing_support
