#pragma once
// Helpers for the settings store tests: files of raw bytes, catching a run-time error, and a
// sample database with several tables, fields of every type and several records.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/RuntimeError.h"
#include "store/Connection.h"
#include "store/Recordset.h"
#include "store/Database.h"
#include "store/DatabaseFormat.h"

namespace store_test {

inline void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

inline std::vector<std::uint8_t> ReadBytes(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    std::uint8_t buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    CloseHandle(file);
    return bytes;
}

inline bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Names of the files in folder (no "." and "..").
inline std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

// The run-time error statement raises; a test failure (and error 0) when it raises none.
inline rt::RuntimeError ErrorOf(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const rt::RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "no run-time error was raised";
    return rt::RuntimeError(0, L"", L"(no error)");
}

inline bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The connection string the program itself opens a database file with.
inline std::wstring ConnectionStringFor(const std::wstring& path) {
    return L"Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=" + path;
}

// Opens path's "coop" for update as the program does, assigns skin to field 0 and returns the
// error Update raises; both objects are closed after.
inline rt::RuntimeError UpdateErrorOf(const std::wstring& path, std::int16_t skin) {
    store::Connection cn;
    store::Recordset rs;
    cn.Open(ConnectionStringFor(path));
    rs.CursorLocation(store::kUseClient);
    rs.Open(L"coop", cn, store::kOpenKeyset, store::kLockPessimistic);
    rs.Fields(0).Value(store::Variant(skin));
    const auto e = ErrorOf([&] { rs.Update(); });
    rs.Close();
    cn.Close();
    return e;
}

// "coop" with a 16-bit skin number and three further fields, three records (Null, Chinese
// text, negative numbers among them), and a second table after it.
inline store::Database SampleDatabase() {
    using store::FieldType;
    using store::Variant;
    store::Table coop;
    coop.name = L"coop";
    coop.fields = {{L"SkinIndex", FieldType::Integer16},
                   {L"Owner", FieldType::Text},
                   {L"Runs", FieldType::Integer32},
                   {L"Note", FieldType::Text}};
    coop.records = {
        {Variant(std::int16_t{4}), Variant(L"宋体 user"), Variant(std::int32_t{123456}), Variant::Null()},
        {Variant(std::int16_t{-2}), Variant(L""), Variant(std::int32_t{-7}), Variant(L"second")},
        {Variant::Null(), Variant::Null(), Variant::Null(), Variant(L"第三")},
    };
    store::Table other;
    other.name = L"History";
    other.fields = {{L"When", FieldType::Integer32}, {L"What", FieldType::Text}};
    other.records = {{Variant(std::int32_t{20261207}), Variant(L"installed")}};
    store::Database database;
    database.tables = {coop, other};
    return database;
}

}  // namespace store_test
