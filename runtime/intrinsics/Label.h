#pragma once
// A label: text drawn by its container (it has no window of its own, so a transparent label
// shows the form's background, picture and drawing through), wrapped at its width, with "&"
// marking an access character. Raises Click when pressed and released over it.
#include <functional>
#include <string>

#include "runtime/forms/Control.h"

namespace rt {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

class Label : public BasicControl<Label> {
public:
    Label();

    const std::wstring& Caption() const { return m_caption; }
    Label& Caption(std::wstring caption);
    rt::BackStyle BackStyle() const { return m_backStyle; }
    Label& BackStyle(rt::BackStyle style);
    rt::Alignment Alignment() const { return m_alignment; }
    Label& Alignment(rt::Alignment alignment);

    std::function<void()> Click;

    // The DrawText flags for an alignment (text wraps at the label's width).
    static UINT TextFormat(rt::Alignment alignment);

protected:
    bool IsWindowless() const override { return true; }
    void PaintWindowless(HDC dc) override;
    void WindowlessMouse(UINT msg, POINT pixels, WPARAM keys) override;

private:
    std::wstring m_caption;
    rt::BackStyle m_backStyle = rt::BackStyle::Opaque;
    rt::Alignment m_alignment = rt::Alignment::Left;
};

}  // namespace rt
