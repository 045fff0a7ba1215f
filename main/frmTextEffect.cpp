#include "main/frmTextEffect.h"

#include <mmsystem.h>

#include "app/ArtResources.h"
#include "main/StatementLines.h"
#include "main/TextAnimation.h"
#include "resources/ArtIds.h"
#include "runtime/forms/DoEvents.h"
#include "runtime/forms/DrawingSurface.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/Screen.h"

namespace {
constexpr OLE_COLOR kBlack = 0x00000000;
constexpr int kPassInterval = 2000;
constexpr int kIconInterval = 500;
constexpr DWORD kFrameMilliseconds = 50;
constexpr int kIconCount = 4;
}  // namespace

frmTextEffect::frmTextEffect() {
    Caption(mainwin::kStatementCaption).ClientSize(10665, 4815);
    BorderStyle(rt::FormBorderStyle::FixedDialog).StartUpPosition(rt::StartUpPosition::CenterOwner);
    BackColor(kBlack).AutoRedraw(true);
    Font(L"Arial", 18, true, false, ANSI_CHARSET);
    Icon(app::ResourceIcon(IDI_FRMTEXTEFFECT));

    Place(Timer1, L"Timer1").Interval(kPassInterval);
    Place(Timer2, L"Timer2").Interval(kIconInterval);
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    const double imageLefts[kIconCount] = {3240, 3870, 4440, 5040};
    const double imageTops[kIconCount] = {4860, 4860, 4890, 4860};
    for (int i = 0; i < kIconCount; ++i) Place(Image1.Add(i), L"Image1", imageLefts[i], imageTops[i], 480, 480);
}

void frmTextEffect::Timer1_Timer() {
    Show();
    Refresh();
    // A tick during a pass arrives inside one of its frame waits: the pass goes on.
    if (m_Running) return;

    const auto& lines = mainwin::StatementLines();
    Cls();
    Font()->SetSize(mainwin::kHeadingFontSize);
    m_Running = true;
    for (int line = 1; line <= mainwin::kStatementLineCount; ++line) {
        if (!m_Running) break;
        mainwin::ApplyStatementLineFont(*Font(), line);
        const mainwin::StatementLine& l = lines[static_cast<size_t>(line - 1)];
        m_currentLine = line;
        AnimateText(l.text, l.left, l.top, mainwin::kStatementStartSpacing, l.finalSpacing, l.color);
    }
    m_currentLine = 0;
    m_Running = false;
}

void frmTextEffect::AnimateText(std::wstring Text, long Left, long Top, long StartSpacing, long FinalSpacing,
                                OLE_COLOR Color) {
    m_TextRect = {Left, Top, Left, Top};
    const COLORREF color = rt::TranslateOleColor(Color);
    rt::Brush eraser(CreateSolidBrush(RGB(0, 0, 0)));
    HDC dc = hDC();
    SetTextColor(dc, color);
    mainwin::SpacingSchedule schedule(StartSpacing, FinalSpacing);
    while (m_Running && !schedule.Finished()) {
        const DWORD frameStart = timeGetTime();
        const long spacing = schedule.NextFrame();
        DrawFrame(dc, eraser.get(), Text, Left, Top, spacing);
        Refresh();
        WaitForNextFrame(frameStart);
    }
}

// Erases the previous frame's line and draws the text at this spacing; the measured area,
// clamped to the window, is what the next frame erases.
void frmTextEffect::DrawFrame(HDC dc, HBRUSH eraser, const std::wstring& text, long left, long top, long spacing) {
    FillRect(dc, &m_TextRect, eraser);
    SetTextCharacterExtra(dc, static_cast<int>(spacing));
    RECT measured{left, top, left, top};
    DrawTextW(dc, text.c_str(), -1, &measured, DT_CALCRECT);
    measured.right = mainwin::EraseRight(measured.right,
                                         mainwin::ClientWidthPixels(ScaleWidth(), rt::Screen::TwipsPerPixelX()));
    m_TextRect = measured;
    DrawTextW(dc, text.c_str(), -1, &m_TextRect, 0);
    ++m_framesDrawn;
    if (FrameShown) FrameShown(m_currentLine, m_framesDrawn);
}

// Processes events until the frame's 50 ms are up. Between events the thread sleeps in
// MsgWaitForMultipleObjectsEx, which wakes at once for any input, so handlers run as soon as
// their messages arrive without the wait spinning the processor.
void frmTextEffect::WaitForNextFrame(DWORD frameStart) {
    for (;;) {
        rt::DoEvents();
        const DWORD elapsed = timeGetTime() - frameStart;
        if (elapsed >= kFrameMilliseconds) return;
        MsgWaitForMultipleObjectsEx(0, nullptr, kFrameMilliseconds - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void frmTextEffect::Timer2_Timer() {
    if (m_IconIndex == kIconCount - 1) m_IconIndex = -1;
    ++m_IconIndex;
    Icon(Image1(m_IconIndex).Picture());
}

// Stops a running animation at its next frame; the window then closes.
void frmTextEffect::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) { m_Running = false; }
