#include "frame/mDeclares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "frame/cNCCalcSize.h"
#include "runtime/core/RuntimeError.h"
#include "tests/frame/NCTestPainter.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestWindow.h"

using testing_support::MakeForeground;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::WaitFor;
using testing_support::TapKey;
using testing_support::TestWindow;
using testing_support::WindowOptions;

namespace {

// A window with an engine and painter whose key messages are logged. System commands are
// swallowed so that Alt keys never start the window manager's own menu or close the window.
struct KeyWindow {
    explicit KeyWindow(int x = 100)
        : window(WindowOptions{.x = x}, [this](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
              if (msg == WM_SYSCOMMAND) return 0;
              if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) keysDown.push_back(wParam);
              return std::nullopt;
          }),
          painter(std::make_shared<NCTestPainter>(window.hwnd())),
          engine(std::make_shared<cNCCalcSize>()) {
        engine->Attach(painter.get());
        engine->Display(window.hwnd());
    }
    ~KeyWindow() { engine->Detach(); }
    // Wine settles activation asynchronously after a window appears: bring it forward again
    // until it is the foreground window and its engine knows it is active.
    void Activate() {
        PumpUntil([&] {
            if (GetForegroundWindow() != window.hwnd()) SetForegroundWindow(window.hwnd());
            else if (!engine->WindowActive()) SendMessageW(window.hwnd(), WM_NCACTIVATE, TRUE, 0);
            return GetForegroundWindow() == window.hwnd() && engine->WindowActive();
        });
    }
    bool Received(WPARAM vk) const { return std::find(keysDown.begin(), keysDown.end(), vk) != keysDown.end(); }

    std::vector<WPARAM> keysDown;
    TestWindow window;
    std::shared_ptr<NCTestPainter> painter;
    std::shared_ptr<cNCCalcSize> engine;
};

void SendKeys(std::initializer_list<WORD> keys, bool up) {
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

TEST(mDeclaresKeyboardHookInput, AltLetterReachesTheActiveEngineAndIsSwallowedWhenUsed) {
    KeyWindow w;
    w.Activate();
    ASSERT_TRUE(w.engine->WindowActive());

    TapKey('F', {VK_MENU});
    EXPECT_EQ(w.painter->keys, (std::vector<long>{'F'}));  // the release is not offered
    EXPECT_FALSE(w.Received('F'));
    EXPECT_TRUE(w.Received(VK_MENU));  // Alt alone passes on

    w.painter->useKeys = false;
    TapKey('G', {VK_MENU});
    EXPECT_EQ(w.painter->keys, (std::vector<long>{'F', 'G'}));
    EXPECT_TRUE(w.Received('G'));

    // A key without Alt is not offered.
    TapKey('H');
    EXPECT_EQ(w.painter->keys.size(), 2u);
    EXPECT_TRUE(w.Received('H'));
}

TEST(mDeclaresKeyboardHookInput, ReservedCombinationsPassOn) {
    KeyWindow w;
    w.Activate();
    // The whole combination is released before the window takes any of it, as with a busy
    // window: Ctrl still counts as held for the F pressed under it.
    SendKeys({VK_CONTROL, VK_MENU, 'F'}, false);
    SendKeys({'F', VK_MENU, VK_CONTROL}, true);
    PumpPending();
    for (WORD vk : {static_cast<WORD>(VK_F1), static_cast<WORD>(VK_F4), static_cast<WORD>(VK_F12),
                    static_cast<WORD>(VK_DELETE), static_cast<WORD>(VK_ESCAPE)}) {
        w.Activate();
        TapKey(vk, {VK_MENU});
        EXPECT_TRUE(w.Received(vk)) << vk;
    }
    TapKey(VK_MENU);
    EXPECT_TRUE(w.painter->keys.empty());
    EXPECT_TRUE(w.Received('F'));
}

TEST(mDeclaresKeyboardHookInput, TheActiveOfTwoEnginesGetsTheKey) {
    KeyWindow first(100);
    KeyWindow second(560);
    first.Activate();
    second.Activate();
    ASSERT_FALSE(first.engine->WindowActive());
    ASSERT_TRUE(second.engine->WindowActive());
    TapKey('K', {VK_MENU});
    EXPECT_TRUE(first.painter->keys.empty());
    EXPECT_EQ(second.painter->keys, (std::vector<long>{'K'}));

    first.Activate();
    TapKey('L', {VK_MENU});
    EXPECT_EQ(first.painter->keys, (std::vector<long>{'L'}));
    EXPECT_EQ(second.painter->keys.size(), 1u);
}

TEST(mDeclaresKeyboardHookInput, AnErrorInTheEngineStaysInsideTheHook) {
    KeyWindow w;
    w.Activate();
    w.painter->onAltKey = [](long) { rt::Raise(rt::err::kTypeMismatch); };
    TapKey('M', {VK_MENU});
    EXPECT_EQ(w.painter->keys, (std::vector<long>{'M'}));
    EXPECT_TRUE(w.Received('M'));  // not used, so passed on
}

namespace {

// A tracker that keeps the first Esc of the menu loop from the menu.
class EscCounter : public IMenuInput {
public:
    void MenuInput(MSG& msg, bool& bHandled) override {
        ++messages;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && ++escapes == 1) bHandled = true;
    }
    std::atomic<int> messages{0};
    std::atomic<int> escapes{0};
};

void SendKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

}  // namespace

TEST(mDeclaresMsgFilterHookInput, TrackerSeesTheMenuLoopAndCanKeepAMessageFromIt) {
    TestWindow window;
    MakeForeground(window.hwnd());
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"One");
    AppendMenuW(popup, MF_STRING, 2, L"Two");
    EscCounter tracker;
    std::atomic<bool> menuOpen{true};
    std::atomic<bool> openAfterFirstEsc{false};

    std::thread keys([&] {
        WaitFor([&] { return tracker.messages > 0; });  // the menu loop runs
        SendKey(VK_ESCAPE);  // kept from the menu by the tracker
        WaitFor([&] { return tracker.escapes >= 1; });
        Sleep(300);  // the time is the subject: the menu stays open after the kept Esc
        openAfterFirstEsc = menuOpen.load();
        SendKey(VK_ESCAPE);  // closes it
        if (!WaitFor([&] { return !menuOpen; })) SendKey(VK_ESCAPE);  // never leave the test stuck in the loop
    });
    mDeclares::AttachMsgFilterHook(&tracker);
    EXPECT_NE(mDeclares::MsgFilterHookHandle(), nullptr);
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_RETURNCMD, 200, 200, window.hwnd(), nullptr);
    menuOpen = false;
    mDeclares::DetachMsgFilterHook();
    keys.join();

    EXPECT_EQ(mDeclares::MsgFilterHookHandle(), nullptr);
    EXPECT_TRUE(openAfterFirstEsc);
    EXPECT_EQ(tracker.escapes, 2);
    EXPECT_GT(tracker.messages, 2);
    DestroyMenu(popup);
}
