#include "banner/LogFontRecord.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

#include "runtime/core/Text.h"

namespace banner {

namespace {

constexpr BYTE kOemCharset = 255;
constexpr BYTE kAnsiCharset = 0;
constexpr BYTE kTrueTypeOnly = 7;  // OUT_TT_ONLY_PRECIS
constexpr BYTE kProofQuality = 2;
constexpr BYTE kStyleOn = 255;
constexpr double kFullTurn = 360.0;
// The field holds the name and its terminator.
constexpr size_t kFaceBytes = LF_FACESIZE - 1;

LONG ClampToLong(double value) {
    constexpr double kLow = std::numeric_limits<LONG>::min();
    constexpr double kHigh = std::numeric_limits<LONG>::max();
    if (!(value >= kLow)) return std::numeric_limits<LONG>::min();
    if (value > kHigh) return std::numeric_limits<LONG>::max();
    return static_cast<LONG>(value);
}

}  // namespace

bool IsTurned(float rotation) {
    // nearbyint rounds halves to even in the default rounding mode.
    const double degrees = std::nearbyint(static_cast<double>(rotation));
    return std::fmod(degrees, kFullTurn) != 0.0;
}

LONG EscapementFor(float rotation) {
    // The product is taken in single precision, as the angle is kept.
    const float tenths = rotation * 10.0f;
    return ClampToLong(std::nearbyint(static_cast<double>(tenths)));
}

std::string FaceNameBytes(const std::wstring& name) {
    std::string bytes;
    for (size_t i = 0; i < name.size(); ++i) {
        // A surrogate pair is one character; the page has none of them, so it becomes '?'.
        const bool pair = IS_HIGH_SURROGATE(name[i]) && i + 1 < name.size() && IS_LOW_SURROGATE(name[i + 1]);
        const std::string one = rt::AnsiFromWide(name.substr(i, pair ? 2 : 1));
        if (bytes.size() + one.size() > kFaceBytes) break;
        bytes += one;
        if (pair) ++i;
    }
    return bytes;
}

LOGFONTA BuildLogFont(const rt::StdFont& font, float rotation, int pixelsPerInchY) {
    const bool turned = IsTurned(rotation);
    LOGFONTA lf = {};
    lf.lfHeight = rt::FontHeightForDpi(font.Size(), pixelsPerInchY);
    lf.lfWidth = 0;
    lf.lfEscapement = EscapementFor(rotation);
    lf.lfOrientation = lf.lfEscapement;
    lf.lfWeight = font.Weight();
    lf.lfItalic = font.Italic() ? kStyleOn : 0;
    lf.lfUnderline = font.Underline() ? kStyleOn : 0;
    lf.lfStrikeOut = font.Strikethrough() ? kStyleOn : 0;
    lf.lfClipPrecision = 0;
    lf.lfQuality = kProofQuality;
    lf.lfPitchAndFamily = 0;
    const std::string face = FaceNameBytes(font.Name());
    std::memcpy(lf.lfFaceName, face.data(), face.size());
    lf.lfCharSet = static_cast<BYTE>(font.Charset());
    if (lf.lfCharSet == kOemCharset && turned) lf.lfCharSet = kAnsiCharset;
    lf.lfOutPrecision = turned ? kTrueTypeOnly : 0;
    return lf;
}

LOGFONTW WidenLogFont(const LOGFONTA& record) {
    LOGFONTW wide = {};
    std::memcpy(&wide, &record, offsetof(LOGFONTA, lfFaceName));
    const std::wstring face = rt::WideFromAnsi(std::string(record.lfFaceName, strnlen(record.lfFaceName, LF_FACESIZE)));
    face.copy(wide.lfFaceName, LF_FACESIZE - 1);
    return wide;
}

}  // namespace banner
