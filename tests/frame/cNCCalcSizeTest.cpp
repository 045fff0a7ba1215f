#include "frame/cNCCalcSize.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "frame/MSubclass.h"
#include "frame/mDeclares.h"
#include "runtime/core/RuntimeError.h"
#include "tests/frame/NCTestPainter.h"
#include "tests/support/GdiCount.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"

using testing_support::CaptureWindowFrame;
using testing_support::ColorNear;
using testing_support::GdiObjectCount;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::TestWindow;
using testing_support::WindowOptions;

namespace {

constexpr COLORREF kClientColor = RGB(0, 128, 64);  // unlike any system frame colour

// A real window with an engine and a test painter attached.
struct Framed {
    explicit Framed(WindowOptions options = {}, testing_support::MessageHandler handler = {})
        : window(std::move(options), std::move(handler)),
          painter(std::make_shared<NCTestPainter>(window.hwnd())),
          engine(std::make_shared<cNCCalcSize>()) {
        engine->Attach(painter.get());
        engine->Display(window.hwnd());
        PumpPending();
    }
    ~Framed() { engine->Detach(); }
    HWND hwnd() const { return window.hwnd(); }

    TestWindow window;
    std::shared_ptr<NCTestPainter> painter;
    std::shared_ptr<cNCCalcSize> engine;
};

RECT WindowRect(HWND h) {
    RECT r = {};
    GetWindowRect(h, &r);
    return r;
}

}  // namespace

TEST(cNCCalcSize, AttachRegistersAndDetachGivesEverythingBack) {
    TestWindow window;
    const HWND h = window.hwnd();
    const LONG_PTR original = GetWindowLongPtrW(h, GWLP_WNDPROC);
    auto painter = std::make_shared<NCTestPainter>(h);
    auto engine = std::make_shared<cNCCalcSize>();
    engine->Attach(painter.get());

    EXPECT_EQ(GetPropW(h, L"ostrCNCImplementation"), static_cast<HANDLE>(static_cast<INCAreaModifier*>(painter.get())));
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&MSubclass::WindowProc));
    // Eighteen messages for a top-level window (WM_SIZE only for an MDI child).
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropW(h, MSubclass::AttachCountProperty(h).c_str())), 18);
    EXPECT_EQ(mDeclares::FindHookIndex(engine.get()), 1);
    EXPECT_NE(mDeclares::KeyboardHookHandle(), nullptr);
    std::shared_ptr<INCAreaModifier> found;
    EXPECT_TRUE(engine->GetImplementation(found));
    EXPECT_EQ(found.get(), painter.get());

    engine->Attach(painter.get());  // attaching again starts with a detach
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropW(h, MSubclass::AttachCountProperty(h).c_str())), 18);
    EXPECT_EQ(mDeclares::RegisteredCount(), 1);

    engine->Attach(nullptr);  // no painter: only the detach
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), original);
    EXPECT_EQ(GetPropW(h, L"ostrCNCImplementation"), nullptr);
    EXPECT_EQ(mDeclares::FindHookIndex(engine.get()), 0);
    EXPECT_EQ(mDeclares::KeyboardHookHandle(), nullptr);
    EXPECT_FALSE(engine->GetImplementation(found));
    engine->Detach();  // safe when detached
}

