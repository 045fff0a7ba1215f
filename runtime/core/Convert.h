#pragma once
// The runtime's conversions of numbers and text in the user's locale: the number test,
// conversion to 16- and 32-bit integers (nearest, halves to even), money values with four
// decimal places, and the leading-number value of a text.
#include <optional>
#include <string>

namespace rt {

// The separators and currency sign a locale writes numbers with.
struct NumberLocale {
    std::wstring decimal = L".";
    std::wstring thousands = L",";
    std::wstring currency = L"$";
};

// The current user's number settings.
NumberLocale UserNumberLocale();

// The value of a text that passes the number test: optional blanks around, a sign before or
// after (or parentheses around) the number, the locale's currency sign or a yen sign (¥ or ￥)
// before or after, digits with the locale's thousands separators between them, the locale's
// decimal separator, an exponent (E or D), or a hexadecimal (&H) or octal (&O) number.
// Nothing for any other text, the empty one included.
std::optional<double> ParseNumber(const std::wstring& text, const NumberLocale& locale);
std::optional<double> ParseNumber(const std::wstring& text);
bool IsNumeric(const std::wstring& text);

// To a 16-bit integer, to the nearest with halves to even (2.5 -> 2, 3.5 -> 4). Out of range:
// error 6 (overflow); text that fails the number test: error 13 (type mismatch).
short CInt(double value);
short CInt(const std::wstring& text);
// To a 32-bit integer, the same way.
long CLng(double value);
long CLng(const std::wstring& text);

// A money value: a whole number of ten-thousandths, so four decimal places are exact.
constexpr long long kCurrencyScale = 10000;
// To a money value (nearest ten-thousandth, halves to even) and back as a double. Out of
// range (beyond ±922,337,203,685,477.5807): error 6; text that fails the number test: 13.
// Text converts exactly from its decimal digits.
long long CurrencyUnits(double value);
long long CurrencyUnits(const std::wstring& text);
double CCur(double value);
double CCur(const std::wstring& text);

// The numeric value of the number at the start of the text, 0 when there is none. Blanks,
// tabs and line feeds are passed over anywhere; '.' is the decimal point whatever the locale;
// a sign, an exponent (E or D) and &H / &O prefixes are read ("12abc" -> 12, "1 2 3" -> 123).
double Val(const std::wstring& text);

}  // namespace rt
