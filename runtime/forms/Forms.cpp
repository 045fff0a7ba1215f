#include "runtime/forms/Forms.h"

#include <algorithm>
#include <utility>

#include "runtime/forms/FocusHandOff.h"
#include "runtime/forms/WindowBinding.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

struct FormAccess {
    static int Depth(const Form& form) { return form.m_handlerDepth; }
    static void Load(Form& form) { form.Load(); }
};

namespace Forms {
namespace {

constexpr wchar_t kParkingClass[] = L"LumescaRuntime";
constexpr UINT kCollectMessage = WM_APP + 1;
constexpr UINT kEndMessage = WM_APP + 2;

struct Registry {
    std::vector<std::pair<std::type_index, std::unique_ptr<Form>>> loaded;
    std::vector<std::unique_ptr<Form>> retired;
    bool collectPosted = false;
    std::optional<std::type_index> startUp;
    bool ending = false;
    bool endUnloaded = false;  // the other forms were asked to unload
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

void Collect() {
    auto& retired = TheRegistry().retired;
    TheRegistry().collectPosted = false;
    // Deleting a form can run code that retires another; take them one at a time.
    for (;;) {
        auto it = std::find_if(retired.begin(), retired.end(),
                               [](const std::unique_ptr<Form>& f) { return FormAccess::Depth(*f) == 0; });
        if (it == retired.end()) break;
        std::unique_ptr<Form> doomed = std::move(*it);
        retired.erase(it);
        doomed.reset();
    }
}

// The start-up form has gone: every other form goes too, once.
void UnloadTheRest() {
    Registry& registry = TheRegistry();
    if (!registry.ending || registry.endUnloaded) return;
    registry.endUnloaded = true;
    UnloadAll();
}

LRESULT CALLBACK ParkingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return GuardCallback([&]() -> LRESULT {
        if (msg == kCollectMessage) {
            Collect();
            return 0;
        }
        if (msg == kEndMessage) {
            UnloadTheRest();
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    });
}

}  // namespace

namespace detail {

Form* Find(std::type_index type) {
    for (auto& [loadedType, form] : TheRegistry().loaded)
        if (loadedType == type) return form.get();
    return nullptr;
}

Form& LoadNew(std::type_index type, std::unique_ptr<Form> form) {
    Form& ref = *form;
    // In the table before Form_Load runs, so that Get inside Form_Load finds it.
    TheRegistry().loaded.emplace_back(type, std::move(form));
    FormAccess::Load(ref);
    return ref;
}

void Retire(Form* form) {
    Registry& registry = TheRegistry();
    auto& loaded = registry.loaded;
    auto it = std::find_if(loaded.begin(), loaded.end(), [form](const auto& entry) { return entry.second.get() == form; });
    if (it == loaded.end()) return;
    // Posted, not run here: the form's own unload is still under way. A dialog's modal loop
    // that runs meanwhile takes the message too.
    if (registry.startUp && it->first == *registry.startUp && !registry.ending) {
        registry.ending = true;
        PostMessageW(ParkingWindow(), kEndMessage, 0, 0);
    }
    registry.retired.push_back(std::move(it->second));
    loaded.erase(it);
    ScheduleCollect();
}

void ScheduleCollect() {
    if (TheRegistry().collectPosted) return;
    TheRegistry().collectPosted = PostMessageW(ParkingWindow(), kCollectMessage, 0, 0) != FALSE;
}

std::vector<Form*> Loaded() {
    std::vector<Form*> forms;
    for (auto& [type, form] : TheRegistry().loaded) forms.push_back(form.get());
    return forms;
}

HWND ParkingWindow() {
    static HWND parking = [] {
        RegisterWindowClass(kParkingClass, 0, ParkingProc);
        return CreateWindowExW(0, kParkingClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }();
    return parking;
}

}  // namespace detail

bool Ending() { return TheRegistry().ending; }

int LoadedCount() { return static_cast<int>(TheRegistry().loaded.size()); }

bool UnloadAll() {
    // An unload handler may load or unload other forms: read the table afresh each time.
    std::vector<Form*> kept;
    for (;;) {
        std::vector<Form*> loaded = detail::Loaded();
        auto next = std::find_if(loaded.rbegin(), loaded.rend(), [&](Form* form) {
            return std::find(kept.begin(), kept.end(), form) == kept.end();
        });
        if (next == loaded.rend()) return kept.empty();
        Form* form = *next;
        form->Unload();
        // Cancelled, or a form whose window went without it: it stays, and is not asked again.
        const std::vector<Form*> after = detail::Loaded();
        if (std::find(after.begin(), after.end(), form) != after.end()) kept.push_back(form);
    }
}

int RunMessageLoop(std::optional<std::type_index> startUp) {
    Registry& registry = TheRegistry();
    registry.startUp = startUp;
    if (startUp && !detail::Find(*startUp)) registry.ending = true;
    MSG msg;
    while (LoadedCount() > 0) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!TranslateFormMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // Should the posted request have been lost (a full queue), the end still comes here.
        UnloadTheRest();
    }
    Collect();
    CloseAll();
    return 0;
}

void End() { ExitProcess(0); }

bool TranslateFormMessage(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    Form* form = Form::FromHwnd(msg.hwnd);
    if (!form || !form->hWnd()) return false;
    // The dialog manager's access-key search starts at the key's window and walks only
    // visible, enabled windows: from inside a hidden or disabled one it never comes back. A
    // focus left there is handed on first, and the key goes to where it went.
    if (msg.hwnd != form->hWnd() && !TakesInput(msg.hwnd)) {
        const HWND focus = HandFocusOnFromUnreachable(msg.hwnd);
        if (!focus || Form::FromHwnd(focus) != form) return false;
        msg.hwnd = focus;
    }
    return IsDialogMessageW(form->hWnd(), &msg) != FALSE;
}

}  // namespace Forms
}  // namespace rt
