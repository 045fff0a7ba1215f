#include "controls/MMControl.h"

#include <mmsystem.h>

#include <cwchar>
#include <cwctype>

#include "controls/ControlErrors.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
constexpr wchar_t kNotifyClassName[] = L"LumescaMciNotify";
constexpr size_t kReplyChars = 128;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring NextAlias() {
    static unsigned counter = 0;
    return L"lumesca_media" + std::to_wstring(++counter);
}
}  // namespace

MMControl::MMControl() : WindowBinding(Role::Window), m_alias(NextAlias()) {
    rt::RegisterWindowClass(kNotifyClassName);
    m_notifyWindow = CreateBoundWindow(0, kNotifyClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
    m_ignoredSettings[kIgnoredSetting45] = 0;
    m_ignoredSettings[kIgnoredSetting49] = 0;
}

MMControl::~MMControl() {
    if (m_open) mciSendStringW((L"close " + m_alias).c_str(), nullptr, 0, nullptr);
    if (m_notifyWindow) {
        Unbind();
        DestroyWindow(m_notifyWindow);
    }
}

void MMControl::SetCommand(const std::wstring& command) {
    m_command = command;
    m_ranToEnd = false;
    m_endNoticed = false;
    m_pausedAt = -1;
    const std::wstring name = Lower(command);
    if (name == L"open") {
        Open();
    } else if (name == L"close") {
        Close();
    } else if (name == L"play") {
        Play();
    } else if (name == L"pause") {
        if (m_open) Pause();
    } else if (name == L"stop") {
        if (m_open) Send(L"stop " + m_alias);
    } else if (name == L"prev") {
        if (m_open) Rewind();
    } else {
        rt::Raise(err::kInvalidPropertyValue);
    }
}

void MMControl::Open() {
    // One device per control: a file opened over another replaces it.
    Close();
    std::wstring open = L"open \"" + m_fileName + L"\"";
    if (!m_deviceType.empty()) open += L" type " + m_deviceType;
    open += L" alias " + m_alias;
    Send(open);
    m_open = true;
    m_deviceId = mciGetDeviceIDW(m_alias.c_str());
    try {
        Send(L"set " + m_alias + L" time format milliseconds");
    } catch (const rt::RuntimeError&) {
        // A device that cannot count in milliseconds is no use here: it goes again, and the
        // error reported is the one that explains why.
        m_open = false;
        m_deviceId = 0;
        mciSendStringW((L"close " + m_alias).c_str(), nullptr, 0, nullptr);
        throw;
    }
}

void MMControl::Rewind() {
    // Wine's wave driver stops a playing device only when the buffer in flight is done (100 ms
    // and more); a paused one it stops at once. A loop that goes back to the start again and
    // again must not wait for that.
    if (Mode() == L"playing") Send(L"pause " + m_alias);
    Send(L"seek " + m_alias + L" to start");
}

void MMControl::Pause() {
    // Wine's wave device may still count one more block a moment after the pause, the later
    // the busier the machine; a paused control reports where it was when the pause came.
    Send(L"pause " + m_alias);
    m_pausedAt = DevicePosition();
}

void MMControl::Close() {
    if (!m_open) return;
    m_open = false;
    m_deviceId = 0;
    Send(L"close " + m_alias);
}

void MMControl::Play() {
    if (m_open) Send(L"play " + m_alias + L" notify", m_notifyWindow);
}

long MMControl::Length() const {
    if (!m_open) return 0;
    return std::wcstol(Query(L"status " + m_alias + L" length").c_str(), nullptr, 10);
}

long MMControl::Position() const {
    if (!m_open) return 0;
    if (m_ranToEnd || (m_endNoticed && Mode() == L"stopped")) return Length();
    if (m_pausedAt >= 0) return m_pausedAt;
    return DevicePosition();
}

long MMControl::DevicePosition() const {
    return std::wcstol(Query(L"status " + m_alias + L" position").c_str(), nullptr, 10);
}

std::wstring MMControl::Mode() const {
    if (!m_open) return {};
    return Query(L"status " + m_alias + L" mode");
}

void MMControl::SetNumericProperty(long dispatchId, long value) {
    const auto it = m_ignoredSettings.find(dispatchId);
    if (it == m_ignoredSettings.end())
        rt::Raise(rt::err::kUnsupportedProperty);
    it->second = value;
}

long MMControl::NumericProperty(long dispatchId) const {
    const auto it = m_ignoredSettings.find(dispatchId);
    if (it == m_ignoredSettings.end())
        rt::Raise(rt::err::kUnsupportedProperty);
    return it->second;
}

void MMControl::Send(const std::wstring& command, HWND callback) const {
    const MCIERROR error = mciSendStringW(command.c_str(), nullptr, 0, callback);
    if (error == 0) return;
    wchar_t text[MAXERRORLENGTH] = {};
    if (!mciGetErrorStringW(error, text, MAXERRORLENGTH)) text[0] = L'\0';
    rt::Raise(static_cast<long>(LOWORD(error)), {}, text[0] ? text : L"媒体设备出错");
}

std::wstring MMControl::Query(const std::wstring& command) const {
    wchar_t reply[kReplyChars] = {};
    const MCIERROR error = mciSendStringW(command.c_str(), reply, kReplyChars, nullptr);
    if (error != 0) {
        wchar_t text[MAXERRORLENGTH] = {};
        if (!mciGetErrorStringW(error, text, MAXERRORLENGTH)) text[0] = L'\0';
        rt::Raise(static_cast<long>(LOWORD(error)), {}, text[0] ? text : L"媒体设备出错");
    }
    return reply;
}

LRESULT MMControl::WindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MCINOTIFY) {
        OnNotify(wParam, lParam);
        return 0;
    }
    return NextProcedure(hwnd, message, wParam, lParam);
}

void MMControl::OnNotify(WPARAM code, LPARAM deviceId) {
    // A notice from a device closed since, or a play cut short, completes nothing. Some
    // drivers (Wine's MPEG video one) leave the device out of the notice: the window is this
    // control's alone, so such a notice is the open device's.
    const UINT from = static_cast<UINT>(deviceId);
    if (!m_open || (from != m_deviceId && from != 0)) return;
    if (code != MCI_NOTIFY_SUCCESSFUL && code != MCI_NOTIFY_FAILURE) return;
    if (code == MCI_NOTIFY_SUCCESSFUL) {
        // A notice queued before a later Play is no end of that one.
        std::wstring mode;
        rt::TryStatement([&] { mode = Mode(); });
        m_ranToEnd = mode != L"playing";
        m_endNoticed = !m_ranToEnd;
    }
    if (Done) {
        auto handler = Done;
        short notifyCode = static_cast<short>(code);
        handler(notifyCode);
    }
}

}  // namespace ctl
