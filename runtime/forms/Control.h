#pragma once
// A control on a form. A control is a member of its form class; the form's definition places
// it in a container (the form, a frame or a picture box) with its designer name and its
// geometry in twips, and sets its properties. Properties are kept in the object, so they can
// be set before the form is loaded; when the form loads, every placed control gets its
// child window (windowed controls) or is drawn by its container (windowless ones: labels,
// shapes, lines, image boxes). The control's window goes with the form's. Placing is the
// container's: Place(Command1, L"Command1", left, top, width, height) in the form's
// definition, Frame1.Place(...) for a control inside a frame (see ControlContainer.h).
//
// Writing a control of one's own (the stand-ins for ActiveX controls do so): derive from
// BasicControl<YourControl>, override CreateHwnd to make the child window, apply your own
// stored properties in Created(), declare events as std::function members and raise them
// with Raise(Event, args...). Messages the parent receives about your window (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_HSCROLL/WM_VSCROLL) come back to you through the
// On* hooks; every message of your own window passes OnMessage first (the control is bound
// to its window for you, see WindowBinding.h).
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "runtime/forms/DrawingSurface.h"
#include "runtime/gdi/OleColor.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/StdFont.h"
#include "runtime/picture/StdPicture.h"
#include "runtime/forms/WindowBinding.h"

namespace rt {

class ControlContainer;
class Form;

// Keeps a form's count of running handlers up for its lifetime: an unloaded form is deleted
// only when the count is back at zero, so a handler may unload its own form.
class HandlerScope {
public:
    explicit HandlerScope(Form* form);
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    Form* m_form;
};

// Mouse pointers of forms and controls (the runtime's MousePointer values).
enum class MousePointer { Default = 0, Arrow = 1, Cross = 2, IBeam = 3, Hourglass = 11, Custom = 99 };

// Whether a label or shape fills its background (BackStyle).
enum class BackStyle { Transparent = 0, Opaque = 1 };

// Mouse buttons and shift keys as mouse events report them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;


// The cursor of a mouse pointer (Custom: the icon picture's); nullptr for Default.
HCURSOR CursorFor(MousePointer pointer, const PictureRef& icon);

class Control : private WindowBinding {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The designer name ("Command1") and, for a member of an indexed group, its index (else -1).
    const std::wstring& Name() const { return m_name; }
    int Index() const { return m_index; }
    ControlContainer* Parent() const { return m_parent; }
    Form* ParentForm() const;
    // The child window; nullptr before the form loads and for windowless controls.
    HWND hWnd() const { return m_hwnd; }

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);

    // Geometry in twips, relative to the container's inner area.
    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void SetLeft(double twips) { SetBounds(twips, m_top, m_width, m_height); }
    void SetTop(double twips) { SetBounds(m_left, twips, m_width, m_height); }
    void SetWidth(double twips) { SetBounds(m_left, m_top, twips, m_height); }
    void SetHeight(double twips) { SetBounds(m_left, m_top, m_width, twips); }
    // Move(left [, top [, width [, height]]]): omitted values keep their current value.
    void Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});
    // A negative width or height raises error 380 (invalid property value).
    virtual void SetBounds(double left, double top, double width, double height);

    // Tab order within the container (default: the order of placement) and tab stop.
    int TabIndex() const { return m_tabIndex; }
    void SetTabIndex(int index);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool stop);

    const std::wstring& ToolTipText() const { return m_toolTip; }
    void SetToolTipText(std::wstring text);

    OLE_COLOR BackColor() const { return m_backColor; }
    void SetBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const { return m_foreColor; }
    void SetForeColor(OLE_COLOR color);

    // The control's own font object; until one is set it is a copy of the container's font,
    // taken when first asked for (the designer's inheritance). Changing the object in place
    // shows at the next Refresh.
    FontRef Font();
    void SetFont(FontRef font);

    rt::MousePointer MousePointer() const { return m_mousePointer; }
    void SetMousePointer(rt::MousePointer pointer);
    // The cursor shown for MousePointer::Custom (a cursor or icon picture).
    const PictureRef& MouseIcon() const { return m_mouseIcon; }
    void SetMouseIcon(PictureRef icon);

    // Focus goes to the control's window; error 5 when the control cannot take it.
    void SetFocus();
    // Repaints the control now.
    virtual void Refresh();

    // The control's rectangle in its container's client pixels.
    RECT PixelRect() const;

    // The control that owns a child window made by the runtime (nullptr for other windows).
    static Control* FromHwnd(HWND hwnd);

