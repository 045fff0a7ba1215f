#pragma once
// A non-client painter for the engine's tests: fixed margins, a solid frame colour, and a
// record of every call the engine makes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "frame/INCAreaModifier.h"

struct NCMouseCall {
    std::string kind;  // "down" or "up"
    long x, y;
    HDC hDC;
    RECT rect;
};

class NCTestPainter : public INCAreaModifier {
public:
    explicit NCTestPainter(HWND hWnd) : m_hWnd(hWnd) {}

    HWND hWnd() override { return m_hWnd; }
    void GetTopMarginHeight(long& cy) override { Margin("top", cy, top); }
    void GetLeftMarginWidth(long& cx) override { Margin("left", cx, left); }
    void GetRightMarginWidth(long& cx) override { Margin("right", cx, right); }
    void GetBottomMarginHeight(long& cy) override { Margin("bottom", cy, bottom); }

    void NCPaint(HDC hDC, long lLeft, long lTop, long lRight, long lBottom) override {
        ++paints;
        lastPaintRect = RECT{lLeft, lTop, lRight, lBottom};
        HBRUSH brush = CreateSolidBrush(frameColor);
        const RECT bands[] = {{lLeft, lTop, lRight, top},
                              {lLeft, lBottom - bottom, lRight, lBottom},
                              {lLeft, lTop, left, lBottom},
                              {lRight - right, lTop, lRight, lBottom}};
        for (const RECT& r : bands) FillRect(hDC, &r, brush);
        DeleteObject(brush);
    }

    void HitTest(long x, long y, long& eHitTest) override {
        hitTests.push_back(POINT{x, y});
        if (hitTestOverride) eHitTest = *hitTestOverride;
    }

    void NCMouseDown(long x, long y, bool& bHandled, HDC hDC, long lLeft, long lTop, long lRight,
                     long lBottom) override {
        mouse.push_back({"down", x, y, hDC, RECT{lLeft, lTop, lRight, lBottom}});
        if (handleMouseDown) bHandled = true;
    }
    void NCMouseUp(long x, long y, HDC hDC, long lLeft, long lTop, long lRight, long lBottom) override {
        mouse.push_back({"up", x, y, hDC, RECT{lLeft, lTop, lRight, lBottom}});
    }

    void InitMenuPopup(WPARAM wParam, LPARAM) override { popups.push_back(reinterpret_cast<HMENU>(wParam)); }
    void ExitMenuLoop() override { ++menuLoopExits; }

    long AltKeyAccelerator(long vKey) override {
        keys.push_back(vKey);
        if (onAltKey) onAltKey(vKey);
        return useKeys ? -1 : 0;
    }

    long left = 4, top = 30, right = 5, bottom = 6;
    COLORREF frameColor = RGB(200, 0, 0);
    const long* hitTestOverride = nullptr;
    bool handleMouseDown = false;
    bool useKeys = true;
    std::function<void(long)> onAltKey;

    std::vector<std::string> marginOrder;
    std::vector<long> marginDefaults;
    int paints = 0;
    RECT lastPaintRect = {};
    std::vector<POINT> hitTests;
    std::vector<NCMouseCall> mouse;
    std::vector<HMENU> popups;
    int menuLoopExits = 0;
    std::vector<long> keys;

private:
    void Margin(const char* name, long& value, long mine) {
        marginOrder.push_back(name);
        marginDefaults.push_back(value);
        value = mine;
    }
    HWND m_hWnd;
};
