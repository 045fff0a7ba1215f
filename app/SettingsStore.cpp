#include "app/SettingsStore.h"

#include <cstdint>

#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"
#include "store/SettingsDatabase.h"
#include "store/Variant.h"

namespace app {

namespace {

std::wstring& FolderOverride() {
    static std::wstring folder;
    return folder;
}
}  // namespace

std::wstring SettingsConnectionString(const std::wstring& folder) {
    std::wstring text = L"Provider=Microsoft.Jet.OLEDB.4.0;";
    text += L"Persist Security Info=False;";
    text += L"Data Source=";
    text += folder;
    if (folder.empty() || folder.back() != L'\\') text += L'\\';
    text += store::kSettingsFileName;
    return text;
}

std::wstring SettingsFolder() {
    return FolderOverride().empty() ? rt::AppPath() : FolderOverride();
}

void OverrideSettingsFolder(std::wstring folder) { FolderOverride() = std::move(folder); }

void SettingsSession::Step(const std::function<void()>& statement) const {
    if (m_mode == OnError::Continue) rt::TryStatement(statement);
    else statement();
}

void SettingsSession::Open() {
    Step([this] {
        m_cn = std::make_unique<store::Connection>();
        m_cn->Open(SettingsConnectionString(SettingsFolder()), L"", L"", store::kConnectUnspecified);
    });
    Step([this] {
        m_rs = std::make_unique<store::Recordset>();
        m_rs->CursorLocation(store::kUseClient);
        m_rs->Open(store::kSettingsTable, Connection(), store::kOpenKeyset, store::kLockPessimistic,
                   store::kCmdUnspecified);
    });
}

short SettingsSession::ReadFirstSkinIndex(short unread) {
    short skin = unread;
    Step([this] { Recordset().MoveFirst(); });
    Step([&] { skin = store::CInt(Recordset().Fields(0).Value()); });
    return skin;
}

void SettingsSession::WriteSkinIndex(short skin) {
    Step([&] { Recordset().Fields(0).Value(store::Variant(static_cast<std::int16_t>(skin))); });
}

void SettingsSession::Update() {
    Step([this] { Recordset().Update(); });
}

void SettingsSession::Close() {
    if (m_rs) {
        Step([this] { m_rs->Close(); });
        m_rs.reset();
    }
    Step([this] { Connection().Close(); });
    m_cn.reset();
}

store::Connection& SettingsSession::Connection() {
    if (!m_cn) rt::Raise(rt::err::kObjectNotSet);
    return *m_cn;
}

store::Recordset& SettingsSession::Recordset() {
    if (!m_rs) rt::Raise(rt::err::kObjectNotSet);
    return *m_rs;
}

}  // namespace app
