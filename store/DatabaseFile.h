#pragma once
// A settings database on disk: read and decoded whole, encoded and replaced atomically.
#include <string>

#include "store/Database.h"

namespace store {

// Raises the store's file errors (not found, cannot open, not a database, wrong version,
// damaged) naming path.
Database ReadDatabaseFile(const std::wstring& path);

// Writes database to path through a temporary file and an atomic rename.
void WriteDatabaseFile(const std::wstring& path, const Database& database);

}  // namespace store
