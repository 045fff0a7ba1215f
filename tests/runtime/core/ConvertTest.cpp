// Locale conversions: the number test, integer and money conversions, Val, dates and the
// balance format.
#include "runtime/core/Convert.h"

#include <gtest/gtest.h>

#include <functional>

#include "runtime/core/ConvertDate.h"
#include "runtime/core/ConvertFormat.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/ErrorOf.h"

using testing_support::ErrorOf;

namespace {

const rt::NumberLocale kUs{L".", L",", L"$"};
const rt::NumberLocale kGerman{L",", L".", L"\u20AC"};

}  // namespace

TEST(Convert, IntegersRoundHalvesToEvenAndOverflowClearly) {
    EXPECT_EQ(rt::CInt(2.5), 2);
    EXPECT_EQ(rt::CInt(3.5), 4);
    EXPECT_EQ(rt::CInt(-2.5), -2);
    EXPECT_EQ(rt::CInt(-3.5), -4);
    EXPECT_EQ(rt::CInt(2.51), 3);
    EXPECT_EQ(rt::CInt(32767.4), 32767);
    EXPECT_EQ(rt::CInt(-32768.5), -32768);
    EXPECT_EQ(ErrorOf([] { rt::CInt(32767.5); }), rt::err::kOverflow);
    EXPECT_EQ(ErrorOf([] { rt::CInt(-32769.0); }), rt::err::kOverflow);
    EXPECT_EQ(ErrorOf([] { rt::CInt(40000.0); }), rt::err::kOverflow);

    EXPECT_EQ(rt::CInt(L" 12.5 "), 12);
    EXPECT_EQ(rt::CInt(L"-7"), -7);
    EXPECT_EQ(ErrorOf([] { rt::CInt(L"abc"); }), rt::err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([] { rt::CInt(L"40000"); }), rt::err::kOverflow);

    EXPECT_EQ(rt::CLng(1000.5), 1000);
    EXPECT_EQ(rt::CLng(L"65535"), 65535);
    EXPECT_EQ(ErrorOf([] { rt::CLng(3e9); }), rt::err::kOverflow);
}

TEST(Convert, NumberTestFollowsTheLocale) {
    for (const wchar_t* text : {L"12", L" 12 ", L"-3.25", L"+4", L"4-", L".5", L"5.", L"1,234.50", L"1e3", L"2.5D-1",
                                L"(12)", L"$7", L"7$", L"-$7", L"\u00A51,234.50", L"\uFFE51,234.50", L"&H1F", L"&o17"}) {
        EXPECT_TRUE(rt::ParseNumber(text, kUs).has_value()) << rt::ParseNumber(text, kUs).has_value();
    }
    for (const wchar_t* text : {L"", L"  ", L".", L"-", L"abc", L"12abc", L"1e", L",5", L"1 2", L"(12", L"--1",
                                L"&H", L"&HG", L"1.2.3", L"(-1)"}) {
        EXPECT_FALSE(rt::ParseNumber(text, kUs).has_value());
    }
    EXPECT_DOUBLE_EQ(*rt::ParseNumber(L"1,234.50", kUs), 1234.5);
    EXPECT_DOUBLE_EQ(*rt::ParseNumber(L"(1,234.50)", kUs), -1234.5);
    EXPECT_DOUBLE_EQ(*rt::ParseNumber(L"&HFFFF", kUs), -1.0);
    EXPECT_DOUBLE_EQ(*rt::ParseNumber(L"&H10000", kUs), 65536.0);
    EXPECT_DOUBLE_EQ(*rt::ParseNumber(L"1.234,5", kGerman), 1234.5);
    EXPECT_FALSE(rt::ParseNumber(L"1,234.5", kGerman).has_value());
}

TEST(Convert, MoneyKeepsFourDecimals) {
    EXPECT_EQ(rt::CurrencyUnits(1234.5), 12345000);
    EXPECT_EQ(rt::CurrencyUnits(1.23456789), 12346);
    EXPECT_DOUBLE_EQ(rt::CCur(1.23456789), 1.2346);
    EXPECT_DOUBLE_EQ(rt::CCur(-0.00004), 0.0);
    // From text the decimal digits are exact, halves going to the even neighbour.
    EXPECT_EQ(rt::CurrencyUnits(L"0.00005"), 0);
    EXPECT_EQ(rt::CurrencyUnits(L"0.00015"), 2);
    EXPECT_EQ(rt::CurrencyUnits(L"0.000150001"), 2);
    EXPECT_EQ(rt::CurrencyUnits(L"2.71828"), 27183);
    EXPECT_EQ(rt::CurrencyUnits(L"-2.71825"), -27182);
    EXPECT_EQ(rt::CurrencyUnits(L"1e2"), 1000000);
    EXPECT_EQ(rt::CurrencyUnits(L"922337203685477.5807"), 9223372036854775807LL);
    EXPECT_EQ(ErrorOf([] { rt::CurrencyUnits(L"922337203685477.5808"); }), rt::err::kOverflow);
    EXPECT_EQ(ErrorOf([] { rt::CurrencyUnits(1e16); }), rt::err::kOverflow);
    EXPECT_EQ(ErrorOf([] { rt::CCur(L"lots"); }), rt::err::kTypeMismatch);
}

