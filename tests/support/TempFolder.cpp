// The tests' temporary folders.
#include "tests/support/ChildProcess.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace testing_support {

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    // Process ids come back: a folder an earlier process left under the same name is not shared.
    do {
        m_path = std::wstring(base) + L"lumesca-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter);
    } while (!CreateDirectoryW(m_path.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() {
    std::wstring from = m_path;
    from.push_back(L'\0');  // SHFileOperation wants a double-NUL list
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
    // A file still open (a handle that was not closed) or a current folder kept it.
    EXPECT_EQ(GetFileAttributesW(m_path.c_str()), INVALID_FILE_ATTRIBUTES) << "temporary folder left behind";
}

}  // namespace testing_support
