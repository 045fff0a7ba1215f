#pragma once
// The contents of a settings database held in memory: tables of named, typed fields and
// records of values. Plain data; DatabaseFormat turns it into bytes and back.
#include <cstdint>
#include <string>
#include <vector>

#include "store/Variant.h"

namespace store {

// Type codes as they are written in the file.
enum class FieldType : std::uint8_t { Integer16 = 1, Integer32 = 2, Text = 3 };

struct FieldDef {
    std::wstring name;
    FieldType type = FieldType::Integer16;
    bool operator==(const FieldDef&) const = default;
};

// One value per field, in field order; any value may be Null.
using Record = std::vector<Variant>;

struct Table {
    std::wstring name;
    std::vector<FieldDef> fields;
    std::vector<Record> records;
    bool operator==(const Table&) const = default;
};

struct Database {
    std::vector<Table> tables;
    bool operator==(const Database&) const = default;
};

// Table and field names compare without regard to case, as they always have in databases.
bool SameName(const std::wstring& a, const std::wstring& b);

// The table whose name matches, or nullptr.
const Table* FindTable(const Database& database, const std::wstring& name);
Table* FindTable(Database& database, const std::wstring& name);

// Whether value may be stored in a field of this type: Null always; integers when in range;
// text in text fields. Raises the store's type, overflow or length error otherwise.
void CheckValueForField(const Variant& value, FieldType type, const wchar_t* source);

// value as it is stored in a field of this type (a 16-bit integer widened for a 32-bit field,
// a 32-bit one narrowed for a 16-bit field). Call after CheckValueForField.
Variant StoredValue(const Variant& value, FieldType type);

}  // namespace store
