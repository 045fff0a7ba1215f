#include "runtime/core/ConvertDate.h"

#include <oleauto.h>

#include <cmath>

#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

bool ParseDate(const std::wstring& text, double& date) {
    if (text.find_first_not_of(L" \t") == std::wstring::npos) return false;
    BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!copy) Raise(err::kOutOfMemory);
    DATE parsed = 0;
    const HRESULT hr = VarDateFromStr(copy, LOCALE_USER_DEFAULT, 0, &parsed);
    SysFreeString(copy);
    if (FAILED(hr)) return false;
    date = parsed;
    return true;
}

std::wstring Checked(int length, const wchar_t* buffer) {
    if (length == 0) Raise(err::kInvalidProcedureCall);
    return buffer;
}

constexpr int kTextSize = 128;

}  // namespace

bool IsDate(const std::wstring& text) {
    double date = 0;
    return ParseDate(text, date);
}

double CDate(const std::wstring& text) {
    double date = 0;
    if (!ParseDate(text, date)) Raise(err::kTypeMismatch);
    return date;
}

long DayNumber(double date) {
    // Before day 0 the fraction still counts forward from midnight, so the date part is the
    // whole number towards zero.
    return static_cast<long>(std::trunc(date));
}

std::wstring ShortDateText(double date) {
    SYSTEMTIME time = {};
    if (!VariantTimeToSystemTime(static_cast<double>(DayNumber(date)), &time)) Raise(err::kInvalidProcedureCall);
    return ShortDateText(time);
}

std::wstring ShortDateText(const SYSTEMTIME& time) {
    wchar_t buffer[kTextSize] = {};
    return Checked(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, kTextSize), buffer);
}

std::wstring TimeText(const SYSTEMTIME& time) {
    wchar_t buffer[kTextSize] = {};
    return Checked(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, kTextSize), buffer);
}

std::wstring CurrentTimeText() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return TimeText(now);
}

std::wstring CurrentShortDateText() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return ShortDateText(now);
}

}  // namespace rt
