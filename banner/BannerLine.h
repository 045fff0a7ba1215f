#pragma once
// The banner line: the greeting, then "***@", the time, "||*   ", the short date and
// "    * * *", joined with nothing between the pieces.
#include <windows.h>

#include <string>

namespace banner {

std::wstring BannerLineText(const std::wstring& greeting, const std::wstring& time, const std::wstring& date);

// The line for the clock at `now`, in the user's time and short date formats.
std::wstring BannerLineText(const std::wstring& greeting, const SYSTEMTIME& now);

}  // namespace banner
