#include "passbook/AccountRecord.h"

#include <cstdint>
#include <cstring>

#include "runtime/core/FixedText.h"

namespace {

void PutLittleEndian(unsigned char* to, std::uint64_t value, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i) to[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t GetLittleEndian(const unsigned char* from, size_t bytes) {
    std::uint64_t value = 0;
    for (size_t i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(from[i]) << (8 * i);
    return value;
}

void PutText(unsigned char* to, const std::wstring& text, size_t width) {
    // Trailing blanks of the in-memory form are padding: the field pads in bytes again.
    const std::string field = rt::ToFixedField(text, width);
    memcpy(to, field.data(), width);
}

std::wstring GetText(const unsigned char* from, size_t width) {
    return FieldText(rt::FromFixedField(reinterpret_cast<const char*>(from), width), width);
}

}  // namespace

std::wstring FieldText(const std::wstring& text, size_t width) { return rt::FitCharacters(text, width); }

RecordBytes EncodeRecord(const AccountRecord& record) {
    RecordBytes bytes{};
    PutLittleEndian(&bytes[kPasswordNoOffset], static_cast<std::uint16_t>(record.PasswordNo), 2);
    std::uint64_t balance = 0;
    memcpy(&balance, &record.Balance, sizeof(balance));
    PutLittleEndian(&bytes[kBalanceOffset], balance, 8);
    PutLittleEndian(&bytes[kLastDepositDateOffset], static_cast<std::uint32_t>(record.LastDepositDate), 4);
    PutText(&bytes[kHolderNameOffset], record.HolderName, kNameWidth);
    PutText(&bytes[kBankNameOffset], record.BankName, kNameWidth);
    PutText(&bytes[kCardNameOffset], record.CardName, kNameWidth);
    PutText(&bytes[kRemarksOffset], record.Remarks, kRemarksWidth);
    return bytes;
}

AccountRecord DecodeRecord(const unsigned char* bytes) {
    AccountRecord record;
    record.PasswordNo = static_cast<short>(static_cast<std::uint16_t>(GetLittleEndian(bytes + kPasswordNoOffset, 2)));
    const std::uint64_t balance = GetLittleEndian(bytes + kBalanceOffset, 8);
    memcpy(&record.Balance, &balance, sizeof(balance));
    record.LastDepositDate =
        static_cast<long>(static_cast<std::int32_t>(GetLittleEndian(bytes + kLastDepositDateOffset, 4)));
    record.HolderName = GetText(bytes + kHolderNameOffset, kNameWidth);
    record.BankName = GetText(bytes + kBankNameOffset, kNameWidth);
    record.CardName = GetText(bytes + kCardNameOffset, kNameWidth);
    record.Remarks = GetText(bytes + kRemarksOffset, kRemarksWidth);
    return record;
}
