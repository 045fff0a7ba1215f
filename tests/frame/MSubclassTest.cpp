#include "frame/MSubclass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/GSubclass.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/TestWindow.h"

using testing_support::TestWindow;
using testing_support::WindowOptions;

namespace {

constexpr UINT kMsg = WM_APP + 1;
constexpr UINT kOtherMsg = WM_APP + 2;
constexpr LRESULT kDefaultResult = 77;

using Log = std::vector<std::string>;

// A client that records what the dispatcher asks of it.
class RecordingClient : public ISubclass {
public:
    RecordingClient(std::string name, long response, LRESULT result, Log& log)
        : m_name(std::move(name)), m_response(response), m_result(result), m_log(log) {}

    long MsgResponse() const override {
        m_log.push_back(m_name + ":response");
        return m_response;
    }
    void MsgResponse(long) override {}
    LRESULT WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override {
        m_log.push_back(m_name + ":proc");
        if (onProc) return onProc(hWnd, iMsg, wParam, lParam);
        return m_result;
    }

    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> onProc;

private:
    std::string m_name;
    long m_response;
    LRESULT m_result;
    Log& m_log;
};

// A window whose own procedure logs "default" for the test messages and answers 77.
class LoggingWindow {
public:
    explicit LoggingWindow(Log& log)
        : m_window(WindowOptions{.show = false}, [&log](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
              if (msg != kMsg && msg != kOtherMsg) return std::nullopt;
              log.push_back("default");
              return kDefaultResult;
          }) {}
    HWND hwnd() const { return m_window.hwnd(); }

private:
    TestWindow m_window;
};

long PropLong(HWND hwnd, const std::wstring& name) {
    return static_cast<long>(reinterpret_cast<std::intptr_t>(GetPropW(hwnd, name.c_str())));
}

struct PropSearch {
    const std::wstring* name;
    bool found;
};

BOOL CALLBACK FindProp(HWND, LPWSTR propName, HANDLE, ULONG_PTR data) {
    auto* search = reinterpret_cast<PropSearch*>(data);
    if (!IS_INTRESOURCE(propName) && *search->name == propName) search->found = true;
    return TRUE;
}

// Present at all, whatever its value (GetProp cannot tell a 0 from an absent property).
bool HasProp(HWND hwnd, const std::wstring& name) {
    PropSearch search{&name, false};
    EnumPropsExW(hwnd, &FindProp, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ISubclass* ClientAt(HWND hwnd, UINT msg, long n) {
    return static_cast<ISubclass*>(GetPropW(hwnd, MSubclass::ClientProperty(hwnd, msg, n).c_str()));
}

LONG_PTR WindowProcOf(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWLP_WNDPROC); }

}  // namespace

TEST(MSubclassProperties, NamesAreSignedDecimalHandleAndMessage) {
    const HWND h = reinterpret_cast<HWND>(static_cast<std::intptr_t>(1312));
    EXPECT_EQ(MSubclass::AttachCountProperty(h), L"C1312");
    EXPECT_EQ(MSubclass::OldProcProperty(h), L"1312");
    EXPECT_EQ(MSubclass::ClientCountProperty(h, 133), L"1312#133C");
    EXPECT_EQ(MSubclass::ClientProperty(h, 133, 2), L"1312#133#2");
    const HWND high = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x80000010u));
    EXPECT_EQ(MSubclass::AttachCountProperty(high), L"C-2147483632");
    EXPECT_EQ(MSubclass::ClientProperty(high, 0x84, 10), L"-2147483632#132#10");
}

TEST(MSubclassDispatch, MessageWithoutClientsGoesToThePreviousProcedure) {
    Log log;
    LoggingWindow window(log);
    RecordingClient client("a", ResponseClientOnly, 5, log);
    MSubclass::AttachMessage(&client, window.hwnd(), kMsg);
    EXPECT_EQ(WindowProcOf(window.hwnd()), reinterpret_cast<LONG_PTR>(&MSubclass::WindowProc));
    EXPECT_EQ(SendMessageW(window.hwnd(), kOtherMsg, 0, 0), kDefaultResult);
    EXPECT_EQ(log, (Log{"default"}));
    MSubclass::DetachMessage(&client, window.hwnd(), kMsg);
}