TEST(cNCCalcSize, PainterMarginsShapeTheClientArea) {
    Framed f;
    const RECT w = WindowRect(f.hwnd());
    RECT client = {};
    GetClientRect(f.hwnd(), &client);
    POINT origin = {0, 0};
    ClientToScreen(f.hwnd(), &origin);
    const NCTestPainter& p = *f.painter;
    EXPECT_EQ(client.right, (w.right - w.left) - p.left - p.right);
    EXPECT_EQ(client.bottom, (w.bottom - w.top) - p.top - p.bottom);
    EXPECT_EQ(origin.x, w.left + p.left);
    EXPECT_EQ(origin.y, w.top + p.top);

    ASSERT_GE(p.marginOrder.size(), 4u);
    const std::vector<std::string> firstFour(p.marginOrder.begin(), p.marginOrder.begin() + 4);
    EXPECT_EQ(firstFour, (std::vector<std::string>{"left", "top", "right", "bottom"}));
    const long fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
    EXPECT_EQ(p.marginDefaults[0], fx);
    EXPECT_EQ(p.marginDefaults[1], GetSystemMetrics(SM_CYCAPTION) + fy);
    EXPECT_EQ(p.marginDefaults[2], fx);
    EXPECT_EQ(p.marginDefaults[3], fy);

    // The message itself: the valid-rectangles answer, first and second rectangles equal.
    WINDOWPOS pos = {f.hwnd(), nullptr, 10, 20, 300, 200, 0};
    NCCALCSIZE_PARAMS params = {};
    params.rgrc[0] = RECT{10, 20, 310, 220};
    params.rgrc[1] = params.rgrc[0];
    params.rgrc[2] = params.rgrc[0];
    params.lppos = &pos;
    EXPECT_EQ(SendMessageW(f.hwnd(), WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)), WVR_VALIDRECTS);
    EXPECT_EQ(params.rgrc[0].left, 10 + p.left);
    EXPECT_EQ(params.rgrc[0].top, 20 + p.top);
    EXPECT_EQ(params.rgrc[0].right, 310 - p.right);
    EXPECT_EQ(params.rgrc[0].bottom, 220 - p.bottom);
    EXPECT_TRUE(EqualRect(&params.rgrc[0], &params.rgrc[1]));
}

