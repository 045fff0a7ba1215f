#pragma once
// frmTextEffect: the statement screen. On a black window it writes the maker's statement line
// by line, each line animated from wide letter spacing through overlapping letters to its
// final spacing, one frame every 50 ms while the message loop keeps running; the pass starts
// again two seconds after it ends. A second timer steps the window's icon.
#include <windows.h>

#include <functional>
#include <string>

#include "runtime/forms/ControlArray.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/Image.h"
#include "runtime/intrinsics/Timer.h"

class frmTextEffect : public rt::Form {
public:
    frmTextEffect();

    rt::Timer Timer1;  // the pass timer
    rt::Timer Timer2;  // the icon timer
    rt::ControlArray<rt::Image> Image1;

    void Timer1_Timer();
    void Timer2_Timer();

    // What a test may watch: whether a pass runs, the line being animated (1 .. 6, 0 between
    // passes), the frames drawn so far, and the area erased before the next frame.
    bool Running() const { return m_Running; }
    int CurrentLine() const { return m_currentLine; }
    long FramesDrawn() const { return m_framesDrawn; }
    const RECT& TextRect() const { return m_TextRect; }
    short IconIndex() const { return m_IconIndex; }
    // Raised after each frame is drawn, with the line and the frames drawn so far: a closed
    // window's form goes away once its pass returns, so a watcher keeps what it needs itself.
    std::function<void(int line, long frames)> FrameShown;

private:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void AnimateText(std::wstring Text, long Left, long Top, long StartSpacing, long FinalSpacing, OLE_COLOR Color);
    void DrawFrame(HDC dc, HBRUSH eraser, const std::wstring& text, long left, long top, long spacing);
    void WaitForNextFrame(DWORD frameStart);
    void ApplyLineFont(int line);

    bool m_Running = false;
    RECT m_TextRect = {};
    short m_IconIndex = 0;
    int m_currentLine = 0;
    long m_framesDrawn = 0;
};
