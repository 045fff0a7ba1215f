#include "controls/ButtonCaption.h"

namespace ctl {

std::wstring VisibleCaption(const std::wstring& caption) {
    const size_t first = caption.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    std::wstring words = caption.substr(first);
    const size_t tail = words.find(std::wstring(kHiddenTailBlankRun, L' '));
    if (tail != std::wstring::npos) words.erase(tail);
    const size_t last = words.find_last_not_of(L' ');
    words.erase(last + 1);
    return words;
}

}  // namespace ctl
