#pragma once
// The main window as the windows below it see it: the window a skin chooser dresses and the
// skin pictures it carries. The main window registers itself while it is loaded, so the
// shared windows never name its class.
#include "runtime/picture/StdPicture.h"

namespace rt {
class Form;
}

namespace app {

class ISkinnedMainWindow {
public:
    virtual rt::Form& SkinnedForm() = 0;
    // Skin n's caption and border pictures as the main window carries them (it raises for a
    // skin it does not carry).
    virtual rt::PictureRef SkinCaptionPicture(int skin) = 0;
    virtual rt::PictureRef SkinBorderPicture(int skin) = 0;

protected:
    ~ISkinnedMainWindow() = default;
};

// The loaded main window, or nullptr while none is.
ISkinnedMainWindow* MainWindow();
void RegisterMainWindow(ISkinnedMainWindow* window);
// Clears the registration only if it is still this window's.
void UnregisterMainWindow(ISkinnedMainWindow* window);

}  // namespace app
