#include "main/SkinAttach.h"

#include "frame/cNeoCaption.h"
#include "main/SkinLook.h"

namespace mainwin {

void AttachSkinPictures(cNeoCaption& cap, HWND window, const rt::PictureRef& caption, const rt::PictureRef& border) {
    cap.Attach(window, caption, border, kButtonWidth, kButtonHeight, kActiveLeftEnd, kActiveRightStart,
               kActiveRightEnd, kInactiveOffset);
}

}  // namespace mainwin
