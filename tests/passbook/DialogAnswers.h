#pragma once
// Answers the program's modal boxes (message boxes, the input box) as they come up, through
// their windows: a timer of the test's thread finds each dialog, notes its title and texts,
// types into the input box's field if asked, and presses the button given.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace passbook_tests {

struct DialogAnswer {
    DialogAnswer(std::wstring title_, int button_ = IDOK, std::wstring type_ = {})
        : title(std::move(title_)), button(button_), type(std::move(type_)) {}
    std::wstring title;  // the title expected
    int button;          // the button to press
    std::wstring type;   // text for the input box's field first
};

struct SeenDialog {
    std::wstring title;
    std::vector<std::wstring> texts;  // the dialog's child texts
    std::vector<int> buttons;         // the ids of its buttons
};

class DialogAnswers {
public:
    explicit DialogAnswers(std::vector<DialogAnswer> answers);
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    // Every dialog answered, in order; dialogs beyond the answers given are cancelled and
    // noted too.
    const std::vector<SeenDialog>& Seen() const { return m_seen; }
    std::vector<std::wstring> SeenTitles() const;
    // True when the dialog's texts hold this one.
    static bool Shows(const SeenDialog& dialog, const std::wstring& text);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Answer(HWND dialog);

    std::vector<DialogAnswer> m_answers;
    std::vector<SeenDialog> m_seen;
    UINT_PTR m_timer = 0;
};

}  // namespace passbook_tests
