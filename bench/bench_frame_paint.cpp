// Frame paint cost: the same window with Wine's own frame and with the skinned frame (skin 0,
// a menu of three popups), at 800 x 600 and 1920 x 1080. Each window gets 1,000 non-client
// paints, interleaved in rounds so that a slow spell of the machine hits all four alike.
//   tools/bench frame_paint [paints per window]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "app/ArtResources.h"
#include "app/SkinAttach.h"
#include "app/SkinLook.h"
#include "frame/cNeoCaption.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr wchar_t kClassName[] = L"LumescaFramePaintBench";
constexpr wchar_t kTitle[] = L"帧绘制测试 Lumesca";
constexpr int kDefaultPaints = 1000;
constexpr int kRounds = 10;
constexpr int kWarmUpPaints = 20;
constexpr UINT kFramePaint = RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW;
constexpr UINT kToTop = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// The windows may be larger than the desktop: the default limit is the screen size.
LRESULT CALLBACK BenchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMaxTrackSize = {4000, 4000};
        info->ptMaxSize = {4000, 4000};
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterBenchClass() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &BenchProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;  // no background brush: the client costs next to nothing
    RegisterClassW(&wc);
}

HMENU ThreePopupMenu() {
    const HMENU bar = CreateMenu();
    const wchar_t* titles[] = {L"文件(&F)", L"编辑(&E)", L"帮助(&H)"};
    UINT id = 100;
    for (const wchar_t* title : titles) {
        const HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, id++, L"打开(&O)");
        AppendMenuW(popup, MF_STRING, id++, L"保存(&S)");
        AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(popup, MF_STRING, id++, L"退出(&X)");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    return bar;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct Subject {
    const char* size = "";
    const char* frame = "";
    HWND hwnd = nullptr;
    std::shared_ptr<cNeoCaption> painter;  // empty for Wine's own frame
    std::vector<double> ms;
};

Subject MakeSubject(const char* size, int width, int height, bool skinned) {
    Subject s;
    s.size = size;
    s.frame = skinned ? "skinned" : "default";
    s.hwnd = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, 0, 0, width, height, nullptr,
                             ThreePopupMenu(), GetModuleHandleW(nullptr), nullptr);
    ShowWindow(s.hwnd, SW_SHOWNOACTIVATE);
    SetWindowPos(s.hwnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (skinned) {
        s.painter = std::make_shared<cNeoCaption>();
        app::ConfigureSkinLook(*s.painter, app::kMainCaptionFontSize);
        app::AttachSkinPictures(*s.painter, s.hwnd, app::SkinCaptionPicture(0), app::SkinBorderPicture(0));
    }
    Pump();
    return s;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One batch: the window on top, in its active look, then `count` timed frame paints.
void PaintBatch(Subject& s, int count, bool record) {
    SetWindowPos(s.hwnd, HWND_TOP, 0, 0, 0, 0, kToTop);
    SendMessageW(s.hwnd, WM_NCACTIVATE, TRUE, 0);
    Pump();
    LARGE_INTEGER frequency, from, to;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < count; ++i) {
        QueryPerformanceCounter(&from);
        RedrawWindow(s.hwnd, nullptr, nullptr, kFramePaint);
        GdiFlush();
        QueryPerformanceCounter(&to);
        if (record) s.ms.push_back(Milliseconds(from, to, frequency));
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// True when the painted frame shows the skin: the window's top-left pixel is the caption
// picture's. Guards against timing a paint that never happened.
bool ShowsTheSkin(Subject& s, const rt::PictureRef& caption) {
    PaintBatch(s, 1, false);
    const rt::WindowFrameDC window(s.hwnd);
    const rt::MemoryDC picture;
    const rt::SelectGuard selected(picture.get(), caption->Bitmap());
    return GetPixel(window.get(), 1, 1) == GetPixel(picture.get(), 1, 1);
}

int Run(int paints) {
    RegisterBenchClass();
    std::vector<Subject> subjects;
    subjects.push_back(MakeSubject("800x600", 800, 600, false));
    subjects.push_back(MakeSubject("800x600", 800, 600, true));
    subjects.push_back(MakeSubject("1920x1080", 1920, 1080, false));
    subjects.push_back(MakeSubject("1920x1080", 1920, 1080, true));

    for (Subject& s : subjects) PaintBatch(s, kWarmUpPaints, false);
    const int perRound = std::max(1, paints / kRounds);
    for (int done = 0; done < paints; done += perRound) {
        const int count = std::min(perRound, paints - done);
        for (Subject& s : subjects) PaintBatch(s, count, true);
    }

    std::printf("frame paint: %d non-client paints per window, in rounds of %d\n", paints, perRound);
    std::printf("%-10s %-8s %10s %10s\n", "size", "frame", "min ms", "median ms");
    for (const Subject& s : subjects) std::printf("%-10s %-8s %10.3f %10.3f\n", s.size, s.frame, Min(s.ms), Median(s.ms));
    const bool skinShown = ShowsTheSkin(subjects[1], app::SkinCaptionPicture(0));
    std::printf("skinned frame shows skin 0: %s\n", skinShown ? "yes" : "NO");
    const double small = Median(subjects[1].ms) / Median(subjects[0].ms);
    const double large = Median(subjects[3].ms) / Median(subjects[2].ms);
    std::printf("skinned/default: %.2f at 800x600, %.2f at 1920x1080\n", small, large);

    for (Subject& s : subjects) {
        s.painter.reset();
        DestroyWindow(s.hwnd);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int paints = argc > 1 ? std::max(1, _wtoi(argv[1])) : kDefaultPaints;
    if (FAILED(OleInitialize(nullptr))) return 1;
    int code = 1;
    try {
        code = Run(paints);
    } catch (...) {
        rt::ReportCurrentException();
    }
    OleUninitialize();
    return code;
}
