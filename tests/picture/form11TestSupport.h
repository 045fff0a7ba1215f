#pragma once
// What the picture player's tests share: a folder of generated pictures, the player loaded
// and shown on that folder, and a script that answers the dialogs the player opens (message
// boxes, the input box, the save dialog) from a timer running inside their modal loops.
#include <windows.h>

#include <string>
#include <vector>

#include "picture/form11.h"
#include "runtime/forms/Forms.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DialogAnswers.h"
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
        testing_support::PumpPending();
    }
    ~ShownPlayer() {
        if (rt::Forms::IsLoaded<form11>()) rt::Forms::Get<form11>().Unload();
        testing_support::PumpPending();
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

// Answers the next dialogs in order, one step each; every dialog met is recorded in Seen(),
// and dialogs beyond the steps are cancelled.
class DialogScript : public testing_support::DialogAnswers {
public:
    DialogScript() : DialogAnswers({}) {}
    // Presses a button of a message box (IDOK, IDYES, IDNO ...).
    DialogScript& Press(int button) { return Step(testing_support::Press(button)); }
    // Types a name into the save dialog and presses Save.
    DialogScript& SaveAs(const std::wstring& path) { return Step(testing_support::ChooseFile(path)); }
    // Types an answer into the input box and presses OK.
    DialogScript& Answer(const std::wstring& text) { return Step(testing_support::Press(IDOK, text)); }

private:
    DialogScript& Step(Action action) {
        Then(std::move(action));
        return *this;
    }
};

}  // namespace picture_tests
