#pragma once
// The one way an object of this program answers the messages of its window, and the one way
// the program registers a window class.
//
// An object derives from WindowBinding and is bound to its window as one of the window's
// subclasses (the common controls' SetWindowSubclass): every message passes the object's
// WindowMessage first, whose default hands it on down the window's procedure chain. This one
// mechanism serves all the program's windows:
//   - windows of our own classes (forms, drawn controls, notification windows), bound at
//     WM_NCCREATE, before any message that matters, by the class's entry procedure;
//   - standard windows a control wraps (a button, an edit box), bound just after creation;
//   - a window that already has its object and is wrapped by a second one (the form's control
//     around a drawn control's window): the bindings of different roles stack on one window.
// The procedure chain stays a normal one, so other subclassers (the skinned frame) can stack
// on top of a bound window as on any other.
#include <windows.h>

namespace rt {

class WindowBinding {
public:
    // What an object is to its window; one object of each role at most per window.
    enum class Role : UINT_PTR {
        Form = 1,     // a form's top-level window
        Control = 2,  // a form's control around its child window
        Window = 3,   // any other object owning a window of its own class
    };

    virtual ~WindowBinding();
    WindowBinding(const WindowBinding&) = delete;
    WindowBinding& operator=(const WindowBinding&) = delete;

    // The object bound to a window in a role, or nullptr.
    static WindowBinding* Find(HWND hwnd, Role role);

protected:
    explicit WindowBinding(Role role) : m_role(role) {}

    // Creates a window of a class registered by RegisterWindowClass without a procedure of
    // its own, bound to this object from WM_NCCREATE on. nullptr when creation failed.
    HWND CreateBoundWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                           int width, int height, HWND parent, HMENU menu);
    // Binds a window made otherwise (a standard control this object created).
    void Bind(HWND hwnd);
    // Lets go of the window while it lives on: its messages no longer reach this object.
    void Unbind();
    // The bound window; nullptr before binding and once the window is gone.
    HWND BoundWindow() const { return m_bound; }

    // The window has just been bound (for a window of a bound class: during WM_NCCREATE).
    virtual void WindowBound(HWND /*hwnd*/) {}
    // Every message of the bound window. The default passes it on (NextProcedure).
    virtual LRESULT WindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The rest of the window's procedure chain: call it for what the object does not handle.
    static LRESULT NextProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // WM_NCDESTROY has been through WindowMessage and the binding is gone: the last call for
    // this window. Not called for an object that let go of the window before.
    virtual void WindowGone() {}

private:
    friend LRESULT CALLBACK BoundClassProc(HWND, UINT, WPARAM, LPARAM);
    bool TryBind(HWND hwnd);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR role,
                                 DWORD_PTR object);
    static LRESULT Destroyed(HWND hwnd, WPARAM wParam, LPARAM lParam, UINT_PTR role, WindowBinding* object);

    Role m_role;
    HWND m_bound = nullptr;
};

// Registers a window class of this program once; later calls with the same name change
// nothing and return the same atom. Without a procedure, a window of the class created by
// WindowBinding::CreateBoundWindow is bound to its object, and one created otherwise runs the
// default procedure (until something binds it). 0 when the class can't be registered (the
// window's creation then fails and says so).
ATOM RegisterWindowClass(const wchar_t* name, UINT style = 0, WNDPROC proc = nullptr);

}  // namespace rt
