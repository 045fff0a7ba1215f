#include "runtime/core/Convert.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

// The exact decimal form of a number read from text: (negative ? -1 : 1) x digits x 10^exponent.
struct DecimalText {
    bool negative = false;
    std::string digits;  // ASCII decimal digits, possibly empty (zero)
    int exponent = 0;
};

constexpr wchar_t kYenSign = L'\u00A5';
constexpr wchar_t kFullWidthYenSign = L'\uFFE5';
constexpr double kMaxCurrencyUnits = 9223372036854775807.0;
constexpr size_t kMaxHexDigits = 8;
constexpr size_t kMaxOctalDigits = 11;

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback) {
    wchar_t buffer[16] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16) <= 1) return fallback;
    return buffer;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int DigitValue(wchar_t c, int base) {
    int value = -1;
    if (c >= L'0' && c <= L'9') value = c - L'0';
    if (c >= L'a' && c <= L'f') value = c - L'a' + 10;
    if (c >= L'A' && c <= L'F') value = c - L'A' + 10;
    return value < base ? value : -1;
}

// Reads a text cursor over the number grammar.
class Scanner {
public:
    Scanner(const std::wstring& text, const NumberLocale& locale) : m_text(text), m_locale(locale) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    wchar_t Peek(size_t ahead = 0) const { return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : L'\0'; }
    void Skip(size_t count = 1) { m_pos += count; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) Skip();
    }
    bool Take(const std::wstring& token) {
        if (token.empty() || m_text.compare(m_pos, token.size(), token) != 0) return false;
        m_pos += token.size();
        return true;
    }
    bool TakeCurrency() {
        if (Peek() == kYenSign || Peek() == kFullWidthYenSign) {
            Skip();
            return true;
        }
        return Take(m_locale.currency);
    }
    // A thousands separator counts only between digits.
    bool TakeThousands() {
        const std::wstring& sep = m_locale.thousands;
        if (sep.empty() || m_text.compare(m_pos, sep.size(), sep) != 0) return false;
        if (!IsDigit(Peek(sep.size()))) return false;
        m_pos += sep.size();
        return true;
    }
    bool TakeDecimal() { return Take(m_locale.decimal); }

private:
    const std::wstring& m_text;
    const NumberLocale& m_locale;
    size_t m_pos = 0;
};

// The whole number of a &H or &O literal, as the runtime types it: up to four hex digits (six
// octal) as a 16-bit value, longer ones as a 32-bit value.
std::optional<long long> ParseRadixDigits(Scanner& in, int base) {
    const size_t maxDigits = base == 16 ? kMaxHexDigits : kMaxOctalDigits;
    unsigned long long value = 0;
    size_t count = 0;
    while (DigitValue(in.Peek(), base) >= 0) {
        value = value * base + static_cast<unsigned>(DigitValue(in.Peek(), base));
        in.Skip();
        if (++count > maxDigits || value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (count == 0) return std::nullopt;
    if (value <= 0xFFFF && count <= (base == 16 ? 4u : 6u)) return static_cast<short>(value);
    return static_cast<int>(static_cast<unsigned>(value));
}

DecimalText FromInteger(long long value) {
    DecimalText number;
    number.negative = value < 0;
    const unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value) : value;
    if (magnitude) number.digits = std::to_string(magnitude);
    return number;
}

bool TakeSign(Scanner& in, bool& signSeen, bool& negative) {
    if (signSeen || (in.Peek() != L'+' && in.Peek() != L'-')) return false;
    negative = in.Peek() == L'-';
    signSeen = true;
    in.Skip();
    return true;
}

std::optional<DecimalText> ParseDecimalText(const std::wstring& text, const NumberLocale& locale);
double ToDouble(const DecimalText& number);

long long RoundedCurrencyUnits(const DecimalText& number) {
    std::string digits = number.digits;
    const size_t firstNonZero = digits.find_first_not_of('0');
    digits = firstNonZero == std::string::npos ? std::string() : digits.substr(firstNonZero);
    if (digits.empty()) return 0;
    const long long shift = static_cast<long long>(number.exponent) + 4;  // to ten-thousandths
    std::string whole;
    bool roundUp = false;
    if (shift >= 0) {
        if (static_cast<long long>(digits.size()) + shift > 19) Raise(err::kOverflow);
        whole = digits + std::string(static_cast<size_t>(shift), '0');
    } else {
        const long long keep = static_cast<long long>(digits.size()) + shift;
        whole = keep > 0 ? digits.substr(0, static_cast<size_t>(keep)) : std::string();
        const std::string rest = keep > 0 ? digits.substr(static_cast<size_t>(keep))
                                          : std::string(static_cast<size_t>(-keep), '0') + digits;
        // Halves go to the even neighbour.
        const bool odd = !whole.empty() && (whole.back() - '0') % 2 == 1;
        const bool restBeyondHalf = rest.find_first_not_of('0', 1) != std::string::npos;
        roundUp = rest[0] > '5' || (rest[0] == '5' && (restBeyondHalf || odd));
        if (whole.size() > 19) Raise(err::kOverflow);
    }
    unsigned long long units = whole.empty() ? 0 : std::strtoull(whole.c_str(), nullptr, 10);
    if (whole.size() == 19 && whole > "9223372036854775808") Raise(err::kOverflow);
    if (roundUp) ++units;
    const unsigned long long limit = 9223372036854775807ull + (number.negative ? 1 : 0);
    if (units > limit) Raise(err::kOverflow);
    return number.negative ? static_cast<long long>(0ull - units) : static_cast<long long>(units);
}

}  // namespace

