// The stacking work repairs the program's order among its own windows: a window of another
// application lying above them stays there, as Windows keeps it and under Wine's raises, and a
// pass that runs while another application is in front raises nothing over it.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "runtime/forms/Forms.h"
#include "runtime/forms/OwnedStacking.h"
#include "tests/runtime/forms/FormTestForms.h"
#include "tests/support/MessagePump.h"

using namespace form_tests;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

// A window of another application: its own thread, as another program's windows have.
class ForeignWindow {
public:
    ForeignWindow()
        : m_thread([this] {
              const HWND hwnd = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                                                300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
              m_threadId = GetCurrentThreadId();
              m_hwnd = hwnd;
              MSG msg;
              while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
              DestroyWindow(hwnd);
          }) {
        PumpUntil([this] { return m_hwnd.load() != nullptr; });
    }
    ~ForeignWindow() {
        PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }
    HWND hwnd() const { return m_hwnd; }

private:
    std::atomic<HWND> m_hwnd{nullptr};
    std::atomic<DWORD> m_threadId{0};
    std::thread m_thread;
};

bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

}  // namespace

TEST(OwnedStacking, RestacksStayBelowAnotherApplicationsWindow) {
    for (const auto screen : {rt::stacking::ScreenStacking::kFollowsOrder, rt::stacking::ScreenStacking::kOnlyOnRaise}) {
        rt::stacking::SetScreenStackingForTest(screen);
        auto& other = rt::Forms::Get<frmSample>();
        auto& modal = rt::Forms::Get<frmFields>();
        other.Show();
        modal.Show();
        ForeignWindow foreign;
        // The program goes to the background (other tests' windows may come to the front too).
        SetForegroundWindow(foreign.hwnd());
        ASSERT_TRUE(PumpUntil([] { return GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != GetCurrentThreadId(); }));
        // The modal form's pass finds another window of the program above it, right below the
        // foreign one.
        rt::stacking::ModalStarted(modal.hWnd());
        SetWindowPos(other.hWnd(), foreign.hwnd(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        EXPECT_TRUE(PumpUntil([&] { return Above(modal.hWnd(), other.hWnd()); }));
        PumpPending();
        EXPECT_TRUE(Above(foreign.hwnd(), modal.hWnd()));
        EXPECT_TRUE(Above(foreign.hwnd(), other.hWnd()));
        rt::stacking::ModalEnded(modal.hWnd());
        modal.Unload();
        other.Unload();
        PumpPending();
    }
    rt::stacking::SetScreenStackingForTest(std::nullopt);
}
