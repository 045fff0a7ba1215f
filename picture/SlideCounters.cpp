#include "picture/SlideCounters.h"

namespace {
constexpr long kMaxInterval = 65535;
}  // namespace

short CountedUp(short count) { return count < kMaxThumbnails ? static_cast<short>(count + 1) : count; }

short NextSlide(short shown, short count) {
    if (count <= 0) return 0;
    return shown >= count || shown < 0 ? 1 : static_cast<short>(shown + 1);
}

std::optional<int> IntervalFromAnswer(const std::wstring& answer) {
    const size_t first = answer.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return std::nullopt;
    const size_t last = answer.find_last_not_of(L" \t");
    long value = 0;
    for (size_t i = first; i <= last; ++i) {
        const wchar_t c = answer[i];
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > kMaxInterval) return std::nullopt;
    }
    if (value < 1) return std::nullopt;
    return static_cast<int>(value);
}
