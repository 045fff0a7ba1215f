#pragma once
// A frame: a container of controls with an optional caption and etched border. A disabled
// frame takes no input for anything inside it.
#include <string>

#include "runtime/forms/ControlContainerWindow.h"

namespace rt {

enum class BorderStyle { None = 0, FixedSingle = 1 };

class Frame : public ControlContainerWindow<Frame> {
public:
    Frame();

    const std::wstring& Caption() const { return m_caption; }
    Frame& Caption(std::wstring caption);
    rt::BorderStyle BorderStyle() const { return m_borderStyle; }
    Frame& BorderStyle(rt::BorderStyle style);

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void PaintContent(HDC dc, const RECT& client) override;

private:
    std::wstring m_caption;
    rt::BorderStyle m_borderStyle = rt::BorderStyle::FixedSingle;
};

}  // namespace rt
