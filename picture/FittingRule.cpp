#include "picture/FittingRule.h"

ctl::PictureSizeMode FittingMode(int pictureWidth, int pictureHeight, int displayWidth, int displayHeight) {
    const bool tooLarge = pictureWidth > displayWidth || pictureHeight > displayHeight;
    return tooLarge ? ctl::PictureSizeMode::Zoom : ctl::PictureSizeMode::Clip;
}
