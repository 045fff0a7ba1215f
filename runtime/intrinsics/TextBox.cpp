#include "runtime/intrinsics/TextBox.h"

#include "runtime/core/RuntimeError.h"

namespace rt {

TextBox::TextBox() { InitColors(kWindowBackground, kWindowText); }

std::wstring TextBox::Text() const {
    if (!hWnd()) return m_text;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd())) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hWnd(), text.data(), static_cast<int>(text.size()))));
    return text;
}

TextBox& TextBox::Text(std::wstring text) {
    if (!hWnd()) {
        m_text = std::move(text);
        return *this;
    }
    if (text == Text()) return *this;
    // The edit control reports EN_CHANGE for this, except multi-line ones on some systems.
    m_changeReported = false;
    SetWindowTextW(hWnd(), text.c_str());
    if (!m_changeReported) {
        m_lastText = Text();
        Raise(Change);
    }
    return *this;
}

TextBox& TextBox::MaxLength(int characters) {
    if (characters < 0) rt::Raise(err::kInvalidPropertyValue);
    m_maxLength = characters;
    if (hWnd()) SendMessageW(hWnd(), EM_SETLIMITTEXT, static_cast<WPARAM>(characters), 0);
    return *this;
}

TextBox& TextBox::MultiLine(bool multiLine) {
    m_multiLine = multiLine;
    return *this;
}

TextBox& TextBox::ScrollBars(rt::ScrollBars bars) {
    m_scrollBars = bars;
    return *this;
}

int TextBox::SelStart() const {
    if (!hWnd()) return m_selStart;
    DWORD start = 0, end = 0;
    SendMessageW(hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

TextBox& TextBox::SelStart(int start) {
    if (start < 0) rt::Raise(err::kInvalidPropertyValue);
    m_selStart = start;
    m_selLength = 0;
    // Setting the start collapses the selection there, as the designer's text box does.
    if (hWnd()) SendMessageW(hWnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start));
    return *this;
}

int TextBox::SelLength() const {
    if (!hWnd()) return m_selLength;
    DWORD start = 0, end = 0;
    SendMessageW(hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

TextBox& TextBox::SelLength(int length) {
    if (length < 0) rt::Raise(err::kInvalidPropertyValue);
    m_selLength = length;
    if (hWnd()) {
        const int start = SelStart();
        SendMessageW(hWnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
    }
    return *this;
}

HWND TextBox::CreateHwnd(HWND parent, const RECT& r, int id) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (m_multiLine) {
        style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
        if (m_scrollBars == rt::ScrollBars::Vertical || m_scrollBars == rt::ScrollBars::Both) style |= WS_VSCROLL;
        if (m_scrollBars == rt::ScrollBars::Horizontal || m_scrollBars == rt::ScrollBars::Both)
            style |= WS_HSCROLL | ES_AUTOHSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", m_text.c_str(), style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void TextBox::Created() {
    if (m_maxLength > 0) SendMessageW(hWnd(), EM_SETLIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
    SendMessageW(hWnd(), EM_SETSEL, static_cast<WPARAM>(m_selStart), static_cast<LPARAM>(m_selStart + m_selLength));
    m_lastText = std::move(m_text);
    m_text.clear();
}

std::optional<LRESULT> TextBox::OnCommand(UINT notifyCode) {
    switch (notifyCode) {
        case EN_CHANGE: {
            m_changeReported = true;
            // The edit control also reports a key it refused at MaxLength: no change then.
            std::wstring text = Text();
            if (text == m_lastText) return 0;
            m_lastText = std::move(text);
            Raise(Change);
            return 0;
        }
        case EN_SETFOCUS: Raise(GotFocus); return 0;
        case EN_KILLFOCUS: Raise(LostFocus); return 0;
        default: return std::nullopt;
    }
}

std::optional<LRESULT> TextBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_GETDLGCODE || !m_multiLine) return std::nullopt;
    // A multi-line edit wants every key; give Tab back to the dialog navigation.
    LRESULT code = DefaultMessage(msg, wParam, lParam);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB) code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    return code;
}

}  // namespace rt
