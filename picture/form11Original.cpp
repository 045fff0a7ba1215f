// Opening the shown picture at its own size in Form12.
#include "app/MainWindow.h"
#include "picture/Form12.h"
#include "picture/OriginalViewSize.h"
#include "picture/form11.h"
#include "runtime/forms/Forms.h"
#include "runtime/gdi/Screen.h"
#include "runtime/core/RuntimeError.h"

namespace {
constexpr long kObjectNotSet = 91;

// A large picture's window would run off the screen with its caption buttons, where no one
// could move or close it.
void KeepOnWorkArea(rt::Form& view) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(view.hWnd(), MONITOR_DEFAULTTONEAREST), &monitor)) return;
    RECT window;
    GetWindowRect(view.hWnd(), &window);
    const RECT kept = KeptOnWorkArea(window, monitor.rcWork);
    if (EqualRect(&kept, &window)) return;
    view.Move(rt::PixelsToTwipsX(kept.left), rt::PixelsToTwipsY(kept.top), rt::PixelsToTwipsX(kept.right - kept.left),
              rt::PixelsToTwipsY(kept.bottom - kept.top));
}
}  // namespace

// Statement by statement: with no picture shown the sizing steps fail and are skipped, and
// the window still opens. The view is owned by the main window (none when it is not loaded).
// However large the picture, the window's caption stays on the screen.
void form11::Command1_Click() {
    app::ISkinnedMainWindow* main = app::MainWindow();
    rt::Form* owner = main ? &main->SkinnedForm() : nullptr;
    Form12& view = rt::Forms::Get<Form12>();
    const rt::PictureRef picture = Image1.Picture();
    rt::TryStatement([&] { view.Show(rt::ShowMode::Modeless, owner); });
    rt::TryStatement([&] { view.Picture(picture); });
    auto size = [&] {
        if (!picture) rt::Raise(kObjectNotSet);
        return OriginalViewSize(picture->Width(), picture->Height());
    };
    rt::TryStatement([&] { view.Height(size().height); });
    rt::TryStatement([&] { view.Width(size().width); });
    rt::TryStatement([&] { KeepOnWorkArea(view); });
}
