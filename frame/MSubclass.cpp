#include "frame/MSubclass.h"

#include <cstdint>
#include <memory>

#include "frame/FrameError.h"
#include "frame/ObjectFromPtr.h"
#include "runtime/core/RuntimeError.h"

namespace MSubclass {
namespace {

// The latest client call's message and previous window procedure; set before each client
// call, never cleared (a nested dispatch overwrites them).
UINT g_currentMessage = 0;
WNDPROC g_oldProc = nullptr;

std::wstring Decimal(std::intptr_t value) {
    return std::to_wstring(static_cast<std::int32_t>(value));
}

std::wstring HandleText(HWND hWnd) {
    return Decimal(reinterpret_cast<std::intptr_t>(hWnd));
}

std::wstring MessagePrefix(HWND hWnd, UINT iMsg) {
    return HandleText(hWnd) + L"#" + Decimal(static_cast<std::int32_t>(iMsg));
}

long ReadLong(HWND hWnd, const std::wstring& name) {
    return static_cast<long>(reinterpret_cast<std::intptr_t>(GetPropW(hWnd, name.c_str())));
}

void StoreLong(HWND hWnd, const std::wstring& name, long value) {
    SetPropW(hWnd, name.c_str(), reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(value)));
}

ISubclass* ReadClient(HWND hWnd, UINT iMsg, long n) {
    return static_cast<ISubclass*>(GetPropW(hWnd, ClientProperty(hWnd, iMsg, n).c_str()));
}

void StoreClient(HWND hWnd, UINT iMsg, long n, ISubclass* client) {
    SetPropW(hWnd, ClientProperty(hWnd, iMsg, n).c_str(), static_cast<HANDLE>(client));
}

WNDPROC ReadOldProc(HWND hWnd) {
    return reinterpret_cast<WNDPROC>(GetPropW(hWnd, OldProcProperty(hWnd).c_str()));
}

// The previous procedure of a window; a window whose bookkeeping has gone falls back to the
// default procedure rather than calling through a null address.
LRESULT CallPrevious(WNDPROC proc, HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return DefWindowProcW(hWnd, iMsg, wParam, lParam);
    return CallWindowProcW(proc, hWnd, iMsg, wParam, lParam);
}

bool DispatcherIsOnTop(HWND hWnd) {
    return GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProc);
}

// The window's attach count is raised; at the first attachment the dispatcher goes in. A
// dispatcher that a last detachment had to leave in the chain (see LowerAttachCount) still
// forwards to the procedure on record: the window is taken again through it, as a second
// dispatcher in front of the later subclasser would call itself round in a loop.
void RaiseAttachCount(HWND hWnd) {
    const std::wstring countName = AttachCountProperty(hWnd);
    const long count = ReadLong(hWnd, countName);
    if (count != 0) {
        StoreLong(hWnd, countName, count + 1);
        return;
    }
    if (!ReadOldProc(hWnd)) {
        const LONG_PTR previous = SetWindowLongPtrW(hWnd, GWLP_WNDPROC,
                                                    reinterpret_cast<LONG_PTR>(&WindowProc));
        if (previous == 0) ErrRaise(kErrCantSubclass);
        SetPropW(hWnd, OldProcProperty(hWnd).c_str(), reinterpret_cast<HANDLE>(previous));
    }
    StoreLong(hWnd, countName, 1);
}

// Lowers the attach count; the last attachment puts the previous procedure back and removes
// the two window-level properties. A window that has no attachment keeps no count at all.
// When another subclasser has put its procedure in front of the dispatcher since, putting
// ours back would silently unhook that one: the dispatcher then stays in the chain, with the
// previous procedure on record, and forwards every message to it.
void LowerAttachCount(HWND hWnd) {
    const std::wstring countName = AttachCountProperty(hWnd);
    const long count = ReadLong(hWnd, countName);
    if (count == 1) {
        if (DispatcherIsOnTop(hWnd)) {
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReadOldProc(hWnd)));
            RemovePropW(hWnd, OldProcProperty(hWnd).c_str());
        }
        RemovePropW(hWnd, countName.c_str());
    } else if (count > 1) {
        StoreLong(hWnd, countName, count - 1);
    }
}

