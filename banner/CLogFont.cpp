#include "banner/CLogFont.h"

#include <memory>

#include "banner/LogFontRecord.h"

namespace {

int ScreenPixelsPerInchY() {
    rt::WindowDC desktop(GetDesktopWindow());
    return GetDeviceCaps(desktop.get(), LOGPIXELSY);
}

}  // namespace

void CLogFont::LogFont(const rt::FontRef& NewFont) {
    m_hFont.reset();
    if (!NewFont) {
        m_Font.reset();
        return;
    }
    auto copy = std::make_shared<rt::StdFont>();
    copy->SetBold(NewFont->Bold());
    copy->SetCharset(NewFont->Charset());
    copy->SetItalic(NewFont->Italic());
    copy->SetName(NewFont->Name());
    copy->SetSize(NewFont->Size());
    copy->SetStrikethrough(NewFont->Strikethrough());
    copy->SetUnderline(NewFont->Underline());
    // Last, so the copy ends with the source's weight whatever Bold set.
    copy->SetWeight(NewFont->Weight());
    m_Font = std::move(copy);
    m_hFont = CreateLogFont();
}

void CLogFont::Rotation(float NewVal) {
    if (!(NewVal < m_Rotation) && !(NewVal > m_Rotation)) return;
    m_Rotation = NewVal;
    m_hFont.reset();  // the old font goes before the new one is made
    if (m_Font) m_hFont = CreateLogFont();
}

rt::Font CLogFont::CreateLogFont() const {
    const LOGFONTA record = banner::BuildLogFont(*m_Font, m_Rotation, ScreenPixelsPerInchY());
    // The wide call with the face read back from code page 936 gives GDI exactly the bytes of
    // the record, whatever the system's ANSI page is.
    const LOGFONTW wide = banner::WidenLogFont(record);
    return rt::Font(CreateFontIndirectW(&wide));
}
