#include "runtime/gdi/StdFont.h"

#include <cmath>

#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

constexpr wchar_t kDefaultFace[] = L"MS Sans Serif";
constexpr double kDefaultSize = 8.25;
constexpr double kTenThousand = 10000.0;
constexpr double kPointsPerInch = 72.0;

long long ToCurrency(double points) {
    if (!(points > 0.0) || points * kTenThousand > 9.2e18) Raise(err::kInvalidPropertyValue);
    return static_cast<long long>(std::nearbyint(points * kTenThousand));
}

}  // namespace

StdFont::StdFont() : StdFont(kDefaultFace, kDefaultSize) {}

StdFont::StdFont(std::wstring name, double size, bool bold, bool italic)
    : m_name(std::move(name)), m_sizeTenThousandths(ToCurrency(size)),
      m_weight(bold ? kBoldWeight : kNormalWeight), m_italic(italic) {}

void StdFont::SetName(std::wstring name) {
    m_name = std::move(name);
    Changed();
}

void StdFont::SetSize(double points) {
    m_sizeTenThousandths = ToCurrency(points);
    Changed();
}

void StdFont::SetBold(bool bold) {
    m_weight = bold ? kBoldWeight : kNormalWeight;
    Changed();
}

void StdFont::SetWeight(short weight) {
    m_weight = weight;
    Changed();
}

void StdFont::SetItalic(bool italic) {
    m_italic = italic;
    Changed();
}

void StdFont::SetUnderline(bool underline) {
    m_underline = underline;
    Changed();
}

void StdFont::SetStrikethrough(bool strikethrough) {
    m_strikethrough = strikethrough;
    Changed();
}

void StdFont::SetCharset(short charset) {
    m_charset = charset;
    Changed();
}

std::shared_ptr<StdFont> StdFont::Clone() const {
    auto copy = std::make_shared<StdFont>(*this);
    copy->m_revision = 0;
    return copy;
}

int FontHeightForDpi(double points, int pixelsPerInchY) {
    // nearbyint rounds halves to even in the default rounding mode.
    return -static_cast<int>(std::nearbyint(points * pixelsPerInchY / kPointsPerInch));
}

LOGFONTW LogFontFor(const StdFont& font, int pixelsPerInchY) {
    LOGFONTW lf = {};
    lf.lfHeight = FontHeightForDpi(font.Size(), pixelsPerInchY);
    lf.lfWeight = font.Weight();
    lf.lfItalic = font.Italic() ? TRUE : FALSE;
    lf.lfUnderline = font.Underline() ? TRUE : FALSE;
    lf.lfStrikeOut = font.Strikethrough() ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(font.Charset());
    lf.lfQuality = DEFAULT_QUALITY;
    // LOGFONT holds 31 characters and the terminator; longer names are cut.
    font.Name().copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

Font CreateGdiFont(const StdFont& font, HDC dc) {
    const LOGFONTW lf = LogFontFor(font, GetDeviceCaps(dc, LOGPIXELSY));
    return Font(CreateFontIndirectW(&lf));
}

}  // namespace rt
