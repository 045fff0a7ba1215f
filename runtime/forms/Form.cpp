#include "runtime/forms/Form.h"

#include <commctrl.h>

#include <algorithm>

#include "runtime/forms/FocusHandOff.h"
#include "runtime/forms/Forms.h"
#include "runtime/forms/OwnedStacking.h"
#include "runtime/gdi/Screen.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

constexpr wchar_t kFormClass[] = L"LumescaForm";
constexpr UINT kFirstMenuId = 100;

RECT CenteredOn(const RECT& area, int width, int height) {
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    return RECT{x, y, x + width, y + height};
}

// The smallest outer size the platform lets a user drag a captioned frame to: below it the
// caption loses its close box. The program's own sizes keep to it too, whatever the frame's
// style (the platform enforces it on its own only for some).
SIZE SmallestFrame(HWND hwnd) {
    if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return SIZE{0, 0};
    return SIZE{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
}

// An unload handler abandoned as the program ends (it would have opened a dialog) does not
// keep its form loaded: the handler stops there and the unloading goes on.
template <class Handler>
void RunUnloadHandler(Handler&& handler) {
    try {
        handler();
    } catch (const HandlerAbandoned&) {
    }
}

struct DisabledWindows {
    HWND modal;
    std::vector<HWND> windows;
};

// Disables the other visible windows of the thread while a form is shown modally.
BOOL CALLBACK DisableOther(HWND hwnd, LPARAM data) {
    return GuardCallback([&]() -> BOOL {
        auto* disabled = reinterpret_cast<DisabledWindows*>(data);
        if (hwnd != disabled->modal && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
            GetWindow(hwnd, GW_OWNER) != disabled->modal) {
            disabled->windows.push_back(hwnd);
            EnableWindow(hwnd, FALSE);
        }
        return TRUE;
    });
}

}  // namespace

HandlerScope::HandlerScope(Form* form) : m_form(form) {
    if (m_form) ++m_form->m_handlerDepth;
}

HandlerScope::~HandlerScope() {
    if (m_form && --m_form->m_handlerDepth == 0 && m_form->m_retired) Forms::detail::ScheduleCollect();
}

Form::Form() : WindowBinding(Role::Form), m_font(std::make_shared<StdFont>()) {
    m_surface.SetBackColor(kButtonFace);
    m_surface.SetForeColor(kButtonText);
    m_surface.SetFont(m_font);
}

Form::~Form() {
    if (m_hwnd) {
        // The derived parts are gone: the window must not call back into this object.
        Unbind();
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        DestroyWindow(hwnd);
    }
}

Form* Form::FromHwnd(HWND hwnd) {
    if (!hwnd) return nullptr;
    return static_cast<Form*>(Find(GetAncestor(hwnd, GA_ROOT), Role::Form));
}

// ---- definition and properties

Form& Form::Caption(std::wstring caption) {
    m_caption = std::move(caption);
    if (m_hwnd) SetWindowTextW(m_hwnd, m_caption.c_str());
    return *this;
}

