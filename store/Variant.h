#pragma once
// A field value of the settings store: Null, a 16-bit or 32-bit signed integer, or text.
// Fields hand these out and take them in, the way an automation variant travels.
#include <cstdint>
#include <string>
#include <variant>

namespace store {

class Variant {
public:
    enum class Kind { Null, Integer16, Integer32, Text };

    Variant() = default;  // Null
    Variant(std::int16_t value) : m_value(value) {}
    Variant(std::int32_t value) : m_value(value) {}
    Variant(std::wstring value) : m_value(std::move(value)) {}
    Variant(const wchar_t* value) : m_value(std::wstring(value)) {}

    static Variant Null() { return Variant(); }

    Kind GetKind() const { return static_cast<Kind>(m_value.index()); }
    bool IsNull() const { return GetKind() == Kind::Null; }
    // The held value; asking for another kind than the one held is a type mismatch (13).
    std::int16_t Integer16() const;
    std::int32_t Integer32() const;
    const std::wstring& Text() const;

    bool operator==(const Variant&) const = default;

private:
    std::variant<std::monostate, std::int16_t, std::int32_t, std::wstring> m_value;
};

// The value converted to a 16-bit signed integer as the language's integer conversion does:
// integers in range pass, numeric text (blanks around it allowed, a fraction rounded half to
// even) is parsed; Null raises "Invalid use of Null" (94), other text "Type mismatch" (13),
// a value outside -32768..32767 "Overflow" (6).
std::int16_t CInt(const Variant& value);

// A readable form for messages and test output: Null, 7, "text".
std::wstring Describe(const Variant& value);

}  // namespace store
