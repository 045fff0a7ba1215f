#pragma once
// MSubclass: the subclassing service. The window procedure of a window of this process is
// replaced once, at its first attachment, by one shared dispatcher (WindowProc); the chosen
// messages are handed to the ISubclass clients listed for them, in attachment order, with the
// window's previous procedure run before, after or not at all as the clients answer.
//
// All bookkeeping lives in window properties of the subclassed window (names below), so a
// window carries any number of clients and messages and needs no table of our own.
#include <windows.h>

#include <string>

#include "frame/ISubclass.h"

namespace MSubclass {

// Error codes raised by AttachMessage (as object errors, source "<exe>.WindowProc").
constexpr long kErrCantSubclass = 13081;       // "Can't subclass window"
constexpr long kErrAlreadyHandled = 13082;     // "Message already handled by another class"
constexpr long kErrInvalidWindow = 13083;      // "Invalid window"
constexpr long kErrExternalWindow = 13084;     // "Can't modify external window"

// Start subclassing for a particular message: lists iwp for iMsg of hWnd, installing the
// dispatcher at the window's first attachment. Raises 13083 (not a window), 13084 (window of
// another process), 13081 (the window procedure could not be replaced), 13082 (iwp is listed
// for iMsg already; the window's attach count has been raised by then).
void AttachMessage(ISubclass* iwp, HWND hWnd, UINT iMsg);

// Stop subclassing for a particular message: unlists iwp; the window's last attachment puts
// the previous window procedure back, unless another subclasser has come in front of the
// dispatcher since: then the dispatcher stays in the chain and forwards everything to the
// previous procedure, and a later first attachment goes through it. Raises nothing.
void DetachMessage(ISubclass* iwp, HWND hWnd, UINT iMsg);

// Returns the message currently being worked on. Only valid in the MsgResponse and
// WindowProc items of your implemented interface.
UINT CurrentMessage();

// Calls the window procedure for this handle which was installed before you added the
// subclass.
LRESULT CallOldWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);

// True when the window belongs to this process.
bool IsWindowLocal(HWND hWnd);

// Raises a frame error: codes up to 1000 as standard run-time errors, larger ones as object
// errors (0x80040000 Or e) with source "<exe>.WindowProc" and the service's description.
[[noreturn]] void ErrRaise(long e);

// The shared dispatcher installed on every subclassed window.
LRESULT CALLBACK WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);

// Names of the bookkeeping properties; handles and messages written as signed 32-bit decimal
// numbers. "C1312": attach count of window 1312 (all clients, all messages).
std::wstring AttachCountProperty(HWND hWnd);
// "1312": the window procedure in place before the first attachment.
std::wstring OldProcProperty(HWND hWnd);
// "1312#133C": the number of clients listed for message 133.
std::wstring ClientCountProperty(HWND hWnd, UINT iMsg);
// "1312#133#2": the address of the second client listed for message 133.
std::wstring ClientProperty(HWND hWnd, UINT iMsg, long n);

}  // namespace MSubclass
