#pragma once
// Numbers written with a format pattern, as the form runtime's Format does for numbers:
// sections "positive;negative;zero", digit placeholders 0 (always a digit) and # (a digit
// when there is one), '.' the decimal separator, ',' between placeholders for digit groups
// (at the end of the integer part: divide by 1000), '%' (times 100), "quoted" text and \x for
// literal characters; every other character stands for itself. Separators are the locale's.
#include <string>

#include "runtime/core/Convert.h"

namespace rt {

// The balance format of the password book.
inline constexpr wchar_t kBalanceFormat[] = L"\uFFE5#,##0.00;(#,##0.00)";

// Halves round away from zero at the last decimal place shown. Error 5 for a value that is
// not finite.
std::wstring FormatNumber(double value, const std::wstring& pattern, const NumberLocale& locale);
std::wstring FormatNumber(double value, const std::wstring& pattern);

}  // namespace rt
