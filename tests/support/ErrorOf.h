#pragma once
// The run-time error number a statement raises, or 0.
#include <functional>

#include "runtime/core/RuntimeError.h"

namespace testing_support {

inline long ErrorOf(const std::function<void()>& statement) { return rt::TryStatement(statement); }

}  // namespace testing_support
