#include "store/DatabaseFormat.h"

#include <gtest/gtest.h>

#include "store/SettingsDatabase.h"
#include "store/StoreErrors.h"
#include "tests/store/StoreTestSupport.h"

using store::Bytes;
using store::Decode;
using store::Encode;
using store_test::Contains;
using store_test::ErrorOf;

namespace {

const std::wstring kName = L"C:\\x\\tyy1.mdb";

void PutU16(Bytes& bytes, std::size_t offset, std::uint16_t v) {
    bytes[offset] = static_cast<std::uint8_t>(v);
    bytes[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

void ResealChecksum(Bytes& bytes) {
    const std::uint32_t crc = store::ChecksumOf(bytes);
    for (int i = 0; i < 4; ++i) bytes[store::kChecksumOffset + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

rt::RuntimeError DecodeError(const Bytes& bytes) {
    return ErrorOf([&] { Decode(bytes, kName); });
}

}  // namespace

TEST(DatabaseFormat, DefaultSettingsFileHasTheDocumentedLayout) {
    const Bytes bytes = Encode(store::DefaultSettingsDatabase());
    const Bytes expected = {
        'L', 'M', 'S', 'D', 'B', 0x0D, 0x0A, 0x1A,  // magic
        1, 0,                                      // version
        1, 0,                                      // one table
        40, 0, 0, 0,                               // body length
        0, 0, 0, 0,                                // checksum, compared below
        4, 0, 'c', 0, 'o', 0, 'o', 0, 'p', 0,      // "coop"
        1, 0,                                      // one field
        1,                                         // 16-bit integer
        9, 0, 'S', 0, 'k', 0, 'i', 0, 'n', 0, 'I', 0, 'n', 0, 'd', 0, 'e', 0, 'x', 0,
        1, 0, 0, 0,                                // one record
        1, 0, 0,                                   // field 0 = 0
    };
    ASSERT_EQ(bytes.size(), expected.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 16, expected.begin()));
    EXPECT_TRUE(std::equal(bytes.begin() + 20, bytes.end(), expected.begin() + 20));
    const std::uint32_t crc = bytes[16] | bytes[17] << 8 | bytes[18] << 16 | static_cast<std::uint32_t>(bytes[19]) << 24;
    EXPECT_EQ(crc, store::ChecksumOf(bytes));
    EXPECT_EQ(Decode(bytes, kName), store::DefaultSettingsDatabase());
}

TEST(DatabaseFormat, RoundTripsEveryTypeAndIsCanonical) {
    const auto database = store_test::SampleDatabase();
    const Bytes bytes = Encode(database);
    const auto decoded = Decode(bytes, kName);
    EXPECT_EQ(decoded, database);
    EXPECT_EQ(Encode(decoded), bytes);
    EXPECT_EQ(decoded.tables[0].records[2][0], store::Variant::Null());
    EXPECT_EQ(decoded.tables[0].records[0][1], store::Variant(L"宋体 user"));
}

TEST(DatabaseFormat, EncodeRefusesWhatTheLayoutCannotHold) {
    auto duplicate = store_test::SampleDatabase();
    duplicate.tables[1].name = L"COOP";
    auto wrongType = store_test::SampleDatabase();
    wrongType.tables[0].records[0][0] = store::Variant(L"4");
    auto shortRecord = store_test::SampleDatabase();
    shortRecord.tables[0].records[1].pop_back();
    auto noFields = store_test::SampleDatabase();
    noFields.tables[1].fields.clear();
    EXPECT_EQ(ErrorOf([&] { Encode(duplicate); }).Number(), store::err::kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { Encode(wrongType); }).Number(), store::err::kWrongType);
    EXPECT_EQ(ErrorOf([&] { Encode(shortRecord); }).Number(), store::err::kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { Encode(noFields); }).Number(), store::err::kInvalidArgument);
}

TEST(DatabaseFormat, EmptyAndTruncatedFilesAreDamaged) {
    const Bytes good = Encode(store_test::SampleDatabase());
    auto empty = DecodeError({});
    EXPECT_EQ(empty.Number(), store::err::kDamaged);
    EXPECT_TRUE(Contains(empty.Description(), L"'C:\\x\\tyy1.mdb'"));
    EXPECT_TRUE(Contains(empty.Description(), L"文件为空"));
    // Cut anywhere - inside the magic, the header, a name, a record, before the last byte.
    for (std::size_t length = 1; length < good.size(); ++length) {
        const auto e = DecodeError(Bytes(good.begin(), good.begin() + length));
        EXPECT_EQ(e.Number(), store::err::kDamaged) << length;
        EXPECT_TRUE(Contains(e.Description(), L"文件已损坏或不完整")) << length;
    }
    EXPECT_TRUE(Contains(DecodeError(Bytes(good.begin(), good.begin() + 12)).Description(), L"尚在其 20 字节的文件头之内"));
    EXPECT_TRUE(Contains(DecodeError(Bytes(good.begin(), good.end() - 1)).Description(), L"不完整"));
    // Even a cut file whose header was rewritten to match is refused by its structure.
    Bytes cut(good.begin(), good.end() - 3);
    const auto body = static_cast<std::uint32_t>(cut.size() - store::kHeaderSize);
    PutU16(cut, store::kBodyLengthOffset, static_cast<std::uint16_t>(body));
    ResealChecksum(cut);
    EXPECT_EQ(DecodeError(cut).Number(), store::err::kDamaged);
}

TEST(DatabaseFormat, ForeignFilesAreNotRecognised) {
    const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0, 0xFF, 0xD9};
    auto e = DecodeError(jpeg);
    EXPECT_EQ(e.Number(), store::err::kUnrecognizedFormat);
    EXPECT_EQ(e.Description(),
              L"不可识别的数据库格式 'C:\\x\\tyy1.mdb'。它不以设置数据库的签名开头。");

