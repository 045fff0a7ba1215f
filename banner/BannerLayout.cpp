#include "banner/BannerLayout.h"

namespace banner {

namespace {
constexpr double kBottomRow = 730;      // room under the picture for the scroll bar and the row
constexpr double kClearGap = 230;
constexpr double kModeGap = 1250;
constexpr double kDesignerGap = 50;
}  // namespace

BannerLayout LayOutBanner(const BannerLayoutInput& in) {
    BannerLayout out;
    const double inner = in.clientWidth - in.scrollLeft;
    out.scrollWidth = inner;
    out.pictureLeft = in.scrollLeft;
    out.pictureTop = in.pictureTop;
    out.pictureWidth = inner;
    out.pictureHeight = in.clientHeight - in.pictureTop - in.scrollLeft - kBottomRow;
    out.clearLeft = inner - in.clearWidth - kClearGap;
    out.modeLeft = inner - in.modeWidth - kModeGap;
    out.designerLeft = inner - in.designerWidth - kDesignerGap;
    return out;
}

}  // namespace banner
