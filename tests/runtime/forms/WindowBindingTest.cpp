// The one binding of objects to windows: a window destroyed or an object deleted inside its
// own handler, two objects of different roles on one window, and letting go of a window that
// another subclasser sits on.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "runtime/forms/WindowBinding.h"

namespace {

constexpr wchar_t kProbeClass[] = L"LumescaBindingProbe";
constexpr UINT kDestroyYourself = WM_APP + 1;
constexpr UINT kDeleteYourself = WM_APP + 2;
constexpr UINT kWhoAnswers = WM_APP + 3;

class Probe : public rt::WindowBinding {
public:
    explicit Probe(Role role, int answer) : WindowBinding(role), m_answer(answer) {}

    HWND Create(HWND parent = nullptr) {
        rt::RegisterWindowClass(kProbeClass);
        return CreateBoundWindow(0, kProbeClass, L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 40, 40, parent, nullptr);
    }
    using WindowBinding::Bind;
    using WindowBinding::BoundWindow;
    using WindowBinding::Unbind;

    int gone = 0;
    int destroyMessages = 0;
    bool* deleted = nullptr;
    std::vector<UINT>* heard = nullptr;
    ~Probe() override {
        if (deleted) *deleted = true;
    }

protected:
    LRESULT WindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (heard) heard->push_back(message);
        switch (message) {
            case kDestroyYourself:
                DestroyWindow(hwnd);
                // Still this object's handler: its state is there and the window is gone.
                return BoundWindow() == nullptr && !IsWindow(hwnd) ? 1 : 0;
            case kDeleteYourself: delete this; return 7;
            case kWhoAnswers: return m_answer;
            case WM_NCDESTROY: ++destroyMessages; break;
        }
        return NextProcedure(hwnd, message, wParam, lParam);
    }
    void WindowGone() override { ++gone; }

private:
    int m_answer;
};

TEST(WindowBinding, AWindowDestroyedInsideItsOwnHandlerEndsTheBindingOnce) {
    Probe probe(rt::WindowBinding::Role::Window, 11);
    const HWND hwnd = probe.Create();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(probe.BoundWindow(), hwnd);
    EXPECT_EQ(rt::WindowBinding::Find(hwnd, rt::WindowBinding::Role::Window), &probe);
    EXPECT_EQ(SendMessageW(hwnd, kWhoAnswers, 0, 0), 11);

    EXPECT_EQ(SendMessageW(hwnd, kDestroyYourself, 0, 0), 1);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(probe.destroyMessages, 1);
    EXPECT_EQ(probe.gone, 1);
    EXPECT_EQ(probe.BoundWindow(), nullptr);
}

TEST(WindowBinding, AnObjectDeletedInsideItsOwnHandlerLeavesAWorkingWindow) {
    bool deleted = false;
    auto* probe = new Probe(rt::WindowBinding::Role::Window, 12);
    probe->deleted = &deleted;
    const HWND hwnd = probe->Create();
    ASSERT_NE(hwnd, nullptr);

    EXPECT_EQ(SendMessageW(hwnd, kDeleteYourself, 0, 0), 7);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(rt::WindowBinding::Find(hwnd, rt::WindowBinding::Role::Window), nullptr);
    // The window goes on with its default procedure, and its end calls nobody.
    EXPECT_EQ(SendMessageW(hwnd, kWhoAnswers, 0, 0), 0);
    wchar_t text[8] = {};
    SetWindowTextW(hwnd, L"ok");
    GetWindowTextW(hwnd, text, 8);
    EXPECT_STREQ(text, L"ok");
    EXPECT_TRUE(DestroyWindow(hwnd));
}

TEST(WindowBinding, AControlAroundAWindowOfItsOwnHearsFirstAndBothHearTheEnd) {
    std::vector<UINT> heardByWindow, heardByControl;
    Probe window(rt::WindowBinding::Role::Window, 1);
    Probe control(rt::WindowBinding::Role::Control, 2);
    window.heard = &heardByWindow;
    control.heard = &heardByControl;
    const HWND hwnd = window.Create();
    ASSERT_NE(hwnd, nullptr);
    control.Bind(hwnd);

    EXPECT_EQ(rt::WindowBinding::Find(hwnd, rt::WindowBinding::Role::Window), &window);
    EXPECT_EQ(rt::WindowBinding::Find(hwnd, rt::WindowBinding::Role::Control), &control);
    EXPECT_EQ(rt::WindowBinding::Find(hwnd, rt::WindowBinding::Role::Form), nullptr);
    EXPECT_EQ(SendMessageW(hwnd, kWhoAnswers, 0, 0), 2) << "the control answers before the window's object";

    heardByWindow.clear();
    heardByControl.clear();
    DestroyWindow(hwnd);
    EXPECT_EQ(window.gone, 1);
    EXPECT_EQ(control.gone, 1);
    EXPECT_EQ(heardByWindow.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(heardByControl.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(window.BoundWindow(), nullptr);
    EXPECT_EQ(control.BoundWindow(), nullptr);
}

WNDPROC g_beneath = nullptr;
int g_outerHeard = 0;

LRESULT CALLBACK OuterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWhoAnswers) ++g_outerHeard;
    return CallWindowProcW(g_beneath, hwnd, message, wParam, lParam);
}

TEST(WindowBinding, LettingGoUnderAnotherSubclasserKeepsThatOneHooked) {
    Probe probe(rt::WindowBinding::Role::Form, 5);
    const HWND hwnd = probe.Create();
    ASSERT_NE(hwnd, nullptr);
    g_outerHeard = 0;
    g_beneath = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterSubclass)));
    EXPECT_EQ(SendMessageW(hwnd, kWhoAnswers, 0, 0), 5);

    probe.Unbind();
    EXPECT_EQ(SendMessageW(hwnd, kWhoAnswers, 0, 0), 0);
    EXPECT_EQ(g_outerHeard, 2);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OuterSubclass));
    DestroyWindow(hwnd);
    EXPECT_EQ(probe.gone, 0) << "an object that let go hears nothing of the window's end";
}

TEST(WindowBinding, AClassIsRegisteredOnce) {
    const ATOM first = rt::RegisterWindowClass(L"LumescaBindingOnce", CS_DBLCLKS);
    ASSERT_NE(first, 0);
    EXPECT_EQ(rt::RegisterWindowClass(L"LumescaBindingOnce"), first);
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"LumescaBindingOnce", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
}

}  // namespace
