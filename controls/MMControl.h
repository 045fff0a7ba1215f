#pragma once
// A playback engine on the platform's Media Control Interface, driven by command strings: it
// opens FileName on the device named by DeviceType ("WaveAudio", "Sequencer", or "" to let the
// platform choose by the file's extension) and carries out "Open", "Close", "Play", "Pause",
// "Stop" and "Prev" (back to the start) the moment Command is set. Length and Position are in
// milliseconds; a play that ran to its end leaves Position at Length until the next command
// (some drivers, Wine's MPEG one among them, go back to 0 by themselves). A command the device
// refuses raises a run-time error carrying the MCI error number and text.
//
// With no device open, "Close", "Play", "Pause", "Stop" and "Prev" have nothing to act on and
// do nothing; Length and Position read 0. After "Pause", Position stays where the pause found
// the device until the next command.
//
// Done is raised when a "Play" completes: it ran to its end (MCI_NOTIFY_SUCCESSFUL) or failed
// (MCI_NOTIFY_FAILURE); the argument is that notification code. A play cut short by Stop, Prev,
// Close or another Play does not complete and raises nothing.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "runtime/forms/WindowBinding.h"

namespace ctl {

class MMControl : private rt::WindowBinding {
public:
    MMControl();
    ~MMControl();  // closes the device
    MMControl(const MMControl&) = delete;
    MMControl& operator=(const MMControl&) = delete;

    const std::wstring& DeviceType() const { return m_deviceType; }
    void SetDeviceType(std::wstring deviceType) { m_deviceType = std::move(deviceType); }
    const std::wstring& FileName() const { return m_fileName; }
    void SetFileName(std::wstring fileName) { m_fileName = std::move(fileName); }

    // The last command set.
    const std::wstring& Command() const { return m_command; }
    // Carries the command out at once (names compare without regard to case); an unknown
    // command raises 380.
    void SetCommand(const std::wstring& command);

    long Length() const;
    long Position() const;
    // The device's MCI mode ("playing", "paused", "stopped", ...); empty with no device open.
    std::wstring Mode() const;
    bool IsOpen() const { return m_open; }

    // Two numeric settings of the control that this engine keeps but does not act on, known
    // by their dispatch identifiers 45 and 49; any other identifier raises 438.
    static constexpr long kIgnoredSetting45 = 45;
    static constexpr long kIgnoredSetting49 = 49;
    void SetNumericProperty(long dispatchId, long value);
    long NumericProperty(long dispatchId) const;

    std::function<void(short& notifyCode)> Done;
    // The press of the control's Eject button; setting cancel keeps the eject from happening.
    // This engine shows no button bar, so nothing in it raises the event: a form that wires it
    // gets a notification that only its own code can fire.
    std::function<void(short& cancel)> EjectClick;

private:
    // The notices of plays come to a message-only window of this control's own.
    LRESULT WindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNotify(WPARAM code, LPARAM deviceId);
    void Open();
    void Close();
    void Rewind();
    void Pause();
    long DevicePosition() const;
    void Play();
    void Send(const std::wstring& command, HWND callback = nullptr) const;
    std::wstring Query(const std::wstring& command) const;

    std::wstring m_alias;
    std::wstring m_deviceType;
    std::wstring m_fileName;
    std::wstring m_command;
    bool m_open = false;
    bool m_ranToEnd = false;  // the last play completed; Position reads Length
    // A completion came while the device still said it was playing: the driver's own state may
    // follow its notice late (a busy machine), or the notice was an earlier play's. Once the
    // device says it stopped, the play did end.
    bool m_endNoticed = false;
    long m_pausedAt = -1;     // the position a Pause held, until the next command
    UINT m_deviceId = 0;
    HWND m_notifyWindow = nullptr;
    std::map<long, long> m_ignoredSettings;
};

}  // namespace ctl