protected:
    Control();

    // Windowed controls create their child window here: a WS_CHILD window at the given
    // rectangle with the given control id. The base then applies visibility, enabled state,
    // tab stop, font (WM_SETFONT) and tool tip, and subclasses the window.
    virtual HWND CreateHwnd(HWND parent, const RECT& pixels, int id);
    // Called when the window exists and the common properties are applied.
    virtual void Created() {}
    // Called when the window is destroyed with the form (hWnd() is already nullptr).
    virtual void Destroyed() {}

    // Windowless controls (drawn by their container) return true and paint here, in the
    // container's client pixels. PixelRect() is where they are.
    virtual bool IsWindowless() const { return false; }
    virtual void PaintWindowless(HDC /*dc*/) {}
    // Windowless hit testing (default: inside PixelRect()) and mouse messages reaching a
    // windowless control (WM_LBUTTONDOWN/UP etc., point in container client pixels).
    virtual bool HitTest(POINT pixels) const;
    virtual void WindowlessMouse(UINT /*msg*/, POINT /*pixels*/, WPARAM /*keys*/) {}
    // Whether the control can hold the focus (gets WS_TABSTOP when TabStop()).
    virtual bool TakesFocus() const { return !IsWindowless(); }
    // Option buttons: a run of them in tab order forms one arrow-key group (no WS_GROUP).
    virtual bool JoinsPreviousGroup() const { return false; }

    // Messages the container reflects back to the control that sent them. Return a value
    // to claim the message.
    virtual std::optional<LRESULT> OnCommand(UINT /*notifyCode*/) { return std::nullopt; }
    virtual std::optional<LRESULT> OnNotify(NMHDR& /*header*/) { return std::nullopt; }
    // WM_CTLCOLOR*: by default the control's fore and back colours and a brush of BackColor.
    virtual std::optional<LRESULT> OnControlColor(HDC dc);
    virtual std::optional<LRESULT> OnDrawItem(DRAWITEMSTRUCT& /*item*/) { return std::nullopt; }
    virtual std::optional<LRESULT> OnScroll(UINT /*code*/, int /*thumbPosition*/) { return std::nullopt; }
    // WM_TIMER of the container window with this control's id (window timers of controls).
    virtual void OnTimer() {}
    // Every message of the control's own window, before its class's procedure.
    virtual std::optional<LRESULT> OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
        return std::nullopt;
    }
    // Hands a message of the control's window on to its class's procedure.
    LRESULT DefaultMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        return NextProcedure(m_hwnd, msg, wParam, lParam);
    }
    // The id the control's window got from its container (also its window-timer id).
    int ControlId() const { return m_id; }
    // Moves the window to PixelRect() after a geometry change.
    virtual void Reposition();
    // Called after a colour, font or geometry change; default: repaint.
    virtual void AppearanceChanged();

    // Runs an event handler of the form (an empty handler does nothing). Events start with
    // the form's window: property values set by the definition raise none. The form is kept
    // alive while the handler runs, even if the handler unloads it.
    template <class... Args, class... Params>
    void Raise(const std::function<void(Args...)>& handler, Params&&... args) const {
        if (!handler || !FormLoaded()) return;
        HandlerScope scope(ParentForm());
        handler(std::forward<Params>(args)...);
    }
    bool FormLoaded() const;

    // The direct colours and a cached brush of BackColor.
    COLORREF BackRgb() const { return TranslateOleColor(m_backColor); }
    COLORREF ForeRgb() const { return TranslateOleColor(m_foreColor); }
    HBRUSH BackBrush();
    // The GDI font of Font(), rebuilt when the font object changes.
    HFONT GdiFont();
    // Sends WM_SETFONT with GdiFont() to the window.
    void ApplyFont();
    // Turns visual styles off for a window: the themed look of buttons ignores text colours.
    static void UseClassicLook(HWND hwnd);

    // Defaults that derived controls set in their constructors.
    void InitColors(OLE_COLOR back, OLE_COLOR fore) {
        m_backColor = back;
        m_foreColor = fore;
    }

