#pragma once
// The screen as the form runtime measures it: twips (1/1440 inch) through the display's real
// pixels per inch. Geometry of windows and controls is in twips; drawing calls use pixels.
namespace rt {

constexpr int kTwipsPerInch = 1440;

struct Screen {
    // Twips per pixel horizontally and vertically (15 at 96 pixels per inch).
    static int TwipsPerPixelX();
    static int TwipsPerPixelY();
    // The primary screen's size in twips.
    static int Width();
    static int Height();
};

// Conversions between twips and pixels, rounded to the nearest pixel.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);

}  // namespace rt