NumberLocale UserNumberLocale() {
    NumberLocale locale;
    locale.decimal = LocaleText(LOCALE_SDECIMAL, L".");
    locale.thousands = LocaleText(LOCALE_STHOUSAND, L",");
    locale.currency = LocaleText(LOCALE_SCURRENCY, L"$");
    return locale;
}

namespace {

std::optional<DecimalText> ParseDecimalText(const std::wstring& text, const NumberLocale& locale) {
    Scanner in(text, locale);
    bool signSeen = false, negative = false, paren = false, closed = false, currency = false;
    for (;;) {
        in.SkipBlanks();
        if (!paren && !signSeen && in.Peek() == L'(') {
            paren = true;
            in.Skip();
        } else if (TakeSign(in, signSeen, negative)) {
        } else if (!currency && in.TakeCurrency()) {
            currency = true;
        } else {
            break;
        }
    }
    DecimalText number;
    if (in.Peek() == L'&' && !signSeen && !paren && !currency) {
        const wchar_t radix = static_cast<wchar_t>(towupper(in.Peek(1)));
        if (radix != L'H' && radix != L'O') return std::nullopt;
        in.Skip(2);
        const auto value = ParseRadixDigits(in, radix == L'H' ? 16 : 8);
        if (!value) return std::nullopt;
        in.SkipBlanks();
        if (!in.AtEnd()) return std::nullopt;
        return FromInteger(*value);
    }
    std::string intDigits, fracDigits;
    while (IsDigit(in.Peek()) || (!intDigits.empty() && in.TakeThousands())) {
        if (IsDigit(in.Peek())) {
            intDigits += static_cast<char>(in.Peek());
            in.Skip();
        }
    }
    if (in.TakeDecimal()) {
        while (IsDigit(in.Peek())) {
            fracDigits += static_cast<char>(in.Peek());
            in.Skip();
        }
    }
    if (intDigits.empty() && fracDigits.empty()) return std::nullopt;
    long long exponent = 0;
    const wchar_t e = static_cast<wchar_t>(towupper(in.Peek()));
    if (e == L'E' || e == L'D') {
        in.Skip();
        bool expNegative = false;
        if (in.Peek() == L'+' || in.Peek() == L'-') {
            expNegative = in.Peek() == L'-';
            in.Skip();
        }
        if (!IsDigit(in.Peek())) return std::nullopt;
        while (IsDigit(in.Peek())) {
            exponent = std::min<long long>(exponent * 10 + (in.Peek() - L'0'), 100000);
            in.Skip();
        }
        if (expNegative) exponent = -exponent;
    }
    for (;;) {
        in.SkipBlanks();
        if (paren && !closed && in.Peek() == L')') {
            closed = true;
            in.Skip();
        } else if (!paren && TakeSign(in, signSeen, negative)) {
        } else if (!currency && in.TakeCurrency()) {
            currency = true;
        } else {
            break;
        }
    }
    if (!in.AtEnd() || paren != closed || (paren && signSeen)) return std::nullopt;
    number.negative = negative || paren;
    number.digits = intDigits + fracDigits;
    number.exponent = static_cast<int>(exponent - static_cast<long long>(fracDigits.size()));
    return number;
}

double ToDouble(const DecimalText& number) {
    if (number.digits.empty()) return 0.0;
    const std::string text = number.digits + "e" + std::to_string(number.exponent);
    const double magnitude = std::strtod(text.c_str(), nullptr);
    return number.negative ? -magnitude : magnitude;
}

}  // namespace