private:
    friend class ControlContainer;
    template <class T>
    friend class ControlArray;

    void Create(HWND parentWindow, int id);
    void WindowDestroyed();
    void InvalidateInParent() const;
    void RegisterToolTip();
    // WindowBinding
    LRESULT WindowMessage(HWND, UINT, WPARAM, LPARAM) override;
    void WindowGone() override;
    bool ApplyCursor();

    std::wstring m_name;
    int m_index = -1;
    int m_id = 0;
    ControlContainer* m_parent = nullptr;
    HWND m_hwnd = nullptr;
    bool m_visible = true;
    bool m_enabled = true;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    int m_tabIndex = 0;
    bool m_tabStop = true;
    std::wstring m_toolTip;
    OLE_COLOR m_backColor = kButtonFace;
    OLE_COLOR m_foreColor = kButtonText;
    FontRef m_font;
    rt::MousePointer m_mousePointer = rt::MousePointer::Default;
    PictureRef m_mouseIcon;

    Brush m_backBrush;
    COLORREF m_backBrushColor = CLR_INVALID;
    rt::Font m_gdiFont;
    const StdFont* m_gdiFontSource = nullptr;
    unsigned m_gdiFontRevision = 0;
};

// The common property setters again, returning the concrete control so that a definition
// can chain them: Place(Label1, L"Label1", 210, 90, 1455, 375).Caption(L"Hi").ForeColor(0xFF).
template <class Self>
class BasicControl : public Control {
public:
    using Control::BackColor;
    using Control::Enabled;
    using Control::Font;
    using Control::ForeColor;
    using Control::Height;
    using Control::Left;
    using Control::MouseIcon;
    using Control::MousePointer;
    using Control::TabIndex;
    using Control::TabStop;
    using Control::ToolTipText;
    using Control::Top;
    using Control::Visible;
    using Control::Width;

    Self& Visible(bool visible) { return Do([&] { SetVisible(visible); }); }
    Self& Enabled(bool enabled) { return Do([&] { SetEnabled(enabled); }); }
    Self& Left(double twips) { return Do([&] { SetLeft(twips); }); }
    Self& Top(double twips) { return Do([&] { SetTop(twips); }); }
    Self& Width(double twips) { return Do([&] { SetWidth(twips); }); }
    Self& Height(double twips) { return Do([&] { SetHeight(twips); }); }
    Self& TabIndex(int index) { return Do([&] { SetTabIndex(index); }); }
    Self& TabStop(bool stop) { return Do([&] { SetTabStop(stop); }); }
    Self& ToolTipText(std::wstring text) { return Do([&] { SetToolTipText(std::move(text)); }); }
    Self& BackColor(OLE_COLOR color) { return Do([&] { SetBackColor(color); }); }
    Self& ForeColor(OLE_COLOR color) { return Do([&] { SetForeColor(color); }); }
    Self& Font(FontRef font) { return Do([&] { SetFont(std::move(font)); }); }
    // A new font object for the control: Font(L"宋体", 10.5, true) (bold), charset 134 for
    // Chinese faces.
    Self& Font(const std::wstring& name, double size, bool bold = false, bool italic = false,
               short charset = DEFAULT_CHARSET) {
        auto font = std::make_shared<StdFont>(name, size, bold, italic);
        font->SetCharset(charset);
        return Font(std::move(font));
    }
    Self& MousePointer(rt::MousePointer pointer) { return Do([&] { SetMousePointer(pointer); }); }
    Self& MouseIcon(PictureRef icon) { return Do([&] { SetMouseIcon(std::move(icon)); }); }

protected:
    Self& self() { return static_cast<Self&>(*this); }
    template <class F>
    Self& Do(F&& f) {
        f();
        return self();
    }
};

}  // namespace rt
