#pragma once
// A window of the program. Each window class derives from Form, declares its controls and
// menu items as members, defines them in its constructor (caption, geometry in twips,
// colours, fonts, placed controls, wired handlers) and overrides the form events it handles
// (Form_Load, Form_QueryUnload, Form_Unload, Form_Resize, Form_Paint). Every
// window class has one global instance, reached with rt::Forms::Get<frmX>() (see
// runtime/forms/Forms.h), which loads it on first use:
//
//     class frmHello : public rt::Form {
//     public:
//         frmHello() {
//             Caption(L"Hello").ClientSize(4800, 2400).BackColor(0x00FF8080);
//             StartUpPosition(rt::StartUpPosition::CenterScreen);
//             Place(Label1, L"Label1", 240, 240, 3000, 300).Caption(L"Hi").BackStyle(rt::BackStyle::Transparent);
//             Place(Command1, L"Command1", 240, 840, 1200, 375).Caption(L"&OK");
//             Command1.Click = [this] { Command1_Click(); };
//         }
//         rt::Label Label1;
//         rt::CommandButton Command1;
//     private:
//         void Form_Load() override { Label1.Caption(L"Loaded"); }
//         void Command1_Click() { Unload(); }
//     };
//
// Unloading destroys the window and, once no handler of the form runs any more, the object;
// the next Get loads a fresh one. Hold no reference to a form across its unloading.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/forms/ControlContainer.h"
#include "runtime/forms/DrawingSurface.h"
#include "runtime/forms/FormMenu.h"
#include "runtime/gdi/StdFont.h"
#include "runtime/picture/StdPicture.h"
#include "runtime/forms/WindowBinding.h"

namespace rt {

enum class FormBorderStyle { None = 0, FixedSingle = 1, Sizable = 2, FixedDialog = 3 };
enum class StartUpPosition { Manual = 0, CenterOwner = 1, CenterScreen = 2, WindowsDefault = 3 };
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };
enum class ShowMode { Modeless = 0, Modal = 1 };

// Why a form is being unloaded (the UnloadMode of Form_QueryUnload).
namespace unload {
constexpr int kFormControlMenu = 0;  // the close box or the system menu
constexpr int kFormCode = 1;         // the program's Unload
constexpr int kAppWindows = 2;       // Windows is ending the session
constexpr int kFormOwner = 5;        // the owner form is unloading
}  // namespace unload

class Form : public ControlContainer, private WindowBinding {
public:
    ~Form() override;

    // The top-level window; nullptr while not loaded.
    HWND hWnd() const { return m_hwnd; }
    bool IsLoaded() const { return m_hwnd != nullptr; }

    const std::wstring& Caption() const { return m_caption; }
    Form& Caption(std::wstring caption);

