#pragma once
// Error numbers the controls raise, with their texts; the runtime's own numbers are shared.
#include "runtime/core/RuntimeError.h"

namespace ctl::err {

using rt::err::kInvalidPropertyValue;
constexpr long kIndexOutOfBounds = 35600;
constexpr long kElementNotFound = 35601;
constexpr long kKeyNotUnique = 35602;
constexpr long kImageListNotInitialized = 35613;

constexpr wchar_t kIndexOutOfBoundsText[] = L"Index out of bounds";
constexpr wchar_t kElementNotFoundText[] = L"Element not found";
constexpr wchar_t kKeyNotUniqueText[] = L"Key is not unique in collection";
constexpr wchar_t kImageListNotInitializedText[] = L"ImageList must be initialized before it can be used";
constexpr wchar_t kImageSizeFixedText[] = L"Property is read-only if image list contains images";

}  // namespace ctl::err
