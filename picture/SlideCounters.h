#pragma once
// The 16-bit counters of the thumbnails and the slide show.
#include <optional>
#include <string>

// The largest count a 16-bit counter holds: counting stops there instead of overflowing.
constexpr short kMaxThumbnails = 32767;

// One more, but never past kMaxThumbnails.
short CountedUp(short count);

// The slide after `shown` (1-based; 0 = none shown yet) among `count` slides: after the last
// comes the first. 0 when there are no slides.
short NextSlide(short shown, short count);

// The timer interval an answer to the speed question names: a whole number from 1 to 65535,
// digits only, blanks around allowed. Anything else (Cancel's empty answer, 0, a fraction,
// words, a number too large) names none.
std::optional<int> IntervalFromAnswer(const std::wstring& answer);
