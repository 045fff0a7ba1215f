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
            return std::wstring(what) + L" " + std::to_wstring(i) + L" 的名称有 " + std::to_wstring(name.size()) +
                   L" 个字符（允许 1 到 " + std::to_wstring(kMaxNameLength) + L" 个）。";
        for (std::size_t j = 0; j < i; ++j) {
            if (SameName(nameOf(items[j]), name)) return std::wstring(what) + L"名称 '" + name + L"' 用了两次。";
        }
    }
    return {};
}

void CheckTable(const Table& table) {
    if (table.fields.empty() || table.fields.size() > kMaxFieldCount)
        RaiseInvalid(L"表 '" + table.name + L"' 有 " + std::to_wstring(table.fields.size()) +
                     L" 个字段（允许 1 到 255 个）。");
    const auto problem = NameProblem(table.fields, [](const FieldDef& f) -> const std::wstring& { return f.name; },
                                     L"字段");
    if (!problem.empty()) RaiseInvalid(problem);
    for (const auto& field : table.fields) {
        if (field.type != FieldType::Integer16 && field.type != FieldType::Integer32 && field.type != FieldType::Text)
            RaiseInvalid(L"字段 '" + field.name + L"' 的类型未知。");
    }
    for (const auto& record : table.records) {
        if (record.size() != table.fields.size())
            RaiseInvalid(L"表 '" + table.name + L"' 的一条记录有 " + std::to_wstring(record.size()) +
                         L" 个值，而字段有 " + std::to_wstring(table.fields.size()) + L" 个。");
        for (std::size_t i = 0; i < record.size(); ++i) {
            CheckValueForField(record[i], table.fields[i].type, kDatabaseSource);
            // A 16-bit value in a 32-bit field (or the reverse) must be stored as the field's own kind.
            if (!(StoredValue(record[i], table.fields[i].type) == record[i]))
                RaiseInvalid(L"字段 '" + table.fields[i].name + L"' 的一个值不是该字段自己的类型。");
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
            Fail(std::wstring(what) + L"的长度为 " + std::to_wstring(length) + L"。");
        return Units(length, what);
    }

    [[noreturn]] void Fail(const std::wstring& detail) const {
        RaiseStoreError(err::kDamaged, kDatabaseSource, m_fileName,
                        L"在第 " + std::to_wstring(m_offset) + L" 字节处：" + detail);
    }

private:
    void Need(std::size_t count, const wchar_t* what) const {
        if (Remaining() < count) Fail(L"数据在" + std::wstring(what) + L"中途结束。");
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
    if (bytes.empty()) RaiseDamaged(fileName, L"文件为空。");
    const std::size_t present = std::min(bytes.size(), sizeof(kMagic));
    if (std::memcmp(bytes.data(), kMagic, present) == 0) {
        if (bytes.size() < kHeaderSize)
            RaiseDamaged(fileName, L"文件在 " + std::to_wstring(bytes.size()) + L" 字节后结束，尚在其 " +
                                       std::to_wstring(kHeaderSize) + L" 字节的文件头之内。");
        return;
    }
    if (HasSignatureAt(bytes, kJetSignatureOffset, kJetSignature) ||
        HasSignatureAt(bytes, kJetSignatureOffset, kAceSignature))
        RaiseStoreError(err::kUnrecognizedFormat, kDatabaseSource, fileName,
                        L"它是 Microsoft Jet/Access 数据库；本程序的设置保存在自有格式的文件中。");
    RaiseStoreError(err::kUnrecognizedFormat, kDatabaseSource, fileName,
                    L"它不以设置数据库的签名开头。");
}

void CheckHeader(const Bytes& bytes, const std::wstring& fileName) {
    const std::uint16_t version = U16At(bytes, kVersionOffset);
    if (version != kFormatVersion)
        RaiseStoreError(err::kWrongVersion, kDatabaseSource, fileName,
                        L"其格式版本为 " + std::to_wstring(version) + L"；本程序读取版本 " +
                            std::to_wstring(kFormatVersion) + L"。");
    const std::uint32_t bodyLength = U32At(bytes, kBodyLengthOffset);
    const std::size_t present = bytes.size() - kHeaderSize;
    if (bodyLength > kMaxBodyLength)
        RaiseDamaged(fileName, L"其文件头声明有 " + std::to_wstring(bodyLength) + L" 字节数据，超过设置数据库所能容纳的大小。");
    if (present < bodyLength)
        RaiseDamaged(fileName, L"文件不完整：文件头声明的 " + std::to_wstring(bodyLength) + L" 个数据字节只有 " +
                                   std::to_wstring(present) + L" 个。");
    if (present > bodyLength)
        RaiseDamaged(fileName, L"文件头声明的 " + std::to_wstring(bodyLength) + L" 个数据字节之后还有 " +
                                   std::to_wstring(present - bodyLength) + L" 个字节。");
    if (ChecksumOf(bytes) != U32At(bytes, kChecksumOffset))
        RaiseDamaged(fileName, L"其校验和与内容不符。");
}

FieldType ReadFieldType(Reader& in) {
    const std::uint8_t code = in.U8(L"字段类型");
    if (code < static_cast<std::uint8_t>(FieldType::Integer16) || code > static_cast<std::uint8_t>(FieldType::Text))
        in.Fail(L"某字段的类型 " + std::to_wstring(code) + L" 未知。");
    return static_cast<FieldType>(code);
}

Variant ReadValue(Reader& in, FieldType type) {
    const std::uint8_t tag = in.U8(L"记录");
    if (tag == 0) return Variant::Null();
    if (tag != static_cast<std::uint8_t>(type))
        in.Fail(L"类型为 " + std::to_wstring(static_cast<int>(type)) + L" 的字段中有一个值标记为 " +
                std::to_wstring(tag) + L"。");
    switch (type) {
    case FieldType::Integer16:
        return Variant(static_cast<std::int16_t>(in.U16(L"记录")));
    case FieldType::Integer32:
        return Variant(static_cast<std::int32_t>(in.U32(L"记录")));
    case FieldType::Text:
        return Variant(in.Units(in.U16(L"记录"), L"记录"));
    }
    in.Fail(L"某字段的类型未知。");
}

Table ReadTable(Reader& in) {
    Table table;
    table.name = in.Name(L"表名");
    const std::uint16_t fieldCount = in.U16(L"字段数");
    if (fieldCount == 0 || fieldCount > kMaxFieldCount)
        in.Fail(L"表 '" + table.name + L"' 有 " + std::to_wstring(fieldCount) + L" 个字段。");
    for (std::uint16_t i = 0; i < fieldCount; ++i) {
        FieldDef field;
        field.type = ReadFieldType(in);
        field.name = in.Name(L"字段名");
        table.fields.push_back(std::move(field));
    }
    const auto problem =
        NameProblem(table.fields, [](const FieldDef& f) -> const std::wstring& { return f.name; }, L"字段");
    if (!problem.empty()) in.Fail(L"在表 '" + table.name + L"' 中：" + problem);
    const std::uint32_t recordCount = in.U32(L"记录数");
    // Each value takes at least its tag byte: a count beyond that cannot be genuine.
    if (recordCount > in.Remaining() / fieldCount)
        in.Fail(L"表 '" + table.name + L"' 声明有 " + std::to_wstring(recordCount) +
                L" 条记录，超过文件其余部分所能容纳的数量。");
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
    if (database.tables.size() > kMaxTableCount) RaiseInvalid(L"表过多。");
    const auto problem =
        NameProblem(database.tables, [](const Table& t) -> const std::wstring& { return t.name; }, L"表");
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
    if (bodyLength > kMaxBodyLength) RaiseInvalid(L"数据库大于设置数据库允许的大小。");
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
            in.Fail(L"其文件头声明有 " + std::to_wstring(tableCount) + L" 个表，但数据在第 " +
                    std::to_wstring(t) + L" 个之后结束。");
        database.tables.push_back(ReadTable(in));
    }
    if (!in.AtEnd())
        in.Fail(L"其文件头声明有 " + std::to_wstring(tableCount) + L" 个表，但最后一个之后还有数据。");
    const auto problem =
        NameProblem(database.tables, [](const Table& t) -> const std::wstring& { return t.name; }, L"表");
    if (!problem.empty()) in.Fail(problem);
    return database;
}

}  // namespace store
