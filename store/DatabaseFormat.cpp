#include "store/DatabaseFormat.h"

#include <algorithm>
#include <cstring>

#include "store/Crc32.h"
#include "store/StoreErrors.h"

namespace store {

namespace {

// Microsoft Jet and ACE files carry their engine's name from byte 4; naming it in the error
// tells the user what went wrong better than "unrecognised".
constexpr std::size_t kJetSignatureOffset = 4;
constexpr char kJetSignature[] = "Standard Jet DB";
constexpr char kAceSignature[] = "Standard ACE DB";

// ---- writing ----

class Writer {
public:
    void U8(std::uint8_t v) { m_bytes.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Units(const std::wstring& text) {
        U16(static_cast<std::uint16_t>(text.size()));
        for (wchar_t unit : text) U16(static_cast<std::uint16_t>(unit));
    }
    Bytes& Result() { return m_bytes; }

private:
    Bytes m_bytes;
};

void PutU16At(Bytes& bytes, std::size_t offset, std::uint16_t v) {
    bytes[offset] = static_cast<std::uint8_t>(v);
    bytes[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32At(Bytes& bytes, std::size_t offset, std::uint32_t v) {
    PutU16At(bytes, offset, static_cast<std::uint16_t>(v));
    PutU16At(bytes, offset + 2, static_cast<std::uint16_t>(v >> 16));
}

[[noreturn]] void RaiseInvalid(const std::wstring& detail) {
    RaiseStoreError(err::kInvalidArgument, kDatabaseSource, {}, detail);
}

// Empty names, over-long names and duplicates (case ignored) are refused; returns the problem
// or an empty string.
template <class Item, class NameOf>
std::wstring NameProblem(const std::vector<Item>& items, NameOf nameOf, const wchar_t* what) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::wstring& name = nameOf(items[i]);
        if (name.empty() || name.size() > kMaxNameLength)
            return std::wstring(what) + L" " + std::to_wstring(i) + L" has a name of " + std::to_wstring(name.size()) +
                   L" characters (1 to " + std::to_wstring(kMaxNameLength) + L" allowed).";
        for (std::size_t j = 0; j < i; ++j) {
            if (SameName(nameOf(items[j]), name)) return std::wstring(what) + L" name '" + name + L"' is used twice.";
        }
    }
    return {};
}

void CheckTable(const Table& table) {
    if (table.fields.empty() || table.fields.size() > kMaxFieldCount)
        RaiseInvalid(L"Table '" + table.name + L"' has " + std::to_wstring(table.fields.size()) +
                     L" fields (1 to 255 allowed).");
    const auto problem = NameProblem(table.fields, [](const FieldDef& f) -> const std::wstring& { return f.name; },
                                     L"Field");
    if (!problem.empty()) RaiseInvalid(problem);
    for (const auto& field : table.fields) {
        if (field.type != FieldType::Integer16 && field.type != FieldType::Integer32 && field.type != FieldType::Text)
            RaiseInvalid(L"Field '" + field.name + L"' has an unknown type.");
    }
    for (const auto& record : table.records) {
        if (record.size() != table.fields.size())
            RaiseInvalid(L"A record of table '" + table.name + L"' has " + std::to_wstring(record.size()) +
                         L" values for " + std::to_wstring(table.fields.size()) + L" fields.");
        for (std::size_t i = 0; i < record.size(); ++i) {
            CheckValueForField(record[i], table.fields[i].type, kDatabaseSource);
            // A 16-bit value in a 32-bit field (or the reverse) must be stored as the field's own kind.
            if (!(StoredValue(record[i], table.fields[i].type) == record[i]))
                RaiseInvalid(L"A value of field '" + table.fields[i].name + L"' is not of the field's own kind.");
        }
    }
}

void WriteValue(Writer& out, const Variant& value, FieldType type) {
    if (value.IsNull()) {
        out.U8(0);
        return;
    }
    out.U8(static_cast<std::uint8_t>(type));
    switch (type) {
    case FieldType::Integer16:
        out.U16(static_cast<std::uint16_t>(value.Integer16()));
        break;
    case FieldType::Integer32:
        out.U32(static_cast<std::uint32_t>(value.Integer32()));
        break;
    case FieldType::Text:
        out.Units(value.Text());
        break;
    }
}

// ---- reading ----

// Bounded reads over the body; running past the end or meeting a bad value raises kDamaged
// with a sentence on where.
class Reader {
public:
    Reader(const Bytes& bytes, std::size_t offset, const std::wstring& fileName)
        : m_bytes(bytes), m_offset(offset), m_fileName(fileName) {}

    std::size_t Offset() const { return m_offset; }
    bool AtEnd() const { return m_offset == m_bytes.size(); }
    std::size_t Remaining() const { return m_bytes.size() - m_offset; }

