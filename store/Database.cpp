#include "store/Database.h"

#include <windows.h>

#include <limits>

#include "store/DatabaseFormat.h"
#include "store/StoreErrors.h"

namespace store {

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

namespace {

template <class DatabaseT>
auto FindTableIn(DatabaseT& database, const std::wstring& name) -> decltype(&database.tables[0]) {
    for (auto& table : database.tables) {
        if (SameName(table.name, name)) return &table;
    }
    return nullptr;
}

bool IsInteger(const Variant& value) {
    return value.GetKind() == Variant::Kind::Integer16 || value.GetKind() == Variant::Kind::Integer32;
}

std::int32_t IntegerOf(const Variant& value) {
    return value.GetKind() == Variant::Kind::Integer16 ? value.Integer16() : value.Integer32();
}

}  // namespace

const Table* FindTable(const Database& database, const std::wstring& name) { return FindTableIn(database, name); }
Table* FindTable(Database& database, const std::wstring& name) { return FindTableIn(database, name); }

void CheckValueForField(const Variant& value, FieldType type, const wchar_t* source) {
    if (value.IsNull()) return;
    switch (type) {
    case FieldType::Integer16:
    case FieldType::Integer32:
        if (!IsInteger(value)) RaiseStoreError(err::kWrongType, source, {}, L"该字段存放整数，不能存放文本。");
        if (type == FieldType::Integer16) {
            const std::int32_t number = IntegerOf(value);
            if (number < std::numeric_limits<std::int16_t>::min() || number > std::numeric_limits<std::int16_t>::max())
                RaiseStoreError(err::kNumericOverflow, source, {},
                                L"该字段存放 16 位整数；" + std::to_wstring(number) + L" 超出范围。");
        }
        return;
    case FieldType::Text:
        if (value.GetKind() != Variant::Kind::Text)
            RaiseStoreError(err::kWrongType, source, {}, L"该字段存放文本，不能存放整数。");
        if (value.Text().size() > kMaxTextLength)
            RaiseStoreError(err::kTextTooLong, source, {},
                            L"文本字段最多存放 " + std::to_wstring(kMaxTextLength) + L" 个字符。");
        return;
    }
}

Variant StoredValue(const Variant& value, FieldType type) {
    if (value.IsNull() || type == FieldType::Text) return value;
    const std::int32_t number = IntegerOf(value);
    if (type == FieldType::Integer16) return Variant(static_cast<std::int16_t>(number));
    return Variant(number);
}

}  // namespace store
