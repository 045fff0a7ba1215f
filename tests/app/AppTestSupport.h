#pragma once
// Helpers of the main-window tests: settings databases of every kind written into a folder,
// the stored skin read back, files compared byte for byte, and a skin picture's pixels.
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/ArtResources.h"
#include "runtime/core/Text.h"
#include "store/Database.h"
#include "store/DatabaseFile.h"
#include "store/SettingsDatabase.h"
#include "tests/support/FramePictures.h"

namespace main_tests {

inline std::wstring SettingsPath(const std::wstring& folder) { return folder + L"\\tyy1.mdb"; }

// The shipped database with field 0 of the first record set to value (field 0 of the given type).
inline store::Database SettingsWith(const store::Variant& value, store::FieldType type = store::FieldType::Integer16) {
    store::Database db = store::DefaultSettingsDatabase();
    db.tables[0].fields[0].type = type;
    db.tables[0].records[0][0] = value;
    return db;
}

inline void WriteSettings(const std::wstring& folder, short skin) {
    store::WriteDatabaseFile(SettingsPath(folder), SettingsWith(store::Variant(static_cast<std::int16_t>(skin))));
}

inline store::Variant StoredField0(const std::wstring& folder) {
    store::Database db = store::ReadDatabaseFile(SettingsPath(folder));
    return db.tables[0].records[0][0];
}

inline std::vector<char> FileBytes(const std::wstring& path) {
    std::ifstream in(rt::AnsiFromWide(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline testing_support::Pixels CaptionPixels(int skin) {
    return testing_support::PicturePixels(*app::SkinCaptionPicture(skin));
}
inline testing_support::Pixels BorderPixels(int skin) {
    return testing_support::PicturePixels(*app::SkinBorderPicture(skin));
}

// How many of the skin's probe points a captured window frame shows: the caption picture's
// left slice (active look), the left and right edge tiles and the bottom edge tiles.
struct SkinMatch {
    int matched = 0;
    int total = 0;
    bool All() const { return total > 0 && matched == total; }
};

inline SkinMatch MatchSkin(const testing_support::Pixels& frame, int skin) {
    const auto caption = CaptionPixels(skin);
    const auto border = BorderPixels(skin);
    constexpr int kCapH = 55, kB = 10;
    SkinMatch m;
    auto probe = [&](COLORREF got, COLORREF want) {
        ++m.total;
        if (testing_support::ColorNear(got, want, 2)) ++m.matched;
    };
    const int w = frame.width, h = frame.height;
    for (int x : {1, 20, 45, 70, 88})
        for (int y : {1, 6, 30, 50}) probe(frame.At(x, y), caption.At(x, y));
    for (int y : {kCapH + 3, kCapH + 17, h / 2, h - kB - 2})
        for (int x : {0, 4, 9}) {
            probe(frame.At(x, y), border.At(x, (y - kCapH) % kB));
            probe(frame.At(w - kB + x, y), border.At(40 + x, (y - kCapH) % kB));
        }
    for (int x : {kB + 5, w / 2, w / 2 + 3})
        for (int r : {1, 5, 8}) probe(frame.At(x, h - kB + r), border.At(30 + (x - kB) % kB, r));
    return m;
}

}  // namespace main_tests
