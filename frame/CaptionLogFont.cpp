#include "frame/CaptionLogFont.h"

#include <cmath>
#include <cstring>
#include <string>

#include "runtime/core/Text.h"

namespace CaptionLogFont {

namespace {

constexpr int kPointsPerInch = 72;
constexpr LONG kBoldWeight = FW_BOLD;
constexpr LONG kNormalWeight = FW_NORMAL;

// The longest prefix of bytes that fits a face name (31 bytes and the NUL) without cutting a
// double-byte character in two.
size_t FaceNameLength(const std::string& bytes) {
    constexpr size_t kMaxBytes = LF_FACESIZE - 1;
    size_t length = 0;
    while (length < bytes.size()) {
        const bool lead = IsDBCSLeadByteEx(rt::kChineseCodePage, static_cast<BYTE>(bytes[length])) != 0;
        const size_t step = lead && length + 1 < bytes.size() ? 2 : 1;
        if (length + step > kMaxBytes) break;
        length += step;
    }
    return length;
}

}  // namespace

long RoundHalfEven(double v) {
    const double lower = std::floor(v);
    const double fraction = v - lower;
    long whole = static_cast<long>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && (whole % 2 != 0))) ++whole;
    return whole;
}

LONG HeightForPoints(double points, int pixelsPerInchY) {
    return -MulDiv(RoundHalfEven(points), pixelsPerInchY, kPointsPerInch);
}

void FillLogFont(const rt::StdFont& font, int pixelsPerInchY, LOGFONTA& lf) {
    const std::string face = rt::AnsiFromWide(font.Name());
    const size_t length = FaceNameLength(face);
    std::memcpy(lf.lfFaceName, face.data(), length);
    lf.lfFaceName[length] = '\0';
    lf.lfHeight = HeightForPoints(font.Size(), pixelsPerInchY);
    lf.lfItalic = font.Italic() ? 1 : 0;
    lf.lfWeight = font.Bold() ? kBoldWeight : kNormalWeight;
    lf.lfUnderline = font.Underline() ? 1 : 0;
    lf.lfStrikeOut = font.Strikethrough() ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(font.Charset());
}

void OLEFontToLogFont(const rt::StdFont& font, HDC hDC, LOGFONTA& lf) {
    FillLogFont(font, GetDeviceCaps(hDC, LOGPIXELSY), lf);
}

}  // namespace CaptionLogFont