    std::uint8_t U8(const wchar_t* what) {
        Need(1, what);
        return m_bytes[m_offset++];
    }
    std::uint16_t U16(const wchar_t* what) {
        Need(2, what);
        const std::uint16_t v = static_cast<std::uint16_t>(m_bytes[m_offset] | (m_bytes[m_offset + 1] << 8));
        m_offset += 2;
        return v;
    }
    std::uint32_t U32(const wchar_t* what) {
        Need(4, what);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | m_bytes[m_offset + i];
        m_offset += 4;
        return v;
    }
    std::wstring Units(std::size_t count, const wchar_t* what) {
        Need(count * 2, what);
        std::wstring text(count, L'\0');
        for (auto& unit : text) unit = static_cast<wchar_t>(U16(what));
        return text;
    }
    std::wstring Name(const wchar_t* what) {
        const std::uint16_t length = U16(what);
        if (length == 0 || length > kMaxNameLength)
            Fail(std::wstring(what) + L" has a name length of " + std::to_wstring(length) + L".");
        return Units(length, what);
    }

    [[noreturn]] void Fail(const std::wstring& detail) const {
        RaiseStoreError(err::kDamaged, kDatabaseSource, m_fileName,
                        L"At byte " + std::to_wstring(m_offset) + L": " + detail);
    }

private:
    void Need(std::size_t count, const wchar_t* what) const {
        if (Remaining() < count) Fail(L"The data ends inside " + std::wstring(what) + L".");
    }

