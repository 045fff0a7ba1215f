#include "frame/mDeclares.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "frame/ObjectFromPtr.h"
#include "frame/cNCCalcSize.h"
#include "runtime/forms/PrimaryButton.h"
#include "runtime/core/RuntimeError.h"

namespace mDeclares {
namespace {

constexpr LPARAM kAltDownFlag = 1 << 29;             // context code of the key message
constexpr LPARAM kKeyUpFlag = static_cast<LPARAM>(1u << 31);  // transition state
constexpr LPARAM kKeyWasDownFlag = 1 << 30;          // previous key state: a repeat

HHOOK g_keyboardHook = nullptr;
std::vector<cNCCalcSize*> g_engines;  // registration order; position = index + 1
HHOOK g_msgFilterHook = nullptr;
IMenuInput* g_tracker = nullptr;  // kept after the hook goes, as the next attach replaces it
bool g_altKeyUsed = false;

// Alt or F10 going down anew; each begins what the platform takes for a menu request.
bool IsMenuKeyPress(WPARAM vKey, LPARAM flags) {
    return (vKey == VK_MENU || vKey == VK_F10) && (flags & (kKeyUpFlag | kKeyWasDownFlag)) == 0;
}

bool IsAltKeyPress(WPARAM vKey, LPARAM flags) {
    return (flags & kAltDownFlag) != 0 && vKey > 0 && vKey != VK_MENU && (flags & kKeyUpFlag) == 0;
}

// Keys that keep their usual meaning with Alt: Ctrl+Alt combinations, the function keys,
// Alt+Esc and Alt+Delete. Ctrl counts as it stood when the key came (the thread's key state
// follows the messages taken), not as it is now: a busy window takes the key after the user
// may have let Ctrl go.
bool IsLeftAlone(WPARAM vKey) {
    if ((GetKeyState(VK_CONTROL) & rt::kKeyHeld) != 0) return true;
    if (vKey >= VK_F1 && vKey <= VK_F12) return true;
    return vKey == VK_ESCAPE || vKey == VK_DELETE;
}

// True when the active engine used the key. A run-time error on the way (a stale engine,
// say) skips the offer and the key goes on, as the hook runs in continue-on-error mode; any
// other exception reaches the callback guard of the hook procedure.
bool OfferToActiveEngine(WPARAM vKey) {
    bool used = false;
    const long error = rt::TryStatement([&] {
        std::shared_ptr<cNCCalcSize> engine;
        if (GetActiveNCCalcSize(engine)) used = engine->AltKeyAccelerator(static_cast<long>(vKey)) != 0;
    });
    return error == 0 && used;
}

// The same for the tracker: a run-time error counts as "not handled".
bool OfferToTracker(const MSG& message) {
    bool handled = false;
    const long error = rt::TryStatement([&] {
        MSG copy = message;  // the tracker's changes are not written back
        g_tracker->MenuInput(copy, handled);
    });
    return error == 0 && handled;
}

}  // namespace

void AttachKeyboardHook(cNCCalcSize* engine) {
    if (!g_keyboardHook) {
        g_keyboardHook = SetWindowsHookExW(WH_KEYBOARD, &KeyboardProc, nullptr, GetCurrentThreadId());
    }
    if (FindHookIndex(engine) != 0) return;
    g_engines.push_back(engine);
}

long FindHookIndex(const cNCCalcSize* engine) {
    const auto it = std::find(g_engines.begin(), g_engines.end(), engine);
    return it == g_engines.end() ? 0 : static_cast<long>(it - g_engines.begin()) + 1;
}

void DetachKeyboardHook(cNCCalcSize* engine) {
    const long i = FindHookIndex(engine);
    if (i >= 1) g_engines.erase(g_engines.begin() + (i - 1));
    if (g_engines.empty() && g_keyboardHook) {
        UnhookWindowsHookEx(g_keyboardHook);
        g_keyboardHook = nullptr;
    }
}

bool GetActiveNCCalcSize(std::shared_ptr<cNCCalcSize>& engine) {
    // A copy: an engine's WindowActive never changes the list, but a stale entry must not
    // invalidate the iteration either.
    const std::vector<cNCCalcSize*> engines = g_engines;
    for (cNCCalcSize* address : engines) {
        if (!address) continue;
        engine = ObjectFromPtr(address);
        if (engine && engine->WindowActive()) return true;
    }
    return false;
}

LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam) {
    return rt::GuardCallback([&]() -> LRESULT {
        if (nCode == HC_ACTION && IsMenuKeyPress(wParam, lParam)) g_altKeyUsed = false;
        if (nCode == HC_ACTION && g_keyboardHook && IsAltKeyPress(wParam, lParam) &&
            !IsLeftAlone(wParam) && OfferToActiveEngine(wParam)) {
            g_altKeyUsed = true;
            return 1;  // used: the key goes no further
        }
        return CallNextHookEx(g_keyboardHook, nCode, wParam, lParam);
    });
}

bool TakeUsedAltKey() { return std::exchange(g_altKeyUsed, false); }

void AttachMsgFilterHook(IMenuInput* tracker) {
    DetachMsgFilterHook();
    g_tracker = tracker;
    g_msgFilterHook = SetWindowsHookExW(WH_MSGFILTER, &MsgFilterProc, nullptr, GetCurrentThreadId());
}

LRESULT CALLBACK MsgFilterProc(int nCode, WPARAM wParam, LPARAM lParam) {
    return rt::GuardCallback([&]() -> LRESULT {
        if (nCode == MSGF_MENU && g_tracker && lParam != 0 &&
            OfferToTracker(*reinterpret_cast<const MSG*>(lParam))) {
            return 1;  // used up: the menu loop does not see it
        }
        return CallNextHookEx(g_msgFilterHook, nCode, wParam, lParam);
    });
}

void DetachMsgFilterHook() {
    if (!g_msgFilterHook) return;
    UnhookWindowsHookEx(g_msgFilterHook);
    g_msgFilterHook = nullptr;
}

HHOOK KeyboardHookHandle() { return g_keyboardHook; }

long RegisteredCount() { return static_cast<long>(g_engines.size()); }

HHOOK MsgFilterHookHandle() { return g_msgFilterHook; }

}  // namespace mDeclares
