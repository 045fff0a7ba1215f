#include "frame/FrameError.h"

#include "runtime/core/RuntimeError.h"

namespace frame_detail {

void RaiseFrameError(long code, const wchar_t* description) {
    constexpr long kLargestStandardError = 1000;
    if (code <= kLargestStandardError) rt::Raise(code);
    rt::Raise(rt::kObjectError | code, rt::AppName() + L".WindowProc", description);
}

}  // namespace frame_detail
