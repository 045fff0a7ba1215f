#pragma once
// A text box: one line, or several lines with an optional vertical scroll bar. Change is
// raised whenever the text changes (typing and the program's own assignments alike, but not
// an assignment of the same text); GotFocus and LostFocus follow the focus. In a multi-line
// box Tab still moves to the next control.
#include <functional>
#include <string>

#include "runtime/forms/Control.h"

namespace rt {

enum class ScrollBars { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };

class TextBox : public BasicControl<TextBox> {
public:
    TextBox();

    std::wstring Text() const;
    TextBox& Text(std::wstring text);
    // Most characters the user may type; 0 = no limit.
    int MaxLength() const { return m_maxLength; }
    TextBox& MaxLength(int characters);
    bool MultiLine() const { return m_multiLine; }
    TextBox& MultiLine(bool multiLine);
    rt::ScrollBars ScrollBars() const { return m_scrollBars; }
    TextBox& ScrollBars(rt::ScrollBars bars);

    // The selection, in characters.
    int SelStart() const;
    TextBox& SelStart(int start);
    int SelLength() const;
    TextBox& SelLength(int length);

    std::function<void()> Change;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void Created() override;
    std::optional<LRESULT> OnCommand(UINT notifyCode) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::wstring m_text;  // until the window exists
    int m_maxLength = 0;
    bool m_multiLine = false;
    rt::ScrollBars m_scrollBars = rt::ScrollBars::None;
    int m_selStart = 0;
    int m_selLength = 0;
    bool m_changeReported = false;
    std::wstring m_lastText;  // the text the last Change reported
};

}  // namespace rt