TEST(MSubclassDispatch, OneClientResponseCodesPlaceTheDefault) {
    Log log;
    LoggingWindow window(log);
    struct Case {
        long response;
        LRESULT expected;
        Log order;
    };
    const Case cases[] = {
        {ResponseClientOnly, 5, {"a:response", "a:proc", "a:response"}},
        {ResponseDefaultBefore, 5, {"a:response", "default", "a:proc", "a:response"}},
        {ResponseDefaultAfter, kDefaultResult, {"a:response", "a:proc", "a:response", "default"}},
    };
    for (const Case& c : cases) {
        RecordingClient client("a", c.response, 5, log);
        MSubclass::AttachMessage(&client, window.hwnd(), kMsg);
        log.clear();
        EXPECT_EQ(SendMessageW(window.hwnd(), kMsg, 0, 0), c.expected) << c.response;
        EXPECT_EQ(log, c.order) << c.response;
        MSubclass::DetachMessage(&client, window.hwnd(), kMsg);
    }
}

TEST(MSubclassDispatch, SeveralClientsRunInOrderAndTheDefaultRunsAtMostOnce) {
    Log log;
    LoggingWindow window(log);
    RecordingClient a("a", ResponseDefaultBefore, 1, log);
    RecordingClient b("b", ResponseDefaultAfter, 2, log);
    RecordingClient c("c", ResponseDefaultAfter, 3, log);
    for (ISubclass* client : {static_cast<ISubclass*>(&a), static_cast<ISubclass*>(&b), static_cast<ISubclass*>(&c)}) {
        MSubclass::AttachMessage(client, window.hwnd(), kMsg);
    }
    // First before, last after: the before-call wins, the last client's result is returned,
    // and the middle client is never asked for its response.
    EXPECT_EQ(SendMessageW(window.hwnd(), kMsg, 0, 0), 3);
    EXPECT_EQ(log, (Log{"a:response", "default", "a:proc", "b:proc", "c:proc", "c:response"}));
    MSubclass::DetachMessage(&a, window.hwnd(), kMsg);

    // Now b is first (after: not looked at first) and c last: the after-call replaces c's result.
    log.clear();
    EXPECT_EQ(SendMessageW(window.hwnd(), kMsg, 0, 0), kDefaultResult);
    EXPECT_EQ(log, (Log{"b:response", "b:proc", "c:proc", "c:response", "default"}));
    MSubclass::DetachMessage(&b, window.hwnd(), kMsg);
    MSubclass::DetachMessage(&c, window.hwnd(), kMsg);
}

TEST(MSubclassAttach, PropertiesCarryTheBookkeeping) {
    Log log;
    LoggingWindow window(log);
    const HWND h = window.hwnd();
    const LONG_PTR original = WindowProcOf(h);
    RecordingClient a("a", ResponseClientOnly, 0, log);
    RecordingClient b("b", ResponseClientOnly, 0, log);
    MSubclass::AttachMessage(&a, h, kMsg);
    MSubclass::AttachMessage(&b, h, kMsg);
    MSubclass::AttachMessage(&a, h, kOtherMsg);

    const std::wstring hs = std::to_wstring(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(h)));
    const std::wstring ms = std::to_wstring(kMsg);
    EXPECT_EQ(PropLong(h, L"C" + hs), 3);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropW(h, hs.c_str())), original);
    EXPECT_EQ(PropLong(h, hs + L"#" + ms + L"C"), 2);
    EXPECT_EQ(GetPropW(h, (hs + L"#" + ms + L"#1").c_str()), static_cast<HANDLE>(static_cast<ISubclass*>(&a)));
    EXPECT_EQ(GetPropW(h, (hs + L"#" + ms + L"#2").c_str()), static_cast<HANDLE>(static_cast<ISubclass*>(&b)));

    MSubclass::DetachMessage(&a, h, kMsg);
    MSubclass::DetachMessage(&b, h, kMsg);
    EXPECT_EQ(PropLong(h, L"C" + hs), 1);
    EXPECT_EQ(WindowProcOf(h), reinterpret_cast<LONG_PTR>(&MSubclass::WindowProc));

    // The last attachment gives the window its own procedure back and drops the window-level
    // properties; the per-message counts stay behind holding 0.
    MSubclass::DetachMessage(&a, h, kOtherMsg);
    EXPECT_EQ(WindowProcOf(h), original);
    EXPECT_FALSE(HasProp(h, L"C" + hs));
    EXPECT_FALSE(HasProp(h, hs));
    EXPECT_TRUE(HasProp(h, hs + L"#" + ms + L"C"));
    EXPECT_EQ(PropLong(h, hs + L"#" + ms + L"C"), 0);
    log.clear();
    EXPECT_EQ(SendMessageW(h, kMsg, 0, 0), kDefaultResult);
    EXPECT_EQ(log, (Log{"default"}));
}

