#pragma once
// The automation-style font object that windows, controls and the frame pass around: a face
// name, a size in points kept to four decimals, style flags, weight and character set.
// Callers change it in place, so it is shared as std::shared_ptr<StdFont>; every change bumps
// Revision() so a holder that built a GDI font from it knows when to build a new one.
#include <windows.h>

#include <memory>
#include <string>

#include "runtime/gdi/Gdi.h"

namespace rt {

class StdFont {
public:
    // The automation font's defaults: "MS Sans Serif" 8.25 points, normal weight.
    StdFont();
    StdFont(std::wstring name, double size, bool bold = false, bool italic = false);

    const std::wstring& Name() const { return m_name; }
    void SetName(std::wstring name);

    // Points; stored as a currency value (four decimals, halves to even) as the automation
    // font stores it. A size of zero or below is refused with error 380.
    double Size() const { return static_cast<double>(m_sizeTenThousandths) / 10000.0; }
    void SetSize(double points);

    // Bold and Weight describe one thing: Bold is a weight above 550, and setting Bold
    // sets the weight to 700 or 400.
    bool Bold() const { return m_weight > kBoldThreshold; }
    void SetBold(bool bold);
    short Weight() const { return m_weight; }
    void SetWeight(short weight);

    bool Italic() const { return m_italic; }
    void SetItalic(bool italic);
    bool Underline() const { return m_underline; }
    void SetUnderline(bool underline);
    bool Strikethrough() const { return m_strikethrough; }
    void SetStrikethrough(bool strikethrough);
    short Charset() const { return m_charset; }
    void SetCharset(short charset);

    // Grows by one with every change of any attribute.
    unsigned Revision() const { return m_revision; }

    // An independent copy with the same attributes (a fresh revision count).
    std::shared_ptr<StdFont> Clone() const;

    static constexpr short kNormalWeight = FW_NORMAL;
    static constexpr short kBoldWeight = FW_BOLD;
    static constexpr short kBoldThreshold = 550;

private:
    void Changed() { ++m_revision; }

    std::wstring m_name;
    long long m_sizeTenThousandths;
    short m_weight = kNormalWeight;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
    short m_charset = DEFAULT_CHARSET;
    unsigned m_revision = 0;
};

using FontRef = std::shared_ptr<StdFont>;

// A font's height in logical units for a device of the given vertical pixels per inch:
// -(size x dpi / 72), to the nearest integer with halves to even.
int FontHeightForDpi(double points, int pixelsPerInchY);

// The LOGFONTW that draws the font on a device of the given vertical resolution.
LOGFONTW LogFontFor(const StdFont& font, int pixelsPerInchY);

// A GDI font for drawing the font object on dc (its LOGPIXELSY decides the height).
Font CreateGdiFont(const StdFont& font, HDC dc);

}  // namespace rt
