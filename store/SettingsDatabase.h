#pragma once
// The program's settings database as shipped: "tyy1.mdb" with table "coop", whose first record
// holds the skin number in field 0 (a 16-bit integer), starting at skin 0.
#include "store/Database.h"

namespace store {

inline constexpr wchar_t kSettingsFileName[] = L"tyy1.mdb";
inline constexpr wchar_t kSettingsTable[] = L"coop";
inline constexpr wchar_t kSkinIndexField[] = L"SkinIndex";

Database DefaultSettingsDatabase();

}  // namespace store