TEST(MSubclassAttach, SameClientTwiceRaises13082AfterCountingTheAttachment) {
    Log log;
    LoggingWindow window(log);
    const HWND h = window.hwnd();
    RecordingClient a("a", ResponseClientOnly, 0, log);
    MSubclass::AttachMessage(&a, h, kMsg);
    try {
        MSubclass::AttachMessage(&a, h, kMsg);
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::kObjectError | 13082);
        EXPECT_EQ(e.Source(), rt::AppName() + L".WindowProc");
        EXPECT_EQ(e.Description(), L"Message already handled by another class");
    }
    EXPECT_EQ(PropLong(h, MSubclass::ClientCountProperty(h, kMsg)), 1);
    EXPECT_EQ(PropLong(h, MSubclass::AttachCountProperty(h)), 2);
    MSubclass::DetachMessage(&a, h, kMsg);
    MSubclass::DetachMessage(&a, h, kMsg);  // the second detach balances the counted attach
    EXPECT_FALSE(HasProp(h, MSubclass::AttachCountProperty(h)));
}

TEST(MSubclassAttach, InvalidAndForeignWindowsRaiseBeforeAnythingIsStored) {
    Log log;
    RecordingClient a("a", ResponseClientOnly, 0, log);
    const HWND bogus = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x7654));
    ASSERT_FALSE(IsWindow(bogus));
    try {
        MSubclass::AttachMessage(&a, bogus, kMsg);
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::kObjectError | 13083);
        EXPECT_EQ(e.Description(), L"Invalid window");
        EXPECT_EQ(e.Source(), rt::AppName() + L".WindowProc");
    }

    const HWND desktop = GetDesktopWindow();
    ASSERT_FALSE(MSubclass::IsWindowLocal(desktop)) << "the desktop belongs to another process";
    const LONG_PTR desktopProc = WindowProcOf(desktop);
    try {
        MSubclass::AttachMessage(&a, desktop, kMsg);
        FAIL() << "no error";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), rt::kObjectError | 13084);
        EXPECT_EQ(e.Description(), L"Can't modify external window");
    }
    EXPECT_EQ(GetPropW(desktop, MSubclass::AttachCountProperty(desktop).c_str()), nullptr);
    EXPECT_EQ(WindowProcOf(desktop), desktopProc);

    Log windowLog;
    LoggingWindow window(windowLog);
    EXPECT_TRUE(MSubclass::IsWindowLocal(window.hwnd()));
}

TEST(MSubclassDetach, MiddleClientShiftsTheListAndUnlistedClientOnlyLowersTheCount) {
    Log log;
    LoggingWindow window(log);
    const HWND h = window.hwnd();
    RecordingClient a("a", ResponseClientOnly, 0, log);
    RecordingClient b("b", ResponseClientOnly, 0, log);
    RecordingClient c("c", ResponseClientOnly, 0, log);
    RecordingClient stranger("s", ResponseClientOnly, 0, log);
    MSubclass::AttachMessage(&a, h, kMsg);
    MSubclass::AttachMessage(&b, h, kMsg);
    MSubclass::AttachMessage(&c, h, kMsg);
    MSubclass::AttachMessage(&stranger, h, kOtherMsg);

    MSubclass::DetachMessage(&b, h, kMsg);
    EXPECT_EQ(ClientAt(h, kMsg, 1), &a);
    EXPECT_EQ(ClientAt(h, kMsg, 2), &c);
    EXPECT_FALSE(HasProp(h, MSubclass::ClientProperty(h, kMsg, 3)));
    EXPECT_EQ(PropLong(h, MSubclass::ClientCountProperty(h, kMsg)), 2);
    log.clear();
    SendMessageW(h, kMsg, 0, 0);
    EXPECT_EQ(log, (Log{"a:response", "a:proc", "c:proc", "c:response"}));

    MSubclass::DetachMessage(&stranger, h, kMsg);  // not listed for kMsg
    EXPECT_EQ(PropLong(h, MSubclass::AttachCountProperty(h)), 2);
    EXPECT_EQ(ClientAt(h, kMsg, 1), &a);
    EXPECT_EQ(ClientAt(h, kMsg, 2), &c);
    EXPECT_EQ(PropLong(h, MSubclass::ClientCountProperty(h, kMsg)), 2);

    MSubclass::DetachMessage(&a, h, kMsg);
    MSubclass::DetachMessage(&c, h, kMsg);
    EXPECT_FALSE(HasProp(h, MSubclass::AttachCountProperty(h)));
}

