#pragma once
// AccountRecord: one bank card or passbook of a password book, and its 109-byte form in the
// book's file: numbers little-endian, no gaps, texts in code page 936 left-aligned and padded
// with spaces, no terminator. In memory each text holds exactly its field's width in
// characters; on disk exactly its width in bytes.
#include <array>
#include <cstddef>
#include <string>

constexpr size_t kRecordLength = 109;
constexpr size_t kNameWidth = 15;  // HolderName, BankName, CardName
constexpr size_t kRemarksWidth = 50;
// The day number of 1 January 1753, which a book stores for "no date".
constexpr long kNoDate = -53688;

// Byte offsets of the fields in a stored record.
constexpr size_t kPasswordNoOffset = 0;
constexpr size_t kBalanceOffset = 2;
constexpr size_t kLastDepositDateOffset = 10;
constexpr size_t kHolderNameOffset = 14;
constexpr size_t kBankNameOffset = 29;
constexpr size_t kCardNameOffset = 44;
constexpr size_t kRemarksOffset = 59;

struct AccountRecord {
    short PasswordNo = 0;
    double Balance = 0;
    long LastDepositDate = kNoDate;
    std::wstring HolderName = std::wstring(kNameWidth, L' ');
    std::wstring BankName = std::wstring(kNameWidth, L' ');
    std::wstring CardName = std::wstring(kNameWidth, L' ');
    std::wstring Remarks = std::wstring(kRemarksWidth, L' ');

    bool operator==(const AccountRecord&) const = default;
};

using RecordBytes = std::array<unsigned char, kRecordLength>;

// The blank record: no password number, no balance, no date, all texts blank.
inline AccountRecord BlankRecord() { return AccountRecord{}; }

// A text field's value as the record holds it: cut or padded with spaces to the width.
std::wstring FieldText(const std::wstring& text, size_t width);

RecordBytes EncodeRecord(const AccountRecord& record);
AccountRecord DecodeRecord(const unsigned char* bytes);