Form& Form::ClientSize(double widthTwips, double heightTwips) {
    m_clientWidth = widthTwips;
    m_clientHeight = heightTwips;
    if (m_hwnd) {
        RECT window, client;
        GetWindowRect(m_hwnd, &window);
        GetClientRect(m_hwnd, &client);
        const int extraX = (window.right - window.left) - client.right;
        const int extraY = (window.bottom - window.top) - client.bottom;
        SetWindowPos(m_hwnd, nullptr, 0, 0, TwipsToPixelsX(widthTwips) + extraX, TwipsToPixelsY(heightTwips) + extraY,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return *this;
}

double Form::ScaleWidth() const {
    if (!m_hwnd) return m_clientWidth;
    RECT client;
    GetClientRect(m_hwnd, &client);
    return PixelsToTwipsX(client.right);
}

double Form::ScaleHeight() const {
    if (!m_hwnd) return m_clientHeight;
    RECT client;
    GetClientRect(m_hwnd, &client);
    return PixelsToTwipsY(client.bottom);
}

double Form::Left() const {
    if (!m_hwnd) return m_left.value_or(0);
    RECT r;
    GetWindowRect(m_hwnd, &r);
    return PixelsToTwipsX(r.left);
}

double Form::Top() const {
    if (!m_hwnd) return m_top.value_or(0);
    RECT r;
    GetWindowRect(m_hwnd, &r);
    return PixelsToTwipsY(r.top);
}

double Form::Width() const {
    if (m_hwnd) {
        RECT r;
        GetWindowRect(m_hwnd, &r);
        return PixelsToTwipsX(r.right - r.left);
    }
    RECT r{0, 0, TwipsToPixelsX(m_clientWidth), TwipsToPixelsY(m_clientHeight)};
    AdjustWindowRectEx(&r, Style(), !m_menu.empty(), ExStyle());
    return PixelsToTwipsX(r.right - r.left);
}

double Form::Height() const {
    if (m_hwnd) {
        RECT r;
        GetWindowRect(m_hwnd, &r);
        return PixelsToTwipsY(r.bottom - r.top);
    }
    RECT r{0, 0, TwipsToPixelsX(m_clientWidth), TwipsToPixelsY(m_clientHeight)};
    AdjustWindowRectEx(&r, Style(), !m_menu.empty(), ExStyle());
    return PixelsToTwipsY(r.bottom - r.top);
}

Form& Form::Left(double twips) { return Move(twips); }
Form& Form::Top(double twips) { return Move(Left(), twips); }
Form& Form::Width(double twips) { return Move(Left(), Top(), twips); }
Form& Form::Height(double twips) { return Move(Left(), Top(), Width(), twips); }

Form& Form::Move(double left, std::optional<double> top, std::optional<double> width, std::optional<double> height) {
    const double newTop = top.value_or(Top());
    const double newWidth = width.value_or(Width());
    const double newHeight = height.value_or(Height());
    if (newWidth < 0 || newHeight < 0) Raise(err::kInvalidPropertyValue);
    m_left = left;
    m_top = newTop;
    if (m_hwnd) {
        const SIZE least = SmallestFrame(m_hwnd);
        SetWindowPos(m_hwnd, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(newTop),
                     std::max<int>(TwipsToPixelsX(newWidth), least.cx), std::max<int>(TwipsToPixelsY(newHeight), least.cy),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (width || height) {
        // Before loading the outer size decides the inner one.
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, Style(), !m_menu.empty(), ExStyle());
        m_clientWidth = newWidth - PixelsToTwipsX(frame.right - frame.left);
        m_clientHeight = newHeight - PixelsToTwipsY(frame.bottom - frame.top);
    }
    return *this;
}

Form& Form::StartUpPosition(rt::StartUpPosition position) {
    m_startUp = position;
    return *this;
}

Form& Form::BorderStyle(FormBorderStyle style) {
    m_borderStyle = style;
    if (style == FormBorderStyle::FixedDialog || style == FormBorderStyle::None) {
        m_minButton = false;
        m_maxButton = false;
    }
    if (style == FormBorderStyle::FixedDialog) m_showInTaskbar = false;
    return *this;
}

Form& Form::MinButton(bool show) {
    m_minButton = show;
    return *this;
}

Form& Form::MaxButton(bool show) {
    m_maxButton = show;
    return *this;
}

Form& Form::ControlBox(bool show) {
    m_controlBox = show;
    return *this;
}

Form& Form::ShowInTaskbar(bool show) {
    m_showInTaskbar = show;
    return *this;
}

Form& Form::BackColor(OLE_COLOR color) {
    m_surface.SetBackColor(color);
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
    return *this;
}

Form& Form::ForeColor(OLE_COLOR color) {
    m_surface.SetForeColor(color);
    return *this;
}

Form& Form::Font(FontRef font) {
    if (!font) Raise(err::kInvalidPropertyValue);
    m_font = std::move(font);
    m_surface.SetFont(m_font);
    return *this;
}

Form& Form::AutoRedraw(bool persistent) {
    m_surface.SetAutoRedraw(persistent);
    return *this;
}

Form& Form::CurrentX(double x) {
    m_surface.SetCurrentX(x);
    return *this;
}

Form& Form::CurrentY(double y) {
    m_surface.SetCurrentY(y);
    return *this;
}

Form& Form::Font(const std::wstring& name, double size, bool bold, bool italic, short charset) {
    auto font = std::make_shared<StdFont>(name, size, bold, italic);
    font->SetCharset(charset);
    return Font(std::move(font));
}

Form& Form::Icon(PictureRef icon) {
    if (icon && icon->Type() != PictureType::Icon && icon->Type() != PictureType::None)
        Raise(err::kInvalidPropertyValue);
    const PictureRef previous = std::move(m_icon);  // released after the window lets go of it
    m_icon = std::move(icon);
    ApplyIcon();
    return *this;
}

void Form::ApplyIcon() {
    if (!m_hwnd) return;
    HICON icon = m_icon ? m_icon->Icon() : nullptr;
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

Form& Form::Picture(PictureRef picture) {
    m_surface.SetPicture(std::move(picture));
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
    return *this;
}

rt::WindowState Form::WindowState() const {
    if (!m_hwnd) return m_windowState;
    if (IsIconic(m_hwnd)) return rt::WindowState::Minimized;
    if (IsZoomed(m_hwnd)) return rt::WindowState::Maximized;
    return rt::WindowState::Normal;
}

namespace {
int ShowCommandFor(rt::WindowState state) {
    switch (state) {
        case rt::WindowState::Minimized: return SW_SHOWMINIMIZED;
        case rt::WindowState::Maximized: return SW_SHOWMAXIMIZED;
        default: return SW_SHOWNORMAL;
    }
}
}  // namespace

Form& Form::WindowState(rt::WindowState state) {
    m_windowState = state;
    if (m_hwnd && IsWindowVisible(m_hwnd)) ShowWindow(m_hwnd, ShowCommandFor(state));
    return *this;
}

Form& Form::MousePointer(rt::MousePointer pointer) {
    m_mousePointer = pointer;
    if (!m_hwnd) return *this;
    // Show the change at once: the busy work that follows an hourglass processes no messages.
    POINT cursor;
    GetCursorPos(&cursor);
    if (FromHwnd(WindowFromPoint(cursor)) == this) {
        HCURSOR shape = CursorFor(pointer, nullptr);
        ::SetCursor(shape ? shape : LoadCursorW(nullptr, IDC_ARROW));
    }
    return *this;
}

bool Form::Visible() const { return m_hwnd && IsWindowVisible(m_hwnd); }

bool Form::Enabled() const { return m_hwnd ? IsWindowEnabled(m_hwnd) != FALSE : m_enabled; }

Form& Form::Enabled(bool enabled) {
    m_enabled = enabled;
    if (m_hwnd) EnableWindow(m_hwnd, enabled);
    return *this;
}

MenuItem& Form::Menu(MenuItem& item, std::wstring name, std::wstring caption) {
    item.Define(*this, std::move(name), std::move(caption));
    m_menu.push_back(&item);
    return item;
}

// ---- loading, showing, unloading

DWORD Form::Style() const {
    DWORD style = WS_CLIPCHILDREN;
    switch (m_borderStyle) {
        case FormBorderStyle::None: style |= WS_POPUP; break;
        case FormBorderStyle::FixedSingle: style |= WS_OVERLAPPED | WS_CAPTION | WS_BORDER; break;
        case FormBorderStyle::Sizable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
        case FormBorderStyle::FixedDialog: style |= WS_OVERLAPPED | WS_CAPTION | WS_DLGFRAME; break;
    }
    if (m_borderStyle != FormBorderStyle::None && m_controlBox) {
        style |= WS_SYSMENU;
        if (m_minButton) style |= WS_MINIMIZEBOX;
        if (m_maxButton) style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD Form::ExStyle() const {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (m_borderStyle == FormBorderStyle::FixedDialog) exStyle |= WS_EX_DLGMODALFRAME;
    if (m_showInTaskbar) exStyle |= WS_EX_APPWINDOW;
    return exStyle;
}

void Form::Load() {
    CreateWindowNow();
    HandlerScope scope(this);
    Form_Load();
}

void Form::CreateWindowNow() {
    RegisterWindowClass(kFormClass, CS_DBLCLKS);
    if (!m_menu.empty()) {
        m_menuBar = CreateMenu();
        UINT nextId = kFirstMenuId;
        for (MenuItem* item : m_menu) item->Build(m_menuBar, nextId);
    }
    RECT r{0, 0, TwipsToPixelsX(m_clientWidth), TwipsToPixelsY(m_clientHeight)};
    AdjustWindowRectEx(&r, Style(), m_menuBar != nullptr, ExStyle());
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    if (m_startUp == rt::StartUpPosition::Manual || m_borderStyle == FormBorderStyle::None) {
        x = TwipsToPixelsX(m_left.value_or(0));
        y = TwipsToPixelsY(m_top.value_or(0));
    }
    // A form kept out of the taskbar is owned by the runtime's hidden window until it gets
    // an owner of its own.
    HWND owner = m_showInTaskbar ? nullptr : Forms::detail::ParkingWindow();
    HWND hwnd = CreateBoundWindow(ExStyle(), kFormClass, m_caption.c_str(), Style(), x, y, r.right - r.left,
                                  r.bottom - r.top, owner, m_menuBar);
    if (!hwnd) {
        if (m_menuBar) DestroyMenu(m_menuBar);
        m_menuBar = nullptr;
        Raise(err::kInvalidProcedureCall, {}, L"Can't create the window of " + m_caption);
    }
    if (m_menuBar) {
        // The menu bar may wrap: keep the defined inner size.
        ClientSize(m_clientWidth, m_clientHeight);
    }
    ApplyIcon();
    if (!m_enabled) EnableWindow(hwnd, FALSE);
    m_surface.Attach(hwnd);
    CreateControls();
}

HWND Form::ToolTipWindow() {
    if (!m_toolTip && m_hwnd) {
        m_toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    }
    return m_toolTip;
}

void Form::PlaceForFirstShow(HWND owner) {
    RECT window;
    GetWindowRect(m_hwnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    switch (m_startUp) {
        case rt::StartUpPosition::CenterOwner:
            if (owner && IsWindowVisible(owner)) GetWindowRect(owner, &area);
            break;
        case rt::StartUpPosition::CenterScreen: break;
        default: return;
    }
    const RECT placed = CenteredOn(area, width, height);
    SetWindowPos(m_hwnd, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show(ShowMode mode, Form* owner) {
    // An unloaded form's object only waits for deletion; Get gives the fresh instance.
    if (!m_hwnd) Raise(err::kObjectUnloaded);
    HandlerScope scope(this);
    if (mode == ShowMode::Modal && IsWindowVisible(m_hwnd)) Raise(err::kAlreadyShownModal);
    if (owner && owner != this && owner->m_hwnd) {
        SetWindowLongPtrW(m_hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->m_hwnd));
    }
    const bool first = !m_shownOnce;
    if (first) PlaceForFirstShow(GetWindow(m_hwnd, GW_OWNER));
    if (IsWindowVisible(m_hwnd)) {
        if (!IsIconic(m_hwnd)) BringToFront();
    } else {
        ShowWindow(m_hwnd, ShowCommandFor(m_windowState));
    }
    if (first) {
        // Painted before the first Resize, so that drawing made in Resize stays on screen.
        UpdateWindow(m_hwnd);
        m_shownOnce = true;
        RaiseFormEvent(&Form::Form_Resize);
    }
    if (m_hwnd) UpdateWindow(m_hwnd);
    if (mode == ShowMode::Modal && m_hwnd) RunModalLoop();
}

// Shown again while a window it owns is active (a button of that window asked for it), the form
// comes to the front without taking the activation: owned windows stay above it anyway, and the
// user goes on in the window he clicked. Taking it would let Wine's X stacking put the form
// above that window for a moment, and a quick second click there would reach the form instead.
void Form::BringToFront() {
    for (HWND w = GetWindow(GetActiveWindow(), GW_OWNER); w; w = GetWindow(w, GW_OWNER)) {
        if (w == m_hwnd) {
            SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return;
        }
    }
    SetForegroundWindow(m_hwnd);
}

void Form::Hide() {
    if (m_hwnd) ShowWindow(m_hwnd, SW_HIDE);
}

bool Form::Unload() { return TryUnload(unload::kFormCode); }

bool Form::TryUnload(int mode) {
    if (!m_hwnd || m_unloading) return true;
    HandlerScope scope(this);
    int cancel = 0;
    RunUnloadHandler([&] { Form_QueryUnload(cancel, mode); });
    if (!m_hwnd) return true;
    if (cancel) return false;
    // Windows destroys owned windows with their owner: unload those forms properly first.
    for (Form* other : Forms::detail::Loaded())
        if (other != this && other->m_hwnd && GetWindow(other->m_hwnd, GW_OWNER) == m_hwnd &&
            !other->TryUnload(unload::kFormOwner))
            return false;
    cancel = 0;
    RunUnloadHandler([&] { Form_Unload(cancel); });
    if (!m_hwnd) return true;
    if (cancel) return false;
    m_unloading = true;
    DestroyWindow(m_hwnd);
    m_unloading = false;
    m_retired = true;
    Forms::detail::Retire(this);
    return true;
}

namespace {
// Tells the stacking work for the length of a modal loop which form runs modally.
class ModalScope {
public:
    explicit ModalScope(HWND form) : m_form(form) { stacking::ModalStarted(form); }
    ~ModalScope() { stacking::ModalEnded(m_form); }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    HWND m_form;
};
}  // namespace

void Form::RunModalLoop() {
    HandlerScope keep(this);
    m_modal = true;
    HWND previousActive = GetActiveWindow();
    ModalScope modal(m_hwnd);
    DisabledWindows disabled{m_hwnd, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));
    MSG msg;
    while (m_hwnd && IsWindowVisible(m_hwnd)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
            break;
        }
        if (Forms::TranslateFormMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    for (HWND hwnd : disabled.windows)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    if (previousActive && IsWindow(previousActive) && IsWindowVisible(previousActive)) SetActiveWindow(previousActive);
    m_modal = false;
}

void Form::Refresh() {
    if (m_hwnd) RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---- window procedure

LRESULT Form::WindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HandlerScope scope(this);
    return HandleMessage(hwnd, msg, wParam, lParam);
}

LRESULT Form::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto handled = ContainerMessage(hwnd, msg, wParam, lParam)) return *handled;
    switch (msg) {
        case WM_ERASEBKGND: return 1;  // WM_PAINT draws the whole background
        case WM_PAINT: OnPaint(); return 0;
        case WM_CLOSE: return OnClose();
        case WM_SIZE:
            m_surface.Resize(LOWORD(lParam), HIWORD(lParam));
            OnSize();
            break;
        case WM_COMMAND:
            if (lParam == 0 && HIWORD(wParam) == 0 && OnMenuCommand(LOWORD(wParam))) return 0;
            break;
        case WM_WINDOWPOSCHANGED:
            if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER)) stacking::FormChanged(hwnd);
            break;
        case WM_SETFOCUS:
            stacking::FocusMoved(hwnd);
            break;
        case WM_ACTIVATE: {
            stacking::FormChanged(hwnd);
            if (LOWORD(wParam) == WA_INACTIVE) {
                RememberFocus();
                break;
            }
            if (!HIWORD(wParam) && RestoreFocus()) return 0;  // the default would focus the form itself
            break;
        }
        case WM_ENABLE:
        case WM_EXITSIZEMOVE:
            stacking::FormChanged(hwnd);
            break;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), lParam)) return TRUE;
            break;
        case WM_NEXTDLGCTL: OnNextControl(wParam, lParam); return 0;
        case WM_DESTROY: m_surface.Detach(); break;
        case WM_NCDESTROY:
            m_hwnd = nullptr;
            m_toolTip = nullptr;
            m_menuBar = nullptr;
            for (MenuItem* item : m_menu) item->Forget();
            ControlsDestroyed();
            break;
    }
    return NextProcedure(hwnd, msg, wParam, lParam);
}

void Form::OnPaint() {
    PaintBuffered(m_hwnd, [this](HDC dc, const RECT& client) { m_surface.Paint(dc, client); });
    if (!m_surface.AutoRedraw()) RaiseFormEvent(&Form::Form_Paint);
}

LRESULT Form::OnClose() {
    TryUnload(unload::kFormControlMenu);
    return 0;
}

void Form::OnSize() {
    if (m_shownOnce && IsWindowVisible(m_hwnd)) RaiseFormEvent(&Form::Form_Resize);
}

// As the dialog manager does: the control that had the focus when the form lost the activation
// (to a dialog, a message box or another form) gets it back when the form is activated again.
void Form::RememberFocus() {
    const HWND focus = GetFocus();
    if (focus == m_hwnd) m_activeControl = nullptr;
    else if (focus && IsChild(m_hwnd, focus)) m_activeControl = focus;
}

bool Form::RestoreFocus() {
    if (!m_activeControl || !IsChild(m_hwnd, m_activeControl) || !TakesInput(m_activeControl)) return false;
    ::SetFocus(m_activeControl);
    return true;
}

void Form::OnNextControl(WPARAM wParam, LPARAM lParam) {
    // The dialog manager asks the window to move the focus on Tab; a plain window's default
    // procedure would ignore it.
    HWND next = lParam ? reinterpret_cast<HWND>(wParam)
                       : GetNextDlgTabItem(m_hwnd, GetFocus() == m_hwnd ? nullptr : GetFocus(), wParam != 0);
    if (!next || !IsChild(m_hwnd, next)) return;
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    ::SetFocus(next);
}

bool Form::OnSetCursor(HWND, LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT || m_mousePointer == rt::MousePointer::Default) return false;
    HCURSOR cursor = CursorFor(m_mousePointer, nullptr);
    if (!cursor) return false;
    ::SetCursor(cursor);
    return true;
}

bool Form::OnMenuCommand(UINT id) {
    for (MenuItem* item : m_menu)
        if (MenuItem* chosen = item->FindById(id)) {
            if (chosen->Click) chosen->Click();
            return true;
        }
    return false;
}

void Form::RaiseFormEvent(void (Form::*event)()) {
    HandlerScope scope(this);
    (this->*event)();
}

}  // namespace rt
