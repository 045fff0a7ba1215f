#include "passbook/RecordTexts.h"

#include <cmath>
#include <optional>

#include "runtime/core/Convert.h"
#include "runtime/core/ConvertDate.h"
#include "runtime/core/ConvertFormat.h"
#include "runtime/core/RuntimeError.h"

namespace {

std::wstring Trimmed(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// The value of a conversion that may fail with a run-time error, or nothing.
template <class F>
auto Attempt(F convert) -> std::optional<decltype(convert())> {
    try {
        return convert();
    } catch (const rt::RuntimeError&) {
        return std::nullopt;
    }
}

std::optional<double> ShowableDate(const std::wstring& text) {
    const double date = rt::CDate(text);
    // A date the system's date formatting cannot write could never be shown again.
    if (!Attempt([&] { return rt::ShortDateText(date); })) return std::nullopt;
    return date;
}

}  // namespace

RecordFromBoxes RecordFromTexts(const BoxTexts& texts) {
    RecordFromBoxes result;
    AccountRecord& r = result.record;
    r.HolderName = FieldText(texts[kHolderNameBox], kNameWidth);
    r.BankName = FieldText(texts[kBankNameBox], kNameWidth);
    r.CardName = FieldText(texts[kCardNameBox], kNameWidth);
    r.Remarks = FieldText(texts[kRemarksBox], kRemarksWidth);
    auto reject = [&](int box, std::wstring message) {
        result.rejectedBox = box;
        result.message = std::move(message);
        return result;
    };

    if (rt::IsNumeric(texts[kPasswordNoBox])) {
        const auto number = Attempt([&] { return rt::CInt(texts[kPasswordNoBox]); });
        if (!number) return reject(kPasswordNoBox, L"密码#必须是 -32768 到 32767 之间的整数。");
        r.PasswordNo = *number;
    }
    if (rt::IsNumeric(texts[kBalanceBox])) {
        const auto balance = Attempt([&] { return rt::CCur(texts[kBalanceBox]); });
        if (!balance) return reject(kBalanceBox, L"存款余额超出了可以保存的范围。");
        r.Balance = *balance;
    }
    if (rt::IsDate(texts[kLastDepositDateBox])) {
        const auto date = ShowableDate(texts[kLastDepositDateBox]);
        if (!date) return reject(kLastDepositDateBox, L"最近存款日期超出了可以保存的范围。");
        r.LastDepositDate = rt::DayNumber(*date);
    }
    return result;
}

BoxTexts TextsFromRecord(const AccountRecord& record) {
    BoxTexts texts;
    texts[kHolderNameBox] = Trimmed(record.HolderName);
    texts[kBankNameBox] = Trimmed(record.BankName);
    if (record.PasswordNo > 0) texts[kPasswordNoBox] = std::to_wstring(record.PasswordNo);
    texts[kCardNameBox] = Trimmed(record.CardName);
    if (record.Balance > 0) {
        texts[kBalanceBox] =
            Attempt([&] { return rt::FormatNumber(rt::CCur(record.Balance), rt::kBalanceFormat); }).value_or(L"");
    }
    if (record.LastDepositDate != kNoDate) {
        texts[kLastDepositDateBox] =
            Attempt([&] { return rt::ShortDateText(static_cast<double>(record.LastDepositDate)); }).value_or(L"");
    }
    texts[kRemarksBox] = Trimmed(record.Remarks);
    return texts;
}

std::wstring NumberText(long n) { return (n >= 0 ? L" " : L"") + std::to_wstring(n); }

std::wstring RecordCaption(const std::wstring& bookName, long current, long last) {
    return bookName + L": 密码本中的记录 " + NumberText(current) + L" of " + NumberText(last);
}