TEST(MSubclassDetach, DetachOnAnUnattachedWindowLeavesNoCount) {
    Log log;
    LoggingWindow window(log);
    const HWND h = window.hwnd();
    const LONG_PTR original = WindowProcOf(h);
    RecordingClient a("a", ResponseClientOnly, 9, log);
    MSubclass::DetachMessage(&a, h, kMsg);
    EXPECT_FALSE(HasProp(h, MSubclass::AttachCountProperty(h)));
    EXPECT_EQ(WindowProcOf(h), original);
    // A later attachment still installs the dispatcher.
    MSubclass::AttachMessage(&a, h, kMsg);
    EXPECT_EQ(WindowProcOf(h), reinterpret_cast<LONG_PTR>(&MSubclass::WindowProc));
    EXPECT_EQ(SendMessageW(h, kMsg, 0, 0), 9);
    MSubclass::DetachMessage(&a, h, kMsg);
    EXPECT_EQ(WindowProcOf(h), original);
}

namespace {

// Another subclasser of the same window, done the plain way: its procedure goes in front of
// whatever was there and forwards everything to it.
WNDPROC g_laterPrevious = nullptr;
int g_laterCalls = 0;

LRESULT CALLBACK LaterSubclasserProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsg) ++g_laterCalls;
    return CallWindowProcW(g_laterPrevious, hwnd, msg, wParam, lParam);
}

}  // namespace

TEST(MSubclassDetach, LastDetachUnderALaterSubclasserLeavesTheChainAlone) {
    Log log;
    LoggingWindow window(log);
    const HWND h = window.hwnd();
    const Log servedByA = {"a:response", "a:proc", "a:response", "default"};
    RecordingClient a("a", ResponseDefaultAfter, 5, log);
    MSubclass::AttachMessage(&a, h, kMsg);
    g_laterPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclasserProc)));
    const LONG_PTR later = reinterpret_cast<LONG_PTR>(&LaterSubclasserProc);
    auto send = [&] {
        log.clear();
        g_laterCalls = 0;
        return SendMessageW(h, kMsg, 0, 0);
    };
    EXPECT_EQ(send(), kDefaultResult);
    EXPECT_EQ(log, servedByA);

    // The later subclasser stays hooked and every message still reaches the window's own
    // procedure through the dispatcher left in the chain.
    MSubclass::DetachMessage(&a, h, kMsg);
    EXPECT_EQ(WindowProcOf(h), later);
    EXPECT_FALSE(HasProp(h, MSubclass::AttachCountProperty(h)));
    EXPECT_EQ(send(), kDefaultResult);
    EXPECT_EQ(g_laterCalls, 1);
    EXPECT_EQ(log, (Log{"default"}));

    // Attached again, the client is served once, through that dispatcher.
    MSubclass::AttachMessage(&a, h, kMsg);
    EXPECT_EQ(WindowProcOf(h), later);
    EXPECT_EQ(send(), kDefaultResult);
    EXPECT_EQ(g_laterCalls, 1);
    EXPECT_EQ(log, servedByA);
    MSubclass::DetachMessage(&a, h, kMsg);

    // The later subclasser leaves as it came; nothing is lost on the way.
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_laterPrevious));
    EXPECT_EQ(send(), kDefaultResult);
    EXPECT_EQ(log, (Log{"default"}));
}

TEST(MSubclassDispatch, ClientsMaySendMessagesToTheirOwnWindow) {
    Log log;
    LoggingWindow window(log);
    const HWND h = window.hwnd();
    RecordingClient outer("outer", ResponseDefaultAfter, 0, log);
    RecordingClient inner("inner", ResponseDefaultBefore, 40, log);
    int depth = 0;
    outer.onProc = [&](HWND hWnd, UINT iMsg, WPARAM, LPARAM) -> LRESULT {
        EXPECT_EQ(MSubclass::CurrentMessage(), kMsg);
        LRESULT nested = SendMessageW(hWnd, kOtherMsg, 0, 0);
        EXPECT_EQ(MSubclass::CurrentMessage(), kOtherMsg);  // the nested dispatch's message
        if (++depth == 1) nested += SendMessageW(hWnd, iMsg, 0, 0);  // re-enter the same message
        return nested;
    };
    MSubclass::AttachMessage(&outer, h, kMsg);
    MSubclass::AttachMessage(&inner, h, kOtherMsg);

    EXPECT_EQ(SendMessageW(h, kMsg, 0, 0), kDefaultResult);
    EXPECT_EQ(depth, 2);
    // Each dispatch runs its own default once.
    EXPECT_EQ(std::count(log.begin(), log.end(), "default"), 4);
    EXPECT_EQ(std::count(log.begin(), log.end(), "inner:proc"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "outer:proc"), 2);

    MSubclass::DetachMessage(&outer, h, kMsg);
    MSubclass::DetachMessage(&inner, h, kOtherMsg);
}