    Bytes jet(2048, 0);
    jet[1] = 1;
    const char signature[] = "Standard Jet DB";
    std::copy(signature, signature + 16, jet.begin() + 4);
    e = DecodeError(jet);
    EXPECT_EQ(e.Number(), store::err::kUnrecognizedFormat);
    EXPECT_TRUE(Contains(e.Description(), L"Jet/Access 数据库"));

    const Bytes text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(DecodeError(text).Number(), store::err::kUnrecognizedFormat);
    // The magic with its line ending turned into a bare LF, as a text-mode copy does.
    Bytes mangled = Encode(store_test::SampleDatabase());
    mangled.erase(mangled.begin() + 5);
    EXPECT_EQ(DecodeError(mangled).Number(), store::err::kUnrecognizedFormat);
}

TEST(DatabaseFormat, OtherVersionsAreRefusedByName) {
    Bytes bytes = Encode(store_test::SampleDatabase());
    PutU16(bytes, store::kVersionOffset, 2);
    ResealChecksum(bytes);
    const auto e = DecodeError(bytes);
    EXPECT_EQ(e.Number(), store::err::kWrongVersion);
    EXPECT_TRUE(Contains(e.Description(), L"其格式版本为 2；本程序读取版本 1"));
}

TEST(DatabaseFormat, InconsistentContentsAreDamaged) {
    const Bytes good = Encode(store_test::SampleDatabase());

    Bytes moreTables = good;  // says 3 tables, holds 2
    PutU16(moreTables, store::kTableCountOffset, 3);
    ResealChecksum(moreTables);
    auto e = DecodeError(moreTables);
    EXPECT_EQ(e.Number(), store::err::kDamaged);
    EXPECT_TRUE(Contains(e.Description(), L"声明有 3 个表，但数据在第 2 个之后结束"));

    Bytes fewerTables = good;  // says 1 table, holds 2
    PutU16(fewerTables, store::kTableCountOffset, 1);
    ResealChecksum(fewerTables);
    EXPECT_TRUE(Contains(DecodeError(fewerTables).Description(), L"最后一个之后还有数据"));

    Bytes flipped = good;  // one bit changed, checksum left alone
    flipped[good.size() - 5] ^= 0x04;
    e = DecodeError(flipped);
    EXPECT_EQ(e.Number(), store::err::kDamaged);
    EXPECT_TRUE(Contains(e.Description(), L"校验和"));

    Bytes trailing = good;  // bytes after the announced body
    trailing.push_back(0);
    EXPECT_TRUE(Contains(DecodeError(trailing).Description(), L"之后还有 1 个字节"));

    Bytes badType = good;  // the first field's type byte (after the 20-byte header, "coop" and the count)
    badType[store::kHeaderSize + 2 + 8 + 2] = 9;
    ResealChecksum(badType);
    EXPECT_TRUE(Contains(DecodeError(badType).Description(), L"类型 9 未知"));

    Bytes hugeCount = good;  // a record count far beyond the file
    hugeCount[store::kHeaderSize + 2 + 8 + 2 + (1 + 2 + 18) + (1 + 2 + 10) + (1 + 2 + 8) + (1 + 2 + 8) + 3] = 0x7F;
    ResealChecksum(hugeCount);
    EXPECT_TRUE(Contains(DecodeError(hugeCount).Description(), L"超过文件其余部分所能容纳的数量"));
}
