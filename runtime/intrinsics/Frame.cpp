#include "runtime/intrinsics/Frame.h"

namespace rt {

namespace {
constexpr int kCaptionIndent = 6;  // pixels from the left edge to the caption
constexpr int kCaptionPadding = 2;
}  // namespace

Frame::Frame() { InitColors(kButtonFace, kButtonText); }

Frame& Frame::Caption(std::wstring caption) {
    m_caption = std::move(caption);
    AppearanceChanged();
    return *this;
}

Frame& Frame::BorderStyle(rt::BorderStyle style) {
    m_borderStyle = style;
    AppearanceChanged();
    return *this;
}

HWND Frame::CreateHwnd(HWND parent, const RECT& r, int id) { return CreateContainerWindow(parent, r, id, 0, 0); }

void Frame::PaintContent(HDC dc, const RECT& client) {
    FillRect(dc, &client, BackBrush());
    SelectGuard font(dc, GdiFont());
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    if (m_borderStyle == rt::BorderStyle::FixedSingle) {
        RECT border = client;
        if (!m_caption.empty()) border.top += metrics.tmHeight / 2;
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    }
    if (m_caption.empty()) return;
    SIZE extent = {};
    GetTextExtentPoint32W(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &extent);
    RECT text{kCaptionIndent, 0, kCaptionIndent + extent.cx + 2 * kCaptionPadding, metrics.tmHeight};
    FillRect(dc, &text, BackBrush());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ForeRgb() : GetSysColor(COLOR_GRAYTEXT));
    text.left += kCaptionPadding;
    DrawTextW(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &text, DT_LEFT | DT_SINGLELINE);
}

}  // namespace rt
