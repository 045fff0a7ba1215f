#pragma once
// The settings store's run-time errors. Numbers and wording follow the data-access errors a
// program of this kind has always shown (3000s, distinct from the language's own errors), so
// the standard report names the problem: which file, which table, what is wrong with it.
#include <string>

namespace store {

namespace err {
constexpr long kInvalidArgument = 3001;    // bad connection string, mode or option value
constexpr long kNoCurrentRecord = 3021;    // empty table, or no record under the cursor
constexpr long kFileNotFound = 3024;       // the database file does not exist
constexpr long kReadOnly = 3027;           // the database file is marked read-only
constexpr long kBadAccount = 3029;         // a user name or password was given
constexpr long kDiskError = 3040;          // writing the new file failed
constexpr long kWrongVersion = 3041;       // our format, but a version we do not read
constexpr long kFileInUse = 3045;          // already open for update (locked)
constexpr long kDamaged = 3049;            // our format, but empty, truncated or inconsistent
constexpr long kCannotOpenFile = 3051;     // exists but cannot be opened (access, folder, ...)
constexpr long kTableNotFound = 3078;      // no table of that name
constexpr long kTextTooLong = 3163;        // text longer than a text field holds
constexpr long kItemNotFound = 3265;       // field index out of range
constexpr long kUnrecognizedFormat = 3343; // not a database of ours (wrong magic, foreign file)
constexpr long kNumericOverflow = 3349;    // integer too large for the field
constexpr long kWrongType = 3421;          // value of the wrong type for the field
constexpr long kObjectClosed = 3704;       // operation on a closed connection or recordset
constexpr long kObjectOpen = 3705;         // Open on an object that is already open
constexpr long kProviderNotFound = 3706;   // a provider we do not serve
constexpr long kConnectionClosed = 3709;   // recordset opened on a closed connection
}  // namespace err

// Error sources, named after the object that raised.
inline constexpr wchar_t kConnectionSource[] = L"Store.Connection";
inline constexpr wchar_t kRecordsetSource[] = L"Store.Recordset";
inline constexpr wchar_t kFieldSource[] = L"Store.Field";
inline constexpr wchar_t kDatabaseSource[] = L"Store.Database";

// The standard text of one of the errors above. Texts that name something (a file, a table)
// take it from subject; detail, when given, follows as a sentence (or more) of its own.
std::wstring StoreErrorText(long number, const std::wstring& subject = {}, const std::wstring& detail = {});

// Raises one of the errors above with StoreErrorText.
[[noreturn]] void RaiseStoreError(long number, const wchar_t* source, const std::wstring& subject = {},
                                  const std::wstring& detail = {});

}  // namespace store
