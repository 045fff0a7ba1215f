#pragma once
// A connection to a settings database file, opened from a connection string. Opening checks
// that the file is there and is a sound database; recordsets opened on the connection read and
// write that file.
#include <string>

namespace store {

// Connection Open's options value meaning "no options".
constexpr long kConnectUnspecified = -1;

class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Raises err::kObjectOpen when already open; the connection-string errors; err::kBadAccount
    // for a user name or password (the file has no accounts); err::kInvalidArgument for options
    // other than kConnectUnspecified; and the file errors of ReadDatabaseFile.
    void Open(const std::wstring& connectionString, const std::wstring& userId = {},
              const std::wstring& password = {}, long options = kConnectUnspecified);
    // Raises err::kObjectClosed when not open.
    void Close();

    bool IsOpen() const { return m_open; }
    // The database file's path; empty while closed.
    const std::wstring& DataSource() const { return m_dataSource; }

private:
    bool m_open = false;
    std::wstring m_dataSource;
};

}  // namespace store
