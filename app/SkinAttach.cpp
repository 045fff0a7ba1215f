#include "app/SkinAttach.h"

#include "app/SkinLook.h"
#include "frame/cNeoCaption.h"

namespace app {

void AttachSkinPictures(cNeoCaption& cap, HWND window, const rt::PictureRef& caption, const rt::PictureRef& border) {
    cap.Attach(window, caption, border, kButtonWidth, kButtonHeight, kActiveLeftEnd, kActiveRightStart,
               kActiveRightEnd, kInactiveOffset);
}

void ConfigureSkinLook(cNeoCaption& cap, double captionFontSize) {
    cap.ActiveCaptionColor(kActiveCaptionColor);
    cap.InActiveCaptionColor(kInActiveCaptionColor);
    cap.ActiveMenuColor(kActiveMenuColor);
    cap.ActiveMenuColorOver(kActiveMenuColorOver);
    cap.InActiveMenuColor(kInActiveMenuColor);
    cap.MenuBackgroundColor(kMenuBackgroundColor);
    cap.CaptionFont()->SetName(kSkinFontName);
    cap.CaptionFont()->SetSize(captionFontSize);
    cap.MenuFont()->SetName(kSkinFontName);
    cap.MenuFont()->SetSize(kMenuFontSize);
}

}  // namespace app