std::optional<double> ParseNumber(const std::wstring& text, const NumberLocale& locale) {
    const auto number = ParseDecimalText(text, locale);
    if (!number) return std::nullopt;
    const double value = ToDouble(*number);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> ParseNumber(const std::wstring& text) { return ParseNumber(text, UserNumberLocale()); }

bool IsNumeric(const std::wstring& text) { return ParseNumber(text).has_value(); }

short CInt(double value) {
    const double rounded = std::nearbyint(value);  // halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) Raise(err::kOverflow);
    return static_cast<short>(rounded);
}

short CInt(const std::wstring& text) {
    const auto value = ParseNumber(text);
    if (!value) Raise(err::kTypeMismatch);
    return CInt(*value);
}

long CLng(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) Raise(err::kOverflow);
    return static_cast<long>(rounded);
}

long CLng(const std::wstring& text) {
    const auto value = ParseNumber(text);
    if (!value) Raise(err::kTypeMismatch);
    return CLng(*value);
}

long long CurrencyUnits(double value) {
    const double scaled = std::nearbyint(value * kCurrencyScale);
    if (!(scaled >= -kMaxCurrencyUnits - 1.0 && scaled < kMaxCurrencyUnits)) Raise(err::kOverflow);
    return static_cast<long long>(scaled);
}

long long CurrencyUnits(const std::wstring& text) {
    const auto number = ParseDecimalText(text, UserNumberLocale());
    if (!number) Raise(err::kTypeMismatch);
    return RoundedCurrencyUnits(*number);
}

double CCur(double value) { return static_cast<double>(CurrencyUnits(value)) / kCurrencyScale; }

double CCur(const std::wstring& text) { return static_cast<double>(CurrencyUnits(text)) / kCurrencyScale; }

double Val(const std::wstring& text) {
    std::wstring compact;
    for (wchar_t c : text) {
        if (c != L' ' && c != L'\t' && c != L'\n') compact += c;
    }
    NumberLocale plain;
    Scanner in(compact, plain);
    if (in.Peek() == L'&') {
        const wchar_t radix = static_cast<wchar_t>(towupper(in.Peek(1)));
        if (radix == L'H' || radix == L'O') {
            in.Skip(2);
            const int base = radix == L'H' ? 16 : 8;
            if (DigitValue(in.Peek(), base) < 0) return 0.0;
            const auto value = ParseRadixDigits(in, base);
            if (!value) Raise(err::kOverflow);  // more digits than a 32-bit value holds
            return static_cast<double>(*value);
        }
        return 0.0;
    }
    std::string number;
    if (in.Peek() == L'+' || in.Peek() == L'-') {
        if (in.Peek() == L'-') number += '-';
        in.Skip();
    }
    bool anyDigit = false;
    while (IsDigit(in.Peek())) {
        number += static_cast<char>(in.Peek());
        in.Skip();
        anyDigit = true;
    }
    if (in.Peek() == L'.') {
        number += '.';
        in.Skip();
        while (IsDigit(in.Peek())) {
            number += static_cast<char>(in.Peek());
            in.Skip();
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0.0;
    const wchar_t e = static_cast<wchar_t>(towupper(in.Peek()));
    if (e == L'E' || e == L'D') {
        std::string exponent = "e";
        size_t ahead = 1;
        if (in.Peek(1) == L'+' || in.Peek(1) == L'-') {
            exponent += static_cast<char>(in.Peek(1));
            ahead = 2;
        }
        if (IsDigit(in.Peek(ahead))) {
            in.Skip(ahead);
            while (IsDigit(in.Peek())) {
                exponent += static_cast<char>(in.Peek());
                in.Skip();
            }
            number += exponent;
        }
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) Raise(err::kOverflow);
    return value;
}

}  // namespace rt
