#include "banner/BannerLine.h"

#include "runtime/core/ConvertDate.h"

namespace banner {

std::wstring BannerLineText(const std::wstring& greeting, const std::wstring& time, const std::wstring& date) {
    return greeting + L"***" + L"@" + time + L"||*   " + date + L"    * * *";
}

std::wstring BannerLineText(const std::wstring& greeting, const SYSTEMTIME& now) {
    return BannerLineText(greeting, rt::TimeText(now), rt::ShortDateText(now));
}

}  // namespace banner
