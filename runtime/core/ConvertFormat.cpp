#include "runtime/core/ConvertFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

constexpr int kSignificantDigits = 15;  // what the runtime shows of a double
constexpr double kThousand = 1000.0;

struct Token {
    enum Kind { Zero, Hash, Point, Comma, Percent, Literal } kind;
    std::wstring text;
    bool IsDigit() const { return kind == Zero || kind == Hash; }
};

std::vector<std::wstring> SplitSections(const std::wstring& pattern) {
    std::vector<std::wstring> sections(1);
    bool quoted = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        if (c == L'"') quoted = !quoted;
        if (c == L'\\' && !quoted && i + 1 < pattern.size()) {
            sections.back() += c;
            sections.back() += pattern[++i];
            continue;
        }
        if (c == L';' && !quoted) {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

std::vector<Token> Tokenize(const std::wstring& section) {
    std::vector<Token> tokens;
    for (size_t i = 0; i < section.size(); ++i) {
        const wchar_t c = section[i];
        switch (c) {
        case L'0': tokens.push_back({Token::Zero, {}}); break;
        case L'#': tokens.push_back({Token::Hash, {}}); break;
        case L'.': tokens.push_back({Token::Point, {}}); break;
        case L',': tokens.push_back({Token::Comma, {}}); break;
        case L'%': tokens.push_back({Token::Percent, L"%"}); break;
        case L'\\':
            if (i + 1 < section.size()) tokens.push_back({Token::Literal, std::wstring(1, section[++i])});
            break;
        case L'"': {
            const size_t close = section.find(L'"', i + 1);
            const size_t end = close == std::wstring::npos ? section.size() : close;
            tokens.push_back({Token::Literal, section.substr(i + 1, end - i - 1)});
            i = end;
            break;
        }
        default: tokens.push_back({Token::Literal, std::wstring(1, c)}); break;
        }
    }
    return tokens;
}

// |value| rounded to `decimals` places (halves away from zero) as integer and fraction digits;
// the integer digits have no leading zeros ("" for zero).
void RoundedDigits(double magnitude, int decimals, std::string& whole, std::string& fraction) {
    std::string digits;
    int pointPos = 0;
    if (magnitude != 0.0) {
        char buffer[64];
        snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
        for (const char* p = buffer; *p && *p != 'e'; ++p) {
            if (*p != '.') digits += *p;
        }
        pointPos = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
    }
    if (pointPos < 0) {
        digits.insert(0, static_cast<size_t>(-pointPos), '0');
        pointPos = 0;
    }
    const size_t keep = static_cast<size_t>(pointPos + decimals);
    if (keep < digits.size()) {
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        if (up) {
            size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            } else {
                ++digits[i - 1];
            }
        }
    } else {
        digits.append(keep - digits.size(), '0');
    }
    whole = digits.substr(0, static_cast<size_t>(pointPos));
    fraction = digits.substr(static_cast<size_t>(pointPos));
    const size_t first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? std::string() : whole.substr(first);
}

std::wstring FormatSection(double magnitude, const std::vector<Token>& tokens, const NumberLocale& locale) {
    size_t point = tokens.size();
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Point) {
            point = i;
            break;
        }
    }
    // Integer part: commas between digit placeholders group, commas after the last one scale.
    std::vector<Token> integer;
    bool grouping = false;
    int lastIntDigit = -1;
    for (size_t i = 0; i < point; ++i) {
        if (tokens[i].IsDigit()) lastIntDigit = static_cast<int>(i);
    }
    for (size_t i = 0; i < point; ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Comma) {
            const bool digitBefore = !integer.empty() && std::any_of(integer.begin(), integer.end(),
                                                                       [](const Token& x) { return x.IsDigit(); });
            if (digitBefore && static_cast<int>(i) < lastIntDigit) {
                grouping = true;
            } else if (digitBefore) {
                magnitude /= kThousand;
            }
            continue;
        }
        if (t.kind == Token::Percent) magnitude *= 100.0;
        integer.push_back(t);
    }
    std::vector<Token> fractionTokens;
    int decimals = 0;
    for (size_t i = point + 1; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Comma || t.kind == Token::Point) continue;
        if (t.kind == Token::Percent) magnitude *= 100.0;
        if (t.IsDigit()) ++decimals;
        fractionTokens.push_back(t);
    }

    std::string whole, fraction;
    RoundedDigits(magnitude, decimals, whole, fraction);

    // Integer digits fill the placeholders from the right; the leftmost takes all the rest.
    std::wstring out;
    int leftmostDigit = -1;
    for (size_t i = 0; i < integer.size(); ++i) {
        if (integer[i].IsDigit()) {
            leftmostDigit = static_cast<int>(i);
            break;
        }
    }
    size_t remaining = whole.size();
    int emitted = 0;
    auto emit = [&](wchar_t digit) {
        if (grouping && emitted > 0 && emitted % 3 == 0) out.insert(0, locale.thousands);
        out.insert(out.begin(), digit);
        ++emitted;
    };
    for (int i = static_cast<int>(integer.size()) - 1; i >= 0; --i) {
        const Token& t = integer[static_cast<size_t>(i)];
        if (!t.IsDigit()) {
            out.insert(0, t.text);
            continue;
        }
        if (i == leftmostDigit) {
            if (remaining == 0 && t.kind == Token::Zero) emit(L'0');
            while (remaining > 0) emit(static_cast<wchar_t>(whole[--remaining]));
        } else if (remaining > 0) {
            emit(static_cast<wchar_t>(whole[--remaining]));
        } else if (t.kind == Token::Zero) {
            emit(L'0');
        }
    }
    if (leftmostDigit < 0) out += std::wstring(whole.begin(), whole.end());

    if (point < tokens.size()) {
        // Trailing # places drop their zeros; 0 places keep them.
        std::vector<bool> shown(fraction.size(), true);
        size_t digitIndex = fraction.size();
        for (int i = static_cast<int>(fractionTokens.size()) - 1; i >= 0; --i) {
            const Token& t = fractionTokens[static_cast<size_t>(i)];
            if (!t.IsDigit()) continue;
            --digitIndex;
            if (t.kind == Token::Hash && fraction[digitIndex] == '0') {
                shown[digitIndex] = false;
            } else {
                break;
            }
        }
        out += locale.decimal;
        size_t index = 0;
        for (const Token& t : fractionTokens) {
            if (t.IsDigit()) {
                if (shown[index]) out += static_cast<wchar_t>(fraction[index]);
                ++index;
            } else {
                out += t.text;
            }
        }
    }
    return out;
}

}  // namespace

std::wstring FormatNumber(double value, const std::wstring& pattern, const NumberLocale& locale) {
    if (!std::isfinite(value)) Raise(err::kInvalidProcedureCall);
    const std::vector<std::wstring> sections = SplitSections(pattern);
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
        return FormatSection(-value, Tokenize(sections[1]), locale);
    }
    if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
        return FormatSection(0.0, Tokenize(sections[2]), locale);
    }
    const std::wstring text = FormatSection(std::fabs(value), Tokenize(sections[0]), locale);
    return value < 0 ? L"-" + text : text;
}

std::wstring FormatNumber(double value, const std::wstring& pattern) {
    return FormatNumber(value, pattern, UserNumberLocale());
}

}  // namespace rt
