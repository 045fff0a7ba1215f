// The 109-byte account record byte for byte, and the editor's boxes to and from a record.
#include "passbook/AccountRecord.h"

#include <gtest/gtest.h>

#include <string>

#include "passbook/RecordTexts.h"
#include "runtime/core/ConvertDate.h"

namespace {

std::string Bytes(const RecordBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Places bytes at an offset of a record made of spaces.
void At(std::string& record, size_t offset, const std::string& bytes) { record.replace(offset, bytes.size(), bytes); }

}  // namespace

TEST(AccountRecord, EncodesEachFieldAtItsOffset) {
    AccountRecord r;
    r.PasswordNo = 2025;
    r.Balance = 1234.5;
    r.LastDepositDate = 45366;  // 2024-03-15
    r.HolderName = FieldText(L"张三", kNameWidth);
    r.BankName = FieldText(L"工商银行", kNameWidth);
    r.CardName = FieldText(L"牡丹卡", kNameWidth);
    r.Remarks = FieldText(L"备注：网银", kRemarksWidth);

    std::string expected(109, ' ');
    At(expected, 0, "\xE9\x07");
    At(expected, 2, std::string("\x00\x00\x00\x00\x00\x4A\x93\x40", 8));
    At(expected, 10, std::string("\x36\xB1\x00\x00", 4));
    At(expected, 14, "\xD5\xC5\xC8\xFD");
    At(expected, 29, "\xB9\xA4\xC9\xCC\xD2\xF8\xD0\xD0");
    At(expected, 44, "\xC4\xB5\xB5\xA4\xBF\xA8");
    At(expected, 59, "\xB1\xB8\xD7\xA2\xA3\xBA\xCD\xF8\xD2\xF8");
    EXPECT_EQ(Bytes(EncodeRecord(r)), expected);

    const RecordBytes stored = EncodeRecord(r);
    EXPECT_EQ(DecodeRecord(stored.data()), r);
    EXPECT_EQ(DecodeRecord(stored.data()).HolderName, L"张三" + std::wstring(13, L' '));

    AccountRecord negative;
    negative.PasswordNo = -2;
    negative.LastDepositDate = -1;
    const RecordBytes n = EncodeRecord(negative);
    EXPECT_EQ(Bytes(n).substr(0, 2), "\xFE\xFF");
    EXPECT_EQ(Bytes(n).substr(10, 4), "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(DecodeRecord(n.data()), negative);
}

TEST(AccountRecord, BlankRecordIsZerosNoDateAndSpaces) {
    std::string expected(109, ' ');
    At(expected, 0, std::string(10, '\0'));
    At(expected, 10, "\x48\x2E\xFF\xFF");  // -53688, 1 January 1753
    EXPECT_EQ(Bytes(EncodeRecord(BlankRecord())), expected);
    EXPECT_EQ(DecodeRecord(EncodeRecord(BlankRecord()).data()), BlankRecord());
    EXPECT_EQ(kNoDate, -53688);
    EXPECT_EQ(kNoDate, rt::DayNumber(rt::CDate(L"1753-01-01")));
}

TEST(AccountRecord, LongChineseTextKeepsWholeCharactersOnly) {
    AccountRecord r;
    r.HolderName = FieldText(L"一二三四五六七八九十甲乙丙丁戊", kNameWidth);  // 15 characters, 30 bytes
    EXPECT_EQ(r.HolderName.size(), 15u);
    const RecordBytes bytes = EncodeRecord(r);
    // Seven characters (14 bytes) and a space: the eighth would be cut in half.
    EXPECT_EQ(Bytes(bytes).substr(14, 15), "\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9\xC6\xDF ");
    EXPECT_EQ(Bytes(bytes).substr(29, 15), std::string(15, ' '));
    EXPECT_EQ(DecodeRecord(bytes.data()).HolderName, L"一二三四五六七" + std::wstring(8, L' '));
    // A text longer than its field in characters is cut to the field.
    EXPECT_EQ(FieldText(L"ABCDEFGHIJKLMNOPQ", kNameWidth), L"ABCDEFGHIJKLMNO");
}

TEST(RecordTexts, BoxesGiveTheRecordAndRejectWhatItCannotHold) {
    BoxTexts texts{L" 张三 ", L"工行", L"32767", L"牡丹卡", L"1234.5", L"2024-03-15", L"备注"};
    RecordFromBoxes r = RecordFromTexts(texts);
    ASSERT_EQ(r.rejectedBox, -1);
    EXPECT_EQ(r.record.HolderName, FieldText(L" 张三 ", kNameWidth));
    EXPECT_EQ(r.record.PasswordNo, 32767);
    EXPECT_DOUBLE_EQ(r.record.Balance, 1234.5);
    EXPECT_EQ(r.record.LastDepositDate, 45366);

    // Letters and empty boxes are no number and no date.
    r = RecordFromTexts({L"", L"", L"abc", L"", L"xyz", L"not a date", L""});
    EXPECT_EQ(r.rejectedBox, -1);
    EXPECT_EQ(r.record, BlankRecord());

    // What the record cannot hold is refused with the box to mend.
    EXPECT_EQ(RecordFromTexts({L"", L"", L"-40000", L"", L"", L"", L""}).rejectedBox, kPasswordNoBox);
    EXPECT_EQ(RecordFromTexts({L"", L"", L"40000", L"", L"", L"", L""}).rejectedBox, kPasswordNoBox);
    EXPECT_EQ(RecordFromTexts({L"", L"", L"", L"", L"1E+20", L"", L""}).rejectedBox, kBalanceBox);
    EXPECT_EQ(RecordFromTexts({L"", L"", L"", L"", L"", L"1500-01-01", L""}).rejectedBox, kLastDepositDateBox);
    EXPECT_FALSE(RecordFromTexts({L"", L"", L"-40000", L"", L"", L"", L""}).message.empty());
}

TEST(RecordTexts, ShownTextsReadBackToTheSameRecord) {
    AccountRecord r;
    r.PasswordNo = 2025;
    r.Balance = 1234.5;
    r.LastDepositDate = 45366;
    r.HolderName = FieldText(L"张三", kNameWidth);
    const BoxTexts shown = TextsFromRecord(r);
    EXPECT_EQ(shown[kHolderNameBox], L"张三");
    EXPECT_EQ(shown[kPasswordNoBox], L"2025");
    EXPECT_EQ(shown[kBalanceBox], L"\uFFE51,234.50");
    EXPECT_EQ(shown[kLastDepositDateBox], rt::ShortDateText(45366));
    EXPECT_EQ(RecordFromTexts(shown).record, r);

    // Nothing to show: zero or negative numbers and no date show empty boxes.
    AccountRecord none;
    none.PasswordNo = -5;
    none.Balance = -3;
    const BoxTexts empty = TextsFromRecord(none);
    for (const auto& text : empty) EXPECT_EQ(text, L"");
    // A damaged record with values nobody can show still shows (empty boxes).
    AccountRecord damaged;
    damaged.Balance = 1e300;
    damaged.LastDepositDate = -2000000;
    EXPECT_EQ(TextsFromRecord(damaged)[kBalanceBox], L"");
    EXPECT_EQ(TextsFromRecord(damaged)[kLastDepositDateBox], L"");

    EXPECT_EQ(RecordCaption(L"NAME", 1, 1), L"NAME: 密码本中的记录  1 of  1");
    EXPECT_EQ(NumberText(12), L" 12");
    EXPECT_EQ(NumberText(-1), L"-1");
}