// One client call of a dispatch: the before-call on the first client, the client's own
// WindowProc, the after-call on the last one.
LRESULT CallClient(ISubclass& client, bool first, bool last, bool& defaultDone, WNDPROC proc,
                   HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    g_currentMessage = iMsg;
    g_oldProc = proc;
    if (first && client.MsgResponse() == ResponseDefaultBefore && !defaultDone) {
        CallPrevious(proc, hWnd, iMsg, wParam, lParam);
        defaultDone = true;
    }
    LRESULT result = client.WindowProc(hWnd, iMsg, wParam, lParam);
    if (last && client.MsgResponse() == ResponseDefaultAfter && !defaultDone) {
        result = CallPrevious(proc, hWnd, iMsg, wParam, lParam);
        defaultDone = true;
    }
    return result;
}

LRESULT Dispatch(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC proc = ReadOldProc(hWnd);
    // Read once: attachments made or removed by the clients do not change this dispatch.
    const long n = ReadLong(hWnd, ClientCountProperty(hWnd, iMsg));
    if (n <= 0) return CallPrevious(proc, hWnd, iMsg, wParam, lParam);

    LRESULT result = 0;
    bool defaultDone = false;
    for (long i = 1; i <= n; ++i) {
        // Held for the call: the client may be released by its owner while it runs.
        const std::shared_ptr<ISubclass> client = ObjectFromPtr(ReadClient(hWnd, iMsg, i));
        if (!client) {
            result = CallPrevious(proc, hWnd, iMsg, wParam, lParam);
            continue;
        }
        result = CallClient(*client, i == 1, i == n, defaultDone, proc, hWnd, iMsg, wParam,
                            lParam);
    }
    return result;
}

}  // namespace

std::wstring AttachCountProperty(HWND hWnd) { return L"C" + HandleText(hWnd); }

std::wstring OldProcProperty(HWND hWnd) { return HandleText(hWnd); }

std::wstring ClientCountProperty(HWND hWnd, UINT iMsg) { return MessagePrefix(hWnd, iMsg) + L"C"; }

std::wstring ClientProperty(HWND hWnd, UINT iMsg, long n) {
    return MessagePrefix(hWnd, iMsg) + L"#" + Decimal(n);
}

void AttachMessage(ISubclass* iwp, HWND hWnd, UINT iMsg) {
    if (!IsWindow(hWnd)) ErrRaise(kErrInvalidWindow);
    if (!IsWindowLocal(hWnd)) ErrRaise(kErrExternalWindow);
    RaiseAttachCount(hWnd);

    const long n = ReadLong(hWnd, ClientCountProperty(hWnd, iMsg));
    for (long i = 1; i <= n; ++i) {
        if (ReadClient(hWnd, iMsg, i) == iwp) ErrRaise(kErrAlreadyHandled);
    }
    StoreLong(hWnd, ClientCountProperty(hWnd, iMsg), n + 1);
    StoreClient(hWnd, iMsg, n + 1, iwp);
}

void DetachMessage(ISubclass* iwp, HWND hWnd, UINT iMsg) {
    LowerAttachCount(hWnd);

    const std::wstring countName = ClientCountProperty(hWnd, iMsg);
    const long n = ReadLong(hWnd, countName);
    if (n < 1) return;
    long found = 0;
    for (long i = 1; i <= n && found == 0; ++i) {
        if (ReadClient(hWnd, iMsg, i) == iwp) found = i;
    }
    if (found == 0) return;
    for (long j = found + 1; j <= n; ++j) StoreClient(hWnd, iMsg, j - 1, ReadClient(hWnd, iMsg, j));
    RemovePropW(hWnd, ClientProperty(hWnd, iMsg, n).c_str());
    StoreLong(hWnd, countName, n - 1);
}

UINT CurrentMessage() { return g_currentMessage; }

LRESULT CallOldWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    return CallPrevious(g_oldProc, hWnd, iMsg, wParam, lParam);
}

bool IsWindowLocal(HWND hWnd) {
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    return processId == GetCurrentProcessId();
}

void ErrRaise(long e) {
    const wchar_t* description = L"";
    switch (e) {
        case kErrCantSubclass: description = L"Can't subclass window"; break;
        case kErrAlreadyHandled: description = L"Message already handled by another class"; break;
        case kErrInvalidWindow: description = L"Invalid window"; break;
        case kErrExternalWindow: description = L"Can't modify external window"; break;
        default: break;
    }
    frame_detail::RaiseFrameError(e, description);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    return rt::GuardCallback([&] { return Dispatch(hWnd, iMsg, wParam, lParam); });
}

}  // namespace MSubclass
