#pragma once
// Where the banner screen's resizable parts go for a client size (twips): the angle scroll
// bar and the picture stretch to the width, the picture to the height above the bottom row,
// the clear button and the mode box keep their distance from the right edge, and the
// gradient designer's left edge follows that edge on the screen.
namespace banner {

struct BannerLayoutInput {
    double clientWidth = 0;
    double clientHeight = 0;
    double scrollLeft = 0;     // HScroll1's left, also the picture's left and bottom gap
    double pictureTop = 0;     // Picture1's top, which stays
    double clearWidth = 0;     // Command1's width
    double modeWidth = 0;      // Check1's width
    double designerWidth = 0;  // Form3's width
};

struct BannerLayout {
    double scrollWidth = 0;
    double pictureLeft = 0;
    double pictureTop = 0;
    double pictureWidth = 0;
    double pictureHeight = 0;
    double clearLeft = 0;
    double modeLeft = 0;
    double designerLeft = 0;
};

BannerLayout LayOutBanner(const BannerLayoutInput& in);

}  // namespace banner
