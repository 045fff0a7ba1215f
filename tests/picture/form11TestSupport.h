#pragma once
// What the picture player's tests share: a folder of generated pictures, the player loaded
// and shown on that folder, and a script that answers the dialogs the player opens (message
// boxes, the input box, the save dialog) from a timer running inside their modal loops.
#include <windows.h>
#include <dlgs.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "picture/form11.h"
#include "runtime/Forms.h"
#include "runtime/InputBox.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PictureFiles.h"

namespace picture_tests {

// Sizes of the generated pictures.
constexpr int kSmallWidth = 100, kSmallHeight = 80;    // shown 1:1
constexpr int kWideWidth = 1098, kWideHeight = 500;    // twice the display's width: zoomed by half

// In folder: a.bmp (small pattern), b.gif, c.jpg (wide), d.ico, e.cur, f.wmf, g.emf, notes.jpg
// (text), wide.bmp (wide pattern).
inline void WritePictures(const std::wstring& folder) {
    using namespace testing_support;
    auto in = [&](const wchar_t* name) { return folder + L"\\" + name; };
    WritePatternBmp(in(L"a.bmp"), kSmallWidth, kSmallHeight);
    WritePatternGif(in(L"b.gif"), 40, 30);
    WritePatternEncoded(in(L"c.jpg"), kWideWidth, kWideHeight, L"image/jpeg");
    WriteIconFile(in(L"d.ico"), 32, 32, false);
    WriteIconFile(in(L"e.cur"), 32, 32, true);
    WritePlaceableWmf(in(L"f.wmf"), 1440, 720);
    WriteEmf(in(L"g.emf"), 2540, 1270);
    WriteBytes(in(L"notes.jpg"), "these are notes, not a picture\r\n");
    WritePatternBmp(in(L"wide.bmp"), kWideWidth, kWideHeight);
}

// The index of a pattern in Combo1.
enum Pattern { kJpg = 0, kGif, kJpeg, kBmp, kIco, kCur, kWmf, kEmf, kAll };

// The player loaded, shown and browsing `folder`; unloaded again at the end.
class ShownPlayer {
public:
    explicit ShownPlayer(const std::wstring& folder) {
        form11& f = rt::Forms::Get<form11>();
        f.Show();
        f.Dir1.Path(folder);
        testing_support::PumpFor(100);
    }
    ~ShownPlayer() {
        if (rt::Forms::IsLoaded<form11>()) rt::Forms::Get<form11>().Unload();
        testing_support::PumpFor(50);
    }
    ShownPlayer(const ShownPlayer&) = delete;
    ShownPlayer& operator=(const ShownPlayer&) = delete;
    form11& operator*() const { return rt::Forms::Get<form11>(); }
    form11* operator->() const { return &rt::Forms::Get<form11>(); }
};

inline int IndexOf(const rt::FileListBox& list, const std::wstring& name) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == name) return i;
    return -1;
}

// What a dialog showed: its title and the texts of its controls.
struct SeenDialog {
    std::wstring title;
    std::vector<std::wstring> texts;
    bool Shows(const std::wstring& text) const {
        for (const auto& t : texts)
            if (t == text) return true;
        return false;
    }
};

// Answers the next dialogs in order, one step each; every dialog met is recorded in Seen().
class DialogScript {
public:
    using Step = std::function<void(HWND dialog)>;
    DialogScript() { Current() = this; }
    ~DialogScript() {
        if (m_timer) KillTimer(nullptr, m_timer);
        Current() = nullptr;
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& Then(Step step) {
        m_steps.push_back(std::move(step));
        if (!m_timer) m_timer = SetTimer(nullptr, 0, 50, OnTimer);
        return *this;
    }
    // Presses a button of a message box (IDOK, IDYES, IDNO ...).
    DialogScript& Press(int button) {
        return Then([button](HWND box) { PostMessageW(box, WM_COMMAND, button, 0); });
    }
    // Types a name into the save dialog and presses Save.
    DialogScript& SaveAs(const std::wstring& path) {
        return Then([path](HWND box) {
            HWND name = GetDlgItem(box, cmb13);
            if (!name) name = GetDlgItem(box, edt1);
            SetWindowTextW(name, path.c_str());
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        });
    }
    // Types an answer into the input box and presses OK.
    DialogScript& Answer(const std::wstring& text) {
        return Then([text](HWND box) {
            SetDlgItemTextW(box, rt::kInputBoxEditId, text.c_str());
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
    }
    bool Done() const { return m_steps.empty(); }
    const std::vector<SeenDialog>& Seen() const { return m_seen; }

private:
    static DialogScript*& Current() {
        static DialogScript* current = nullptr;
        return current;
    }
    static BOOL CALLBACK Find(HWND hwnd, LPARAM found) {
        wchar_t cls[32] = {};
        GetClassNameW(hwnd, cls, 32);
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && std::wstring(cls) == L"#32770") {
            *reinterpret_cast<HWND*>(found) = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        DialogScript* script = Current();
        if (!script || script->m_steps.empty()) return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog || dialog == script->m_last) return;
        script->m_last = dialog;
        script->m_seen.push_back({testing_support::WindowText(dialog), testing_support::ChildTexts(dialog)});
        Step step = std::move(script->m_steps.front());
        script->m_steps.pop_front();
        step(dialog);
    }

    std::deque<Step> m_steps;
    std::vector<SeenDialog> m_seen;
    HWND m_last = nullptr;
    UINT_PTR m_timer = 0;
};

}  // namespace picture_tests