namespace {

// A client owned by a shared_ptr that its own WindowProc releases.
class SelfReleasingClient : public ISubclass {
public:
    SelfReleasingClient(std::shared_ptr<SelfReleasingClient>& owner, bool& destroyed)
        : m_owner(owner), m_destroyed(destroyed) {}
    ~SelfReleasingClient() override { m_destroyed = true; }
    long MsgResponse() const override { return ResponseDefaultAfter; }
    void MsgResponse(long) override {}
    LRESULT WindowProc(HWND hWnd, UINT iMsg, WPARAM, LPARAM) override {
        MSubclass::DetachMessage(this, hWnd, iMsg);
        m_owner.reset();  // the last reference outside the dispatcher
        aliveAfterRelease = !m_destroyed;
        m_marker = 123;
        return m_marker;
    }
    bool aliveAfterRelease = false;

private:
    std::shared_ptr<SelfReleasingClient>& m_owner;
    bool& m_destroyed;
    LRESULT m_marker = 0;
};

// A client that sends the message to its window while its destructor runs.
class DyingClient : public ISubclass {
public:
    explicit DyingClient(HWND hWnd) : m_hWnd(hWnd) {}
    ~DyingClient() override {
        resultWhileDying = SendMessageW(m_hWnd, kMsg, 0, 0);
        MSubclass::DetachMessage(this, m_hWnd, kMsg);
    }
    long MsgResponse() const override { return ResponseClientOnly; }
    void MsgResponse(long) override {}
    LRESULT WindowProc(HWND, UINT, WPARAM, LPARAM) override { return 1; }
    static inline LRESULT resultWhileDying = 0;

private:
    HWND m_hWnd;
};

}  // namespace

TEST(MSubclassLifetime, ClientReleasedInsideItsOwnCallLivesUntilTheCallReturns) {
    Log log;
    LoggingWindow window(log);
    bool destroyed = false;
    std::shared_ptr<SelfReleasingClient> owner;
    owner = std::make_shared<SelfReleasingClient>(owner, destroyed);
    SelfReleasingClient* raw = owner.get();
    MSubclass::AttachMessage(raw, window.hwnd(), kMsg);

    const LRESULT result = SendMessageW(window.hwnd(), kMsg, 0, 0);
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(owner);
    // The after-call read the response of the still-living client and ran the default.
    EXPECT_EQ(result, kDefaultResult);
    EXPECT_EQ(log, (Log{"default"}));
    EXPECT_FALSE(HasProp(window.hwnd(), MSubclass::AttachCountProperty(window.hwnd())));
}

TEST(MSubclassLifetime, AClientBeingDestroyedIsSkippedLikeAMissingEntry) {
    Log log;
    LoggingWindow window(log);
    auto client = std::make_shared<DyingClient>(window.hwnd());
    MSubclass::AttachMessage(client.get(), window.hwnd(), kMsg);
    EXPECT_EQ(SendMessageW(window.hwnd(), kMsg, 0, 0), 1);
    client.reset();
    EXPECT_EQ(DyingClient::resultWhileDying, kDefaultResult);
}

TEST(GSubclass, ForwardsToTheService) {
    Log log;
    LoggingWindow window(log);
    GSubclass service;
    RecordingClient a("a", ResponseClientOnly, 0, log);
    UINT seen = 0;
    a.onProc = [&](HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        seen = service.CurrentMessage();
        return service.CallOldWindowProc(hWnd, iMsg, wParam, lParam) + 1;
    };
    service.AttachMessage(&a, window.hwnd(), kMsg);
    EXPECT_EQ(SendMessageW(window.hwnd(), kMsg, 0, 0), kDefaultResult + 1);
    EXPECT_EQ(seen, kMsg);
    service.DetachMessage(&a, window.hwnd(), kMsg);
    EXPECT_FALSE(HasProp(window.hwnd(), MSubclass::AttachCountProperty(window.hwnd())));
}

TEST(MSubclassErrors, SmallCodesAreStandardErrors) {
    try {
        MSubclass::ErrRaise(5);
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 5);
    }
}
