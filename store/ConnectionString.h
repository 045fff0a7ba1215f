#pragma once
// Reading a connection string of the form
//   "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=C:\app\tyy1.mdb"
// Keywords are matched without regard to case and blanks around keywords and values are
// ignored; a value may be quoted with " or ' (doubling the quote inside) to hold ';'.
#include <string>

namespace store {

// The one provider this store stands in for.
inline constexpr wchar_t kServedProvider[] = L"Microsoft.Jet.OLEDB.4.0";

struct ConnectionSettings {
    std::wstring provider;
    std::wstring dataSource;
    bool persistSecurityInfo = false;
};

// Raises err::kProviderNotFound for a provider other than kServedProvider (or none), and
// err::kInvalidArgument for a malformed string, an unknown or repeated keyword, a missing
// data source or a "Persist Security Info" that is not True or False.
ConnectionSettings ParseConnectionString(const std::wstring& text);

}  // namespace store
