#pragma once
// mDeclares: the two thread hooks of the GUI thread.
// - The keyboard hook (WH_KEYBOARD) gives Alt+letter menu access: the key goes to the first
//   registered non-client engine whose window is active; a key it uses is swallowed.
// - The message-filter hook (WH_MSGFILTER) shows the input of a modal menu loop to the popup
//   tracker of the drawn menu bar while one of its popups is open.
// Both hooks keep plain addresses; a registered object unregisters before it goes away, and
// each call into it holds it with ObjectFromPtr.
#include <windows.h>

#include <memory>

class cNCCalcSize;

// The popup tracker's side of the message-filter hook (implemented by cToolbarMenu).
class IMenuInput {
public:
    // Called for every message of the menu loop (hook code MSGF_MENU) with a copy of it;
    // setting bHandled keeps the message from the menu loop.
    virtual void MenuInput(MSG& msg, bool& bHandled) = 0;

protected:
    ~IMenuInput() = default;
};

namespace mDeclares {

// Installs the keyboard hook if needed and registers the engine once.
void AttachKeyboardHook(cNCCalcSize* engine);
// 1-based position of the engine in the registered list, 0 when absent.
long FindHookIndex(const cNCCalcSize* engine);
// Unregisters the engine; removes the hook when no engine is left.
void DetachKeyboardHook(cNCCalcSize* engine);
// The first registered engine whose window is active; false when none is.
bool GetActiveNCCalcSize(std::shared_ptr<cNCCalcSize>& engine);
// The keyboard hook procedure.
LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
// True, once, after an Alt+key that an engine used, until Alt or F10 goes down again: the
// release of that Alt (SC_KEYMENU without a character) asks for no menu.
bool TakeUsedAltKey();

// Makes tracker the receiver of menu-loop input and installs the message-filter hook
// (removing an old one first).
void AttachMsgFilterHook(IMenuInput* tracker);
// The message-filter hook procedure.
LRESULT CALLBACK MsgFilterProc(int nCode, WPARAM wParam, LPARAM lParam);
// Removes the message-filter hook; the tracker stays recorded.
void DetachMsgFilterHook();

// Module state, for inspection.
HHOOK KeyboardHookHandle();
long RegisteredCount();
HHOOK MsgFilterHookHandle();

}  // namespace mDeclares
