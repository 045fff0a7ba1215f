#pragma once
// Access to the settings database "tyy1.mdb" beside the executable: the connection string,
// and one session of connection and recordset on table "coop" that lives for one read or one
// write. The session's steps are separate calls, because the skin panel and the skin chooser
// run each of them in continue-on-error mode while the main window's start-up does not.
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

class SettingsSession {
public:
    // A new connection, opened on SettingsFolder()'s database.
    void OpenConnection();
    // A new recordset with a client-side cursor, opened on "coop" (keyset, pessimistic); it
    // stands on the first record.
    void OpenRecordset();
    void MoveFirst();
    // Field 0 of the current record as a 16-bit integer (the store's conversion errors).
    short ReadSkinIndex();
    void WriteSkinIndex(short skin);
    void Update();
    // Closing and releasing, each a statement of its own; closing what does not exist raises
    // "Object variable or With block variable not set".
    void CloseRecordset();
    void ReleaseRecordset() { m_rs.reset(); }
    void CloseConnection();
    void ReleaseConnection() { m_cn.reset(); }
    bool HasRecordset() const { return m_rs != nullptr; }

private:
    store::Connection& Connection();
    store::Recordset& Recordset();

    std::unique_ptr<store::Connection> m_cn;
    std::unique_ptr<store::Recordset> m_rs;
};

}  // namespace app
