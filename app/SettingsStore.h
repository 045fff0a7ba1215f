#pragma once
// Access to the settings database "tyy1.mdb" beside the executable: the connection string,
// and one session of connection and recordset on table "coop" that lives for one read or one
// write. A session either raises its steps' errors to the caller (the main window's start-up
// has no error handler) or runs each step as a statement of its own that is skipped when it
// fails (the skin panel's confirmation and the skin chooser continue past every error).
#include <functional>
#include <memory>
#include <string>

#include "store/Connection.h"
#include "store/Recordset.h"

namespace app {

// "Provider=...;Persist Security Info=False;Data Source=<folder>\tyy1.mdb"; no second "\"
// after a folder that ends in one (a drive root).
std::wstring SettingsConnectionString(const std::wstring& folder);

// The folder the settings database is read from: the executable's folder. Tests point it
// elsewhere (an empty folder restores the executable's).
std::wstring SettingsFolder();
void OverrideSettingsFolder(std::wstring folder);

// How a session's steps meet a run-time error.
enum class OnError {
    Raise,     // the error goes to the caller and the rest of the caller's routine is abandoned
    Continue,  // the failing step is skipped and the next one runs
};

class SettingsSession {
public:
    explicit SettingsSession(OnError mode = OnError::Raise) : m_mode(mode) {}

    // A new connection on SettingsFolder()'s database, then a new recordset with a
    // client-side cursor on "coop" (keyset, pessimistic), which stands on the first record.
    void Open();
    // MoveFirst, then field 0 as a 16-bit integer (the store's conversion errors); when the
    // read is skipped, `unread`.
    short ReadFirstSkinIndex(short unread = 0);
    // Field 0 of the current record; Update stores it.
    void WriteSkinIndex(short skin);
    void Update();
    // The recordset, when there is one, closed and released; then the connection closed and
    // released. A step on an object that does not exist raises "Object variable or With
    // block variable not set".
    void Close();

    bool HasRecordset() const { return m_rs != nullptr; }

private:
    void Step(const std::function<void()>& statement) const;
    store::Connection& Connection();
    store::Recordset& Recordset();

    OnError m_mode;
    std::unique_ptr<store::Connection> m_cn;
    std::unique_ptr<store::Recordset> m_rs;
};

}  // namespace app