    // The inner (client) size in twips; the outer size follows from the border.
    Form& ClientSize(double widthTwips, double heightTwips);
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Outer geometry in twips, screen coordinates. A window with a caption is never made
    // smaller than the smallest frame the platform lets a user drag it to, so its caption and
    // close box stay visible; larger sizes stand as given.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    Form& Left(double twips);
    Form& Top(double twips);
    Form& Width(double twips);
    Form& Height(double twips);
    Form& Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
               std::optional<double> height = {});

    // Definition of the window's frame (effective when the form loads).
    rt::StartUpPosition StartUpPosition() const { return m_startUp; }
    Form& StartUpPosition(rt::StartUpPosition position);
    FormBorderStyle BorderStyle() const { return m_borderStyle; }
    // Fixed dialog and none also drop the minimise and maximise boxes, and fixed dialog the
    // taskbar button, as the designer does; set those afterwards to differ.
    Form& BorderStyle(FormBorderStyle style);
    Form& MinButton(bool show);
    Form& MaxButton(bool show);
    Form& ControlBox(bool show);
    bool ShowInTaskbar() const { return m_showInTaskbar; }
    Form& ShowInTaskbar(bool show);

    // Setting the back colour clears drawing made on the form (as Cls does).
    OLE_COLOR BackColor() const { return m_surface.BackColor(); }
    Form& BackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const { return m_surface.ForeColor(); }
    Form& ForeColor(OLE_COLOR color);
    // The form's font object, inherited by controls placed without a font of their own.
    FontRef Font() { return m_font; }
    Form& Font(FontRef font);
    Form& Font(const std::wstring& name, double size, bool bold = false, bool italic = false,
               short charset = DEFAULT_CHARSET);

    // The window's icon: an icon picture, or nullptr / an empty picture for none. A bitmap
    // raises error 380.
    const PictureRef& Icon() const { return m_icon; }
    Form& Icon(PictureRef icon);
    // The background picture, drawn at its own size from the top left corner.
    const PictureRef& Picture() const { return m_surface.Picture(); }
    Form& Picture(PictureRef picture);

    // Drawing on the form (see DrawingSurface): persistent drawing (auto-redraw), Cls, Print,
    // filled boxes, the current position, a DC for direct GDI calls and a snapshot.
    bool AutoRedraw() const { return m_surface.AutoRedraw(); }
    Form& AutoRedraw(bool persistent);
    void Cls() { m_surface.Cls(); }
    void Print(const std::wstring& text) { m_surface.Print(text); }
    void Line(double x1, double y1, double x2, double y2, OLE_COLOR color) { m_surface.Line(x1, y1, x2, y2, color); }
    double CurrentX() const { return m_surface.CurrentX(); }
    Form& CurrentX(double x);
    double CurrentY() const { return m_surface.CurrentY(); }
    Form& CurrentY(double y);
    HDC hDC() { return m_surface.hDC(); }
    PictureRef Image() const { return m_surface.Image(); }
    DrawingSurface& Surface() { return m_surface; }

    rt::WindowState WindowState() const;
    Form& WindowState(rt::WindowState state);
    rt::MousePointer MousePointer() const { return m_mousePointer; }
    Form& MousePointer(rt::MousePointer pointer);

    bool Visible() const;
    bool Enabled() const;
    Form& Enabled(bool enabled);

    // Shows the form (loading it first is Get's job). Modal: returns when the form is hidden
    // or unloaded; every other window of the program is disabled meanwhile. An owner given
    // becomes the window's owner; without one a shown form keeps its owner. A form already shown
    // comes to the front and is activated, unless a window it owns is the active one.
    void Show(ShowMode mode = ShowMode::Modeless, Form* owner = nullptr);
    void Hide();
    // The program's Unload: QueryUnload and Unload run (unload::kFormCode); returns false when
    // a handler cancelled.
    bool Unload();
    // Repaints the window (and brings the kept image of auto-redraw drawing to the screen).
    void Refresh();

    // A top-level item of the menu bar.
    MenuItem& Menu(MenuItem& item, std::wstring name, std::wstring caption);

    // ControlContainer
    Form* OwningForm() override { return this; }
    HWND ContainerWindow() const override { return m_hwnd; }
    FontRef ContainerFont() override { return m_font; }
    bool ContainerEnabled() const override { return true; }

    // The form a window belongs to (its top-level form window), or nullptr.
    static Form* FromHwnd(HWND hwnd);

protected:
    Form();

    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(int& /*Cancel*/) {}
    virtual void Form_Resize() {}
    virtual void Form_Paint() {}


private:
    friend class Control;
    friend class MenuItem;
    friend class HandlerScope;
    friend struct FormAccess;

    void Load();
    HWND ToolTipWindow();
    bool TryUnload(int mode);
    void CreateWindowNow();
    void PlaceForFirstShow(HWND owner);
    void BringToFront();
    void ApplyIcon();
    void RunModalLoop();
    DWORD Style() const;
    DWORD ExStyle() const;
    void OnPaint();
    LRESULT OnClose();
    void OnSize();
    bool OnSetCursor(HWND hwnd, LPARAM lParam);
    void OnNextControl(WPARAM wParam, LPARAM lParam);
    void RememberFocus();
    bool RestoreFocus();
    bool OnMenuCommand(UINT id);
    void RaiseFormEvent(void (Form::*event)());
    // WindowBinding
    void WindowBound(HWND hwnd) override { m_hwnd = hwnd; }
    LRESULT WindowMessage(HWND, UINT, WPARAM, LPARAM) override;
    LRESULT HandleMessage(HWND, UINT, WPARAM, LPARAM);

    HWND m_hwnd = nullptr;
    std::wstring m_caption;
    double m_clientWidth = 4800, m_clientHeight = 3600;
    std::optional<double> m_left, m_top;  // stored outer position (twips)
    rt::StartUpPosition m_startUp = rt::StartUpPosition::WindowsDefault;
    FormBorderStyle m_borderStyle = FormBorderStyle::Sizable;
    bool m_minButton = true, m_maxButton = true, m_controlBox = true, m_showInTaskbar = true;
    DrawingSurface m_surface;
    FontRef m_font;
    PictureRef m_icon;
    rt::MousePointer m_mousePointer = rt::MousePointer::Default;
    rt::WindowState m_windowState = rt::WindowState::Normal;
    bool m_enabled = true;
    std::vector<MenuItem*> m_menu;
    HMENU m_menuBar = nullptr;
    HWND m_toolTip = nullptr;
    HWND m_activeControl = nullptr;  // the focus kept while the form is not active

    bool m_shownOnce = false;
    bool m_unloading = false;
    bool m_retired = false;
    bool m_modal = false;
    int m_handlerDepth = 0;
};

}  // namespace rt
