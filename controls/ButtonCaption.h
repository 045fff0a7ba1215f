#pragma once
// The words a gradient button shows. Its stored captions pad the words with long runs of blanks
// on both sides, and some carry a stray character far to the right that the padding pushed past
// the button's edge. The button shows only the words, centred.
#include <string>

namespace ctl {

// A run of this many blanks or more ends the visible words: what follows it was never meant to
// be seen. Shorter runs are spacing inside the words ("退  出") and stay.
constexpr size_t kHiddenTailBlankRun = 8;

// The caption without its leading blanks, cut at the first long run of blanks, without its
// trailing blanks.
std::wstring VisibleCaption(const std::wstring& caption);

}  // namespace ctl
