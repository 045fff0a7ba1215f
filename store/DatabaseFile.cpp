#include "store/DatabaseFile.h"

#include "store/AtomicFile.h"
#include "store/DatabaseFormat.h"

namespace store {

Database ReadDatabaseFile(const std::wstring& path) {
    // Anything longer than the largest valid file is read only far enough to be refused.
    return Decode(ReadWholeFile(path, kHeaderSize + kMaxBodyLength), path);
}

void WriteDatabaseFile(const std::wstring& path, const Database& database) {
    ReplaceFileAtomically(path, Encode(database));
}

}  // namespace store
