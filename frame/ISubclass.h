#pragma once
// ISubclass: a client of the subclassing service (MSubclass). A client is listed for chosen
// messages of a window and receives them through the shared dispatcher.
//
// Lifetime: the service stores only the client's plain address (in a window property) and
// never owns the client; a client detaches every message before it goes away. For the length
// of each call into a client (MsgResponse reads and WindowProc) the dispatcher holds a counted
// reference made with ObjectFromPtr, so a client that is owned by a std::shared_ptr (create
// it with std::make_shared) stays alive until its WindowProc has returned even when its owner
// releases it from inside that call. A client that is not shared-owned is called through its
// plain address, and its owner must keep it alive across every dispatch. A client whose
// destructor is already running is skipped like a missing entry (the previous window procedure
// runs in its place).
#include <windows.h>

#include <memory>

// Response codes of MsgResponse: whether and when the dispatcher runs the window's previous
// window procedure around the clients of a message.
enum EMsgResponse : long {
    // The dispatcher never runs the previous procedure for this client; the client calls
    // MSubclass::CallOldWindowProc itself when it wants the default processing.
    ResponseClientOnly = 0,
    // Read from the last client listed: the previous procedure runs after it and its result
    // is returned.
    ResponseDefaultAfter = 1,
    // Read from the first client listed: the previous procedure runs before it and its
    // result is dropped.
    ResponseDefaultBefore = 2,
};

class ISubclass : public std::enable_shared_from_this<ISubclass> {
public:
    virtual ~ISubclass() = default;

    // Get/set how you will respond to a message. Raised whenever a message is encountered.
    // Call MSubclass::CurrentMessage to determine what message you are currently responding to.
    virtual long MsgResponse() const = 0;
    virtual void MsgResponse(long response) = 0;

    // Raised whenever a message you have subclassed is sent.
    virtual LRESULT WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ISubclass() = default;
    ISubclass(const ISubclass&) = default;
    ISubclass& operator=(const ISubclass&) = default;
};
