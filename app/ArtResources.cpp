#include "app/ArtResources.h"

#include <windows.h>

#include "resources/ArtIds.h"
#include "runtime/core/RuntimeError.h"

namespace app {

namespace {
constexpr int kIconSize = 32;

HANDLE LoadImageResource(int id, UINT type, int size) {
    HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type, size, size,
                              size == 0 ? LR_DEFAULTSIZE : 0);
    if (!image) rt::Raise(rt::err::kResourceNotFound);
    return image;
}
}  // namespace

rt::PictureRef SkinCaptionPicture(int skin) { return rt::LoadPictureResource(IDR_SKIN_CAPTION_FIRST + skin); }

rt::PictureRef SkinBorderPicture(int skin) { return rt::LoadPictureResource(IDR_SKIN_BORDER_FIRST + skin); }

rt::PictureRef ResourcePicture(int id) { return rt::LoadPictureResource(id); }

rt::PictureRef ResourceIcon(int id) {
    return rt::StdPicture::FromIcon(static_cast<HICON>(LoadImageResource(id, IMAGE_ICON, kIconSize)));
}

rt::PictureRef ResourceCursor(int id) {
    return rt::StdPicture::FromIcon(static_cast<HICON>(LoadImageResource(id, IMAGE_CURSOR, 0)));
}

}  // namespace app