TEST(Convert, ValReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(rt::Val(L"40000"), 40000.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"12abc"), 12.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"  1 2 3"), 123.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"-3.5e2x"), -350.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"2.5.1"), 2.5);
    EXPECT_DOUBLE_EQ(rt::Val(L"1,234"), 1.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"1e"), 1.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"&HFF"), 255.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"&HFFFF"), -1.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"abc"), 0.0);
    EXPECT_DOUBLE_EQ(rt::Val(L""), 0.0);
    EXPECT_DOUBLE_EQ(rt::Val(L"\uFFE512"), 0.0);
}

TEST(Convert, BalanceFormatWritesYenGroupsAndTwoDecimals) {
    EXPECT_EQ(rt::FormatNumber(1234.5, rt::kBalanceFormat, kUs), L"\uFFE51,234.50");
    EXPECT_EQ(rt::FormatNumber(-1234.5, rt::kBalanceFormat, kUs), L"(1,234.50)");
    EXPECT_EQ(rt::FormatNumber(0.0, rt::kBalanceFormat, kUs), L"\uFFE50.00");
    EXPECT_EQ(rt::FormatNumber(0.005, rt::kBalanceFormat, kUs), L"\uFFE50.01");
    EXPECT_EQ(rt::FormatNumber(999.995, rt::kBalanceFormat, kUs), L"\uFFE51,000.00");
    EXPECT_EQ(rt::FormatNumber(1234567.891, rt::kBalanceFormat, kUs), L"\uFFE51,234,567.89");
    EXPECT_EQ(rt::FormatNumber(12, rt::kBalanceFormat, kUs), L"\uFFE512.00");
    EXPECT_EQ(rt::FormatNumber(1234.5, rt::kBalanceFormat, kGerman), L"\uFFE51.234,50");

    // The rest of the pattern language.
    EXPECT_EQ(rt::FormatNumber(5, L"#.##", kUs), L"5.");
    EXPECT_EQ(rt::FormatNumber(5.1, L"0.0#", kUs), L"5.1");
    EXPECT_EQ(rt::FormatNumber(5.125, L"0.0#", kUs), L"5.13");
    EXPECT_EQ(rt::FormatNumber(0.25, L"0%", kUs), L"25%");
    EXPECT_EQ(rt::FormatNumber(1234567, L"#,##0,", kUs), L"1,235");
    EXPECT_EQ(rt::FormatNumber(-5, L"0.00", kUs), L"-5.00");
    EXPECT_EQ(rt::FormatNumber(0, L"0;(0);\"zero\"", kUs), L"zero");
    EXPECT_EQ(rt::FormatNumber(7, L"\\#000", kUs), L"#007");
    EXPECT_EQ(rt::FormatNumber(12.5, L".00", kUs), L"12.50");
}

TEST(Convert, BalanceTextRoundTripsThroughTheUserLocale) {
    for (double balance : {1234.5, 0.01, 98765432.1, 7.0}) {
        const std::wstring shown = rt::FormatNumber(balance, rt::kBalanceFormat);
        ASSERT_TRUE(rt::IsNumeric(shown)) << balance;
        EXPECT_DOUBLE_EQ(rt::CCur(shown), balance);
    }
    const std::wstring yen = rt::FormatNumber(1234.5, rt::kBalanceFormat);
    const rt::NumberLocale user = rt::UserNumberLocale();
    EXPECT_EQ(yen, L"\uFFE51" + user.thousands + L"234" + user.decimal + L"50");
}

TEST(Convert, DatesFollowTheLocaleAndKeepWholeDays) {
    EXPECT_TRUE(rt::IsDate(L"1753-1-1"));
    EXPECT_EQ(rt::DayNumber(rt::CDate(L"1753-1-1")), -53688);
    EXPECT_EQ(rt::DayNumber(rt::CDate(L"1899-12-30")), 0);
    EXPECT_EQ(rt::DayNumber(rt::CDate(L"2026-12-07 18:30")), 46363);
    EXPECT_EQ(rt::DayNumber(-1.75), -1);
    EXPECT_FALSE(rt::IsDate(L""));
    EXPECT_FALSE(rt::IsDate(L"not a date"));
    EXPECT_FALSE(rt::IsDate(L"2026-13-45"));
    EXPECT_EQ(ErrorOf([] { rt::CDate(L"tomorrow-ish"); }), rt::err::kTypeMismatch);

    // The short date text of a day reads back as the same day.
    for (long day : {-53688L, -53687L, 0L, 36526L, 46363L}) {
        // 18:00 of the day; before day 0 the time still counts forward from midnight.
        const std::wstring text = rt::ShortDateText(day >= 0 ? day + 0.75 : day - 0.75);
        ASSERT_TRUE(rt::IsDate(text)) << day;
        EXPECT_EQ(rt::DayNumber(rt::CDate(text)), day);
    }
    SYSTEMTIME time = {};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 7;
    time.wHour = 9;
    time.wMinute = 5;
    time.wSecond = 3;
    EXPECT_NE(rt::TimeText(time).find(L"05"), std::wstring::npos);
    EXPECT_NE(rt::ShortDateText(time).find(L"2026"), std::wstring::npos);
    EXPECT_FALSE(rt::CurrentTimeText().empty());
    EXPECT_TRUE(rt::IsDate(rt::CurrentShortDateText()));
}
