#pragma once
// The arithmetic of the statement screen's line animation: the letter-spacing schedule (wide,
// drawing together, overshooting into overlapping letters, easing back to the final spacing)
// and the clamp of the erase rectangle to the window's width.

namespace mainwin {

// Spacing of one line, frame by frame. Each call of NextFrame gives the spacing of the next
// frame to draw; after the frame that reaches the final spacing one more frame is drawn at it,
// and that frame is the last (Finished() then answers true).
class SpacingSchedule {
public:
    SpacingSchedule(long startSpacing, long finalSpacing);

    long NextFrame();
    bool Finished() const { return m_finished; }
    long Spacing() const { return m_spacing; }

private:
    long m_spacing;
    long m_final;
    bool m_falling = true;
    bool m_turned = false;
    long m_hold = 0;
    bool m_finished = false;
};

// The number of frames a line takes from start to final spacing (the schedule run to its end).
long FrameCount(long startSpacing, long finalSpacing);

// The right edge of the area to erase before the next frame: the measured text's right edge
// plus 4 pixels, never beyond the client width.
long EraseRight(long measuredRight, long clientWidthPixels);

// The client width in pixels as the window's scale gives it: the scale width and the twips
// per pixel each rounded to a whole number (halves to even), then divided as integers.
long ClientWidthPixels(double scaleWidthTwips, double twipsPerPixel);

}  // namespace mainwin
