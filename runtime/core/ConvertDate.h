#pragma once
// Dates and times in the user's locale. Dates are OLE Automation dates: days since
// 1899-12-30 with the time of day as the fraction.
#include <windows.h>

#include <string>

namespace rt {

// True when the locale's date parser reads the text as a date (or date and time).
bool IsDate(const std::wstring& text);
// The text as a date. Error 13 (type mismatch) when it is not a date.
double CDate(const std::wstring& text);
// The whole day number of the date's date part (day 0 = 1899-12-30; negative before it).
long DayNumber(double date);

// The date part in the user's short date format; error 5 for a date the platform cannot show.
std::wstring ShortDateText(double date);
std::wstring ShortDateText(const SYSTEMTIME& time);
// The time of day in the user's time format.
std::wstring TimeText(const SYSTEMTIME& time);
// The clock now, in those formats.
std::wstring CurrentTimeText();
std::wstring CurrentShortDateText();

}  // namespace rt
