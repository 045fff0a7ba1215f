#pragma once
// Answers the modal dialogs the code under test opens on this thread (message boxes, the input
// box, the open/save and colour dialogs) through their own windows, as a user would: a thread
// timer, which runs inside their modal loops, offers each visible dialog to the next action.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct SeenDialog {
    std::wstring title;
    std::vector<std::wstring> texts;  // its child texts, in z-order
    std::vector<int> buttons;         // the ids of its visible buttons
    std::wstring folder;              // the folder an open/save dialog showed

    // True when one of its texts is this one.
    bool Shows(const std::wstring& text) const;
};

// The first visible dialog window (#32770) of this thread, or nullptr.
HWND VisibleDialog();

class DialogAnswers {
public:
    // Answers the dialog and returns true, or returns false to wait for a later tick (the
    // dialog is not yet the one it expects).
    using Action = std::function<bool(HWND dialog)>;

    // Dialogs beyond the actions are cancelled and noted, so a test goes on and can report them.
    explicit DialogAnswers(std::vector<Action> actions);
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    // Adds the answer for the next dialog not yet provided for.
    DialogAnswers& Then(Action action);
    bool Done() const { return m_next >= m_actions.size(); }
    // Every dialog answered or cancelled, in order.
    const std::vector<SeenDialog>& Seen() const { return m_seen; }
    std::vector<std::wstring> SeenTitles() const;
    // True when the dialog's texts hold this one.
    static bool Shows(const SeenDialog& dialog, const std::wstring& text);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Offer(HWND dialog);

    std::vector<Action> m_actions;
    size_t m_next = 0;
    std::vector<SeenDialog> m_seen;
    UINT_PTR m_timer = 0;
};

// Runs work, which may open dialogs, answering them with actions; returns what was seen.
std::vector<SeenDialog> Answering(const std::function<void()>& work, std::vector<DialogAnswers::Action> actions);

// Presses a button of a message box or the input box, typing into the input box's field first
// when type is given.
DialogAnswers::Action Press(int button, std::wstring type = {});
DialogAnswers::Action Cancel();
// An open/save dialog: types the name and presses Open/Save; an empty name cancels.
DialogAnswers::Action ChooseFile(std::wstring file);
// The colour dialog: types the colour into its red, green and blue boxes and presses OK.
DialogAnswers::Action ChooseColour(COLORREF colour);

}  // namespace testing_support
