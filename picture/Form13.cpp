#include "picture/Form13.h"

#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/Screen.h"

Form13::Form13() {
    Caption(L"Copie d'écran").ClientSize(3360, 3270).StartUpPosition(rt::StartUpPosition::Manual);
    Move(2010, 1545);
    // The copy is kept, so covering and uncovering the box does not lose it.
    Place(Picture1, L"Picture1", 120, 120, 3015, 2175).AutoRedraw(true);
    Place(Command1, L"Command1", 840, 2640, 1575, 375).Caption(L"Copier");
    Command1.Click = [this] { Command1_Click(); };
}

// The whole screen, scaled into the box without keeping its proportions.
void Form13::Command1_Click() {
    Picture1.Cls();
    const int screenWidth = rt::Screen::Width() / rt::Screen::TwipsPerPixelX();
    const int screenHeight = rt::Screen::Height() / rt::Screen::TwipsPerPixelY();
    Picture1.ScaleMode(rt::ScaleMode::Pixels);
    const auto boxWidth = static_cast<int>(Picture1.ScaleWidth());
    const auto boxHeight = static_cast<int>(Picture1.ScaleHeight());
    rt::WindowDC screen(nullptr);
    // A failed copy leaves the box cleared; there is nothing else to tell.
    StretchBlt(Picture1.hDC(), 0, 0, boxWidth, boxHeight, screen.get(), 0, 0, screenWidth, screenHeight, SRCCOPY);
}
