#pragma once
// The thirty skins as the main window's skin panel offers them (index = skin number): option
// captions, their places in the panel's three columns, their text colours and the panel's
// per-skin window colours; and the ten that the skin chooser offers.
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

#include <array>
#include <optional>

namespace app {

constexpr int kSkinCount = 30;
constexpr int kChooserSkinCount = 10;

struct SkinOption {
    const wchar_t* caption;
    double left, top, width, height;  // twips, within the panel's frame
    OLE_COLOR textColor;
};

// Option1(0..29) of the skin panel.
const std::array<SkinOption, kSkinCount>& PanelSkinOptions();

// Option i's size as the panel makes it: its defined size, cut back so that it reaches neither
// the next column's left edge nor the next option's top in its own column. Every control clips
// its siblings, so an overlapping neighbour would hide part of a circle or caption.
SIZE PanelOptionSize(int i);  // twips

// The window colour the panel's confirmation sets for a skin before the skin is applied
// (nothing for the skins without one).
std::optional<OLE_COLOR> PanelSkinBackColor(int skin);

// Option1(0..9) of the skin chooser.
const std::array<const wchar_t*, kChooserSkinCount>& ChooserSkinNames();

}  // namespace app
