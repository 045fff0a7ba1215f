#include "store/Variant.h"

#include <cmath>
#include <cwctype>

#include "runtime/core/RuntimeError.h"

namespace store {

namespace {

constexpr long kInvalidUseOfNull = 94;

// Numeric text: optional blanks, an optional sign, digits with an optional '.' fraction.
// Returns false for anything else.
bool ParseNumber(const std::wstring& text, double& number) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    double value = 0;
    bool digits = false;
    while (i < n && text[i] >= L'0' && text[i] <= L'9') {
        value = value * 10 + (text[i++] - L'0');
        digits = true;
    }
    if (i < n && text[i] == L'.') {
        ++i;
        double scale = 0.1;
        while (i < n && text[i] >= L'0' && text[i] <= L'9') {
            value += (text[i++] - L'0') * scale;
            scale /= 10;
            digits = true;
        }
    }
    while (i < n && std::iswspace(text[i])) ++i;
    if (!digits || i != n) return false;
    number = negative ? -value : value;
    return true;
}

std::int16_t CheckedInteger16(double value) {
    const double rounded = std::nearbyint(value);  // the default rounding mode: half to even
    if (rounded < -32768.0 || rounded > 32767.0) rt::Raise(rt::err::kOverflow);
    return static_cast<std::int16_t>(rounded);
}

}  // namespace

std::int16_t Variant::Integer16() const {
    if (GetKind() != Kind::Integer16) rt::Raise(rt::err::kTypeMismatch);
    return std::get<std::int16_t>(m_value);
}

std::int32_t Variant::Integer32() const {
    if (GetKind() != Kind::Integer32) rt::Raise(rt::err::kTypeMismatch);
    return std::get<std::int32_t>(m_value);
}

const std::wstring& Variant::Text() const {
    if (GetKind() != Kind::Text) rt::Raise(rt::err::kTypeMismatch);
    return std::get<std::wstring>(m_value);
}

std::int16_t CInt(const Variant& value) {
    switch (value.GetKind()) {
    case Variant::Kind::Null:
        rt::Raise(kInvalidUseOfNull);
    case Variant::Kind::Integer16:
        return value.Integer16();
    case Variant::Kind::Integer32:
        return CheckedInteger16(value.Integer32());
    case Variant::Kind::Text: {
        double number = 0;
        if (!ParseNumber(value.Text(), number)) rt::Raise(rt::err::kTypeMismatch);
        return CheckedInteger16(number);
    }
    }
    rt::Raise(rt::err::kTypeMismatch);
}

std::wstring Describe(const Variant& value) {
    switch (value.GetKind()) {
    case Variant::Kind::Null:
        return L"Null";
    case Variant::Kind::Integer16:
        return std::to_wstring(value.Integer16());
    case Variant::Kind::Integer32:
        return std::to_wstring(value.Integer32());
    case Variant::Kind::Text:
        return L"\"" + value.Text() + L"\"";
    }
    return L"?";
}

}  // namespace store
