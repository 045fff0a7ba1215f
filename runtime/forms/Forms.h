#pragma once
// The global form instances: one per window class, loaded on first use.
//
//     rt::Forms::Get<form11>().Show(rt::ShowMode::Modeless, &rt::Forms::Get<frmTest>());
//
// Get loads the form when it is not loaded (its window and controls are created and
// Form_Load runs) and returns it; while Form_Load runs, Get already returns the form being
// loaded. Run is the program's start: it loads and shows the start-up form and processes
// messages until no form is loaded any more; unloading the start-up form unloads the others
// too. End ends the program at once.
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

#include "runtime/forms/Form.h"

namespace rt {
namespace Forms {

namespace detail {
Form* Find(std::type_index type);
Form& LoadNew(std::type_index type, std::unique_ptr<Form> form);
// An unloaded form leaves the table; it is deleted once none of its handlers runs.
void Retire(Form* form);
void ScheduleCollect();
// Every loaded form, in order of loading.
std::vector<Form*> Loaded();
// A hidden window of the runtime: owner of forms kept out of the taskbar.
HWND ParkingWindow();
}  // namespace detail

template <class T>
T& Get() {
    if (Form* form = detail::Find(typeid(T))) return static_cast<T&>(*form);
    return static_cast<T&>(detail::LoadNew(typeid(T), std::make_unique<T>()));
}

// Whether the global instance of T is loaded (asking does not load it).
template <class T>
bool IsLoaded() {
    return detail::Find(typeid(T)) != nullptr;
}

// The number of loaded forms.
int LoadedCount();

// Unloads every loaded form, the newest first, as the program's Unload does (each form's
// QueryUnload and Unload run). False when a handler cancelled and its form stays loaded.
bool UnloadAll();

// Whether the program is ending: the start-up form of RunMessageLoop has been unloaded.
// From then on the other forms are unloaded too, by whichever message loop runs next (a
// dialog's own loop as well), and no new dialog opens (see DialogOwner.h).
bool Ending();

// Processes messages until no form is loaded. Once the start-up form (when given) is
// unloaded, every other form is unloaded too: closing the main window ends the program, also
// when tool windows were only hidden. Files left open are closed at the end. Returns the
// process exit code (0).
int RunMessageLoop(std::optional<std::type_index> startUp = std::nullopt);
template <class T>
int Run() {
    Get<T>().Show();
    return RunMessageLoop(typeid(T));
}

// Keyboard navigation between the controls of a form (Tab, arrows, access keys): call for
// every message before dispatching it; true means it was handled and must not be dispatched.
// A key for a focus left in a hidden or disabled window hands the focus on first, and msg
// then names the window the focus went to.
bool TranslateFormMessage(MSG& msg);

// The "End" statement: ends the process at once; no unload handler runs.
[[noreturn]] void End();

}  // namespace Forms
}  // namespace rt