TEST(cNCCalcSize, CalcSizeWithoutValidRectsRunsTheDefaultOnce) {
    Framed f;
    RECT expected = {50, 60, 450, 360};
    DefWindowProcW(f.hwnd(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&expected));
    RECT r = {50, 60, 450, 360};
    EXPECT_EQ(SendMessageW(f.hwnd(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r)), 0);
    EXPECT_TRUE(EqualRect(&r, &expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

TEST(cNCCalcSize, PaintsThroughThePainterOnlyWhenVisible) {
    Framed f;
    const int before = f.painter->paints;
    EXPECT_EQ(SendMessageW(f.hwnd(), WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(f.painter->paints, before + 1);
    const RECT w = WindowRect(f.hwnd());
    EXPECT_EQ(f.painter->lastPaintRect.left, 0);
    EXPECT_EQ(f.painter->lastPaintRect.top, 0);
    EXPECT_EQ(f.painter->lastPaintRect.right, w.right - w.left);
    EXPECT_EQ(f.painter->lastPaintRect.bottom, w.bottom - w.top);
    const auto frame = CaptureWindowFrame(f.hwnd());
    EXPECT_TRUE(ColorNear(frame.At(2, 100), f.painter->frameColor, 8));
    EXPECT_TRUE(ColorNear(frame.At(150, 10), f.painter->frameColor, 8));

    ShowWindow(f.hwnd(), SW_HIDE);
    const int hiddenBefore = f.painter->paints;
    EXPECT_EQ(SendMessageW(f.hwnd(), WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(f.painter->paints, hiddenBefore);
}

TEST(cNCCalcSize, WithoutAPainterTheDefaultFrameIsDrawn) {
    Framed f(WindowOptions{.caption = L"Default frame", .background = kClientColor});
    SendMessageW(f.hwnd(), WM_NCACTIVATE, TRUE, 0);
    RemovePropW(f.hwnd(), L"ostrCNCImplementation");
    std::shared_ptr<INCAreaModifier> none;
    ASSERT_FALSE(f.engine->GetImplementation(none));
    const int paintsBefore = f.painter->paints;
    EXPECT_EQ(SendMessageW(f.hwnd(), WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(f.painter->paints, paintsBefore);

    const auto frame = CaptureWindowFrame(f.hwnd());
    ASSERT_FALSE(frame.Empty());
    const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
    int differing = 0;
    // Two pixels in: past the raised edge, on the border fill and the caption strip.
    const int samples[][2] = {{2, frame.height / 2},          {frame.width - 3, frame.height / 2},
                              {frame.width / 2, 2},           {frame.width / 2, frame.height - 3},
                              {frame.width / 2, fy + 1},      {frame.width - fx - 1, fy}};
    for (const auto& s : samples) {
        if (!ColorNear(frame.At(s[0], s[1]), kClientColor, 4)) ++differing;
        else ADD_FAILURE() << "client colour at " << s[0] << "," << s[1];
    }
    EXPECT_EQ(differing, 6);
    // The caption strip carries the active caption colour where no title text is.
    // Right of the caption buttons, above them: the caption brush of the active look.
    EXPECT_TRUE(ColorNear(frame.At(frame.width - fx - 1, fy), GetSysColor(COLOR_ACTIVECAPTION), 8));
}

TEST(cNCCalcSize, NativeMenuIsTakenOffAtSetCursor) {
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 100, L"&File");
    Framed f(WindowOptions{.menu = menu});
    EXPECT_EQ(f.engine->hMenu(), menu);
    SetMenu(f.hwnd(), menu);
    ASSERT_EQ(GetMenu(f.hwnd()), menu);
    SendMessageW(f.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetMenu(f.hwnd()), nullptr);
    EXPECT_TRUE(GetWindowLongW(f.hwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(IsWindowVisible(f.hwnd()));
    f.engine->Detach();
    DestroyMenu(menu);
}

TEST(cNCCalcSize, ActivationAndMenuMessagesReachThePainter) {
    Framed f;
    SendMessageW(f.hwnd(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(f.engine->WindowActive());
    int paints = f.painter->paints;
    SendMessageW(f.hwnd(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(f.engine->WindowActive());
    EXPECT_GT(f.painter->paints, paints);

    SendMessageW(f.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(f.engine->AppActive());
    SendMessageW(f.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(f.engine->AppActive());

    HMENU popup = CreatePopupMenu();
    paints = f.painter->paints;
    EXPECT_EQ(SendMessageW(f.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE)), 0);
    SendMessageW(f.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, TRUE));  // window menu
    EXPECT_EQ(f.painter->popups, (std::vector<HMENU>{popup}));
    EXPECT_EQ(f.painter->paints, paints + 2);
    SendMessageW(f.hwnd(), WM_EXITMENULOOP, 0, 0);
    EXPECT_EQ(f.painter->menuLoopExits, 1);
    DestroyMenu(popup);

    paints = f.painter->paints;
    SetWindowTextW(f.hwnd(), L"New title");
    EXPECT_EQ(f.painter->paints, paints + 1);
}

TEST(cNCCalcSize, SysCommandIsPostedAndAltKeysGoToThePainter) {
    std::vector<WPARAM> commands;
    Framed f(WindowOptions{}, [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_SYSCOMMAND) return std::nullopt;
        commands.push_back(wParam);
        return 0;
    });
    f.engine->SysCommand(SC_MAXIMIZE);
    EXPECT_TRUE(commands.empty());  // posted, not sent
    ASSERT_TRUE(PumpUntil([&] { return !commands.empty(); }));
    EXPECT_EQ(commands.front(), static_cast<WPARAM>(SC_MAXIMIZE));

    EXPECT_EQ(f.engine->AltKeyAccelerator('F'), -1);
    EXPECT_EQ(f.painter->keys, (std::vector<long>{'F'}));
    RemovePropW(f.hwnd(), L"ostrCNCImplementation");
    EXPECT_EQ(f.engine->AltKeyAccelerator('F'), 0);
}

TEST(cNCCalcSize, DestroyingTheWindowDetachesTheEngine) {
    auto window = std::make_unique<TestWindow>();
    auto painter = std::make_shared<NCTestPainter>(window->hwnd());
    auto engine = std::make_shared<cNCCalcSize>();
    engine->Attach(painter.get());
    EXPECT_EQ(mDeclares::RegisteredCount(), 1);
    window.reset();
    EXPECT_EQ(mDeclares::RegisteredCount(), 0);
    EXPECT_EQ(engine->hMenu(), nullptr);
    engine->Detach();
}

TEST(cNCCalcSize, FailedAttachDetachesOnlyWhatItAttached) {
    std::vector<UINT> seen;
    TestWindow window(WindowOptions{.show = false});
    const HWND h = window.hwnd();
    auto painter = std::make_shared<NCTestPainter>(h);
    auto engine = std::make_shared<cNCCalcSize>();
    // The engine is already listed for WM_NCHITTEST (seventh of its messages): Attach fails there.
    MSubclass::AttachMessage(engine.get(), h, WM_NCHITTEST);
    try {
        engine->Attach(painter.get());
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::kObjectError | 13082);
    }
    const long count = static_cast<long>(reinterpret_cast<LONG_PTR>(GetPropW(h, MSubclass::AttachCountProperty(h).c_str())));
    EXPECT_EQ(count, 1 + 6 + 1);
    engine->Detach();
    EXPECT_EQ(static_cast<long>(reinterpret_cast<LONG_PTR>(GetPropW(h, MSubclass::AttachCountProperty(h).c_str()))), 2);
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&MSubclass::WindowProc));
    MSubclass::DetachMessage(engine.get(), h, WM_NCHITTEST);
    MSubclass::DetachMessage(engine.get(), h, WM_NCHITTEST);
    EXPECT_EQ(GetPropW(h, MSubclass::AttachCountProperty(h).c_str()), nullptr);
}

TEST(cNCCalcSize, IsMDIChildLooksAtTheParentsClass) {
    TestWindow frame(WindowOptions{.show = false});
    CLIENTCREATESTRUCT ccs = {nullptr, 1000};
    const HWND mdiClient = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                                           frame.hwnd(), nullptr, GetModuleHandleW(nullptr), &ccs);
    ASSERT_NE(mdiClient, nullptr);
    const HWND plainChild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, frame.hwnd(), nullptr,
                                            GetModuleHandleW(nullptr), nullptr);
    const HWND mdiChildLike = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, mdiClient, nullptr,
                                              GetModuleHandleW(nullptr), nullptr);
    EXPECT_TRUE(cNCCalcSize::IsMDIChild(mdiChildLike));
    EXPECT_FALSE(cNCCalcSize::IsMDIChild(plainChild));
    EXPECT_FALSE(cNCCalcSize::IsMDIChild(frame.hwnd()));
    DestroyWindow(mdiChildLike);
    DestroyWindow(plainChild);
    DestroyWindow(mdiClient);
}

TEST(cNCCalcSize, ThousandNonClientPaintsLeakNoGdiObjects) {
    Framed f;
    SendMessageW(f.hwnd(), WM_NCPAINT, 1, 0);  // warm-up: caches of the first paint
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 1000; ++i) SendMessageW(f.hwnd(), WM_NCPAINT, 1, 0);
    const unsigned long withPainter = GdiObjectCount();
    RemovePropW(f.hwnd(), L"ostrCNCImplementation");
    SendMessageW(f.hwnd(), WM_NCPAINT, 1, 0);
    const unsigned long defaultBefore = GdiObjectCount();
    for (int i = 0; i < 1000; ++i) SendMessageW(f.hwnd(), WM_NCPAINT, 1, 0);
    const unsigned long withDefault = GdiObjectCount();
    std::printf("GDI objects: painter %lu -> %lu, default frame %lu -> %lu\n", before, withPainter,
                defaultBefore, withDefault);
    EXPECT_LE(withPainter, before + 2);
    EXPECT_LE(withDefault, defaultBefore + 2);
}

TEST(cNCCalcSize, AttachAndDetachRepeatedlyLeakNothing) {
    TestWindow window;
    auto painter = std::make_shared<NCTestPainter>(window.hwnd());
    auto engine = std::make_shared<cNCCalcSize>();
    engine->Attach(painter.get());
    engine->Detach();
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) {
        engine->Attach(painter.get());
        engine->Detach();
    }
    EXPECT_LE(GdiObjectCount(), before + 2);
}
