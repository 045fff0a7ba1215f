#pragma once
// CLogFont: a font description and an angle turned into a GDI font whose text runs at that
// angle. It keeps its own copy of the description, builds the GDI font at once whenever the
// description or the angle changes, and owns exactly one GDI font at a time. A caller may
// select Handle() into a DC but puts its previous font back before the next change here.
#include <windows.h>

#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/StdFont.h"

class CLogFont {
public:
    CLogFont() = default;
    CLogFont(const CLogFont&) = delete;
    CLogFont& operator=(const CLogFont&) = delete;

    // A copy of NewFont's attributes (nullptr: no font, and no GDI font either).
    void LogFont(const rt::FontRef& NewFont);
    // The stored copy, or nullptr. Changes made on it reach the GDI font at the next rebuild.
    const rt::FontRef& LogFont() const { return m_Font; }

    // Degrees, counter-clockwise. An equal angle changes nothing; a new one rebuilds the font
    // when a description is stored and is only remembered otherwise.
    void Rotation(float NewVal);
    float Rotation() const { return m_Rotation; }

    // The GDI font, or nullptr when there is none (no description, or GDI refused it).
    HFONT Handle() const { return m_hFont.get(); }

private:
    rt::Font CreateLogFont() const;

    rt::FontRef m_Font;
    rt::Font m_hFont;
    float m_Rotation = 0;
};