    const Bytes& m_bytes;
    std::size_t m_offset;
    const std::wstring& m_fileName;
};

std::uint16_t U16At(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t U32At(const Bytes& bytes, std::size_t offset) {
    return U16At(bytes, offset) | (static_cast<std::uint32_t>(U16At(bytes, offset + 2)) << 16);
}

[[noreturn]] void RaiseDamaged(const std::wstring& fileName, const std::wstring& detail) {
    RaiseStoreError(err::kDamaged, kDatabaseSource, fileName, detail);
}

bool HasSignatureAt(const Bytes& bytes, std::size_t offset, const char* signature) {
    const std::size_t length = std::strlen(signature);
    return bytes.size() >= offset + length && std::memcmp(bytes.data() + offset, signature, length) == 0;
}

// Empty files, short files and foreign files: everything decided by the first bytes.
void CheckMagic(const Bytes& bytes, const std::wstring& fileName) {
    if (bytes.empty()) RaiseDamaged(fileName, L"The file is empty.");
    const std::size_t present = std::min(bytes.size(), sizeof(kMagic));
    if (std::memcmp(bytes.data(), kMagic, present) == 0) {
        if (bytes.size() < kHeaderSize)
            RaiseDamaged(fileName, L"It ends after " + std::to_wstring(bytes.size()) + L" bytes, inside its " +
                                       std::to_wstring(kHeaderSize) + L"-byte header.");
        return;
    }
    if (HasSignatureAt(bytes, kJetSignatureOffset, kJetSignature) ||
        HasSignatureAt(bytes, kJetSignatureOffset, kAceSignature))
        RaiseStoreError(err::kUnrecognizedFormat, kDatabaseSource, fileName,
                        L"It is a Microsoft Jet/Access database; this program keeps its settings in a file of its "
                        L"own format.");
    RaiseStoreError(err::kUnrecognizedFormat, kDatabaseSource, fileName,
                    L"It does not begin with the settings database signature.");
}

void CheckHeader(const Bytes& bytes, const std::wstring& fileName) {
    const std::uint16_t version = U16At(bytes, kVersionOffset);
    if (version != kFormatVersion)
        RaiseStoreError(err::kWrongVersion, kDatabaseSource, fileName,
                        L"Its format version is " + std::to_wstring(version) + L"; this program reads version " +
                            std::to_wstring(kFormatVersion) + L".");
    const std::uint32_t bodyLength = U32At(bytes, kBodyLengthOffset);
    const std::size_t present = bytes.size() - kHeaderSize;
    if (bodyLength > kMaxBodyLength)
        RaiseDamaged(fileName, L"Its header announces " + std::to_wstring(bodyLength) + L" bytes of data, more than a "
                                   L"settings database holds.");
    if (present < bodyLength)
        RaiseDamaged(fileName, L"It is truncated: " + std::to_wstring(present) + L" of the " +
                                   std::to_wstring(bodyLength) + L" data bytes its header announces are present.");
    if (present > bodyLength)
        RaiseDamaged(fileName, std::to_wstring(present - bodyLength) + L" bytes follow the " +
                                   std::to_wstring(bodyLength) + L" data bytes its header announces.");
    if (ChecksumOf(bytes) != U32At(bytes, kChecksumOffset))
        RaiseDamaged(fileName, L"Its checksum does not match its contents.");
}

FieldType ReadFieldType(Reader& in) {
    const std::uint8_t code = in.U8(L"a field type");
    if (code < static_cast<std::uint8_t>(FieldType::Integer16) || code > static_cast<std::uint8_t>(FieldType::Text))
        in.Fail(L"A field has the unknown type " + std::to_wstring(code) + L".");
    return static_cast<FieldType>(code);
}

Variant ReadValue(Reader& in, FieldType type) {
    const std::uint8_t tag = in.U8(L"a record");
    if (tag == 0) return Variant::Null();
    if (tag != static_cast<std::uint8_t>(type))
        in.Fail(L"A value is tagged " + std::to_wstring(tag) + L" in a field of type " +
                std::to_wstring(static_cast<int>(type)) + L".");
    switch (type) {
    case FieldType::Integer16:
        return Variant(static_cast<std::int16_t>(in.U16(L"a record")));
    case FieldType::Integer32:
        return Variant(static_cast<std::int32_t>(in.U32(L"a record")));
    case FieldType::Text:
        return Variant(in.Units(in.U16(L"a record"), L"a record"));
    }
    in.Fail(L"A field has an unknown type.");
}

Table ReadTable(Reader& in) {
    Table table;
    table.name = in.Name(L"a table name");
    const std::uint16_t fieldCount = in.U16(L"a field count");
    if (fieldCount == 0 || fieldCount > kMaxFieldCount)
        in.Fail(L"Table '" + table.name + L"' has " + std::to_wstring(fieldCount) + L" fields.");
    for (std::uint16_t i = 0; i < fieldCount; ++i) {
        FieldDef field;
        field.type = ReadFieldType(in);
        field.name = in.Name(L"a field name");
        table.fields.push_back(std::move(field));
    }
    const auto problem =
        NameProblem(table.fields, [](const FieldDef& f) -> const std::wstring& { return f.name; }, L"Field");
    if (!problem.empty()) in.Fail(L"In table '" + table.name + L"': " + problem);
    const std::uint32_t recordCount = in.U32(L"a record count");
    // Each value takes at least its tag byte: a count beyond that cannot be genuine.
    if (recordCount > in.Remaining() / fieldCount)
        in.Fail(L"Table '" + table.name + L"' counts " + std::to_wstring(recordCount) +
                L" records, more than the rest of the file can hold.");
    table.records.reserve(recordCount);
    for (std::uint32_t r = 0; r < recordCount; ++r) {
        Record record;
        record.reserve(fieldCount);
        for (const auto& field : table.fields) record.push_back(ReadValue(in, field.type));
        table.records.push_back(std::move(record));
    }
    return table;
}

}  // namespace

std::uint32_t ChecksumOf(const Bytes& bytes) {
    std::uint32_t crc = Crc32(0, bytes.data(), kChecksumOffset);
    return Crc32(crc, bytes.data() + kHeaderSize, bytes.size() - kHeaderSize);
}

Bytes Encode(const Database& database) {
    if (database.tables.size() > kMaxTableCount) RaiseInvalid(L"Too many tables.");
    const auto problem =
        NameProblem(database.tables, [](const Table& t) -> const std::wstring& { return t.name; }, L"Table");
    if (!problem.empty()) RaiseInvalid(problem);
    for (const auto& table : database.tables) CheckTable(table);

    Writer out;
    for (std::uint8_t b : kMagic) out.U8(b);
    out.U16(kFormatVersion);
    out.U16(static_cast<std::uint16_t>(database.tables.size()));
    out.U32(0);  // body length and checksum are filled in below
    out.U32(0);
    for (const auto& table : database.tables) {
        out.Units(table.name);
        out.U16(static_cast<std::uint16_t>(table.fields.size()));
        for (const auto& field : table.fields) {
            out.U8(static_cast<std::uint8_t>(field.type));
            out.Units(field.name);
        }
        out.U32(static_cast<std::uint32_t>(table.records.size()));
        for (const auto& record : table.records) {
            for (std::size_t i = 0; i < record.size(); ++i) WriteValue(out, record[i], table.fields[i].type);
        }
    }
    Bytes& bytes = out.Result();
    const std::size_t bodyLength = bytes.size() - kHeaderSize;
    if (bodyLength > kMaxBodyLength) RaiseInvalid(L"The database is larger than a settings database may be.");
    PutU32At(bytes, kBodyLengthOffset, static_cast<std::uint32_t>(bodyLength));
    PutU32At(bytes, kChecksumOffset, ChecksumOf(bytes));
    return bytes;
}

Database Decode(const Bytes& bytes, const std::wstring& fileName) {
    CheckMagic(bytes, fileName);
    CheckHeader(bytes, fileName);
    const std::uint16_t tableCount = U16At(bytes, kTableCountOffset);
    Reader in(bytes, kHeaderSize, fileName);
    Database database;
    for (std::uint16_t t = 0; t < tableCount; ++t) {
        if (in.AtEnd())
            in.Fail(L"Its header counts " + std::to_wstring(tableCount) + L" tables, but the data ends after " +
                    std::to_wstring(t) + L".");
        database.tables.push_back(ReadTable(in));
    }
    if (!in.AtEnd())
        in.Fail(L"Its header counts " + std::to_wstring(tableCount) + L" tables, but more data follows the last.");
    const auto problem =
        NameProblem(database.tables, [](const Table& t) -> const std::wstring& { return t.name; }, L"Table");
    if (!problem.empty()) in.Fail(problem);
    return database;
}

}  // namespace store
