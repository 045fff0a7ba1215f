#include "runtime/core/RuntimeError.h"

#include <windows.h>

#include <cstdio>
#include <map>

#include "runtime/core/Text.h"

namespace rt {

RuntimeError::RuntimeError(long number, std::wstring source, std::wstring description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)) {
    if (m_description.empty()) m_description = StandardDescription(m_number);
    m_what = "Run-time error " + std::to_string(m_number) + ": " + Utf8FromWide(m_description);
}

OutOfMemoryError::OutOfMemoryError() : RuntimeError(err::kOutOfMemory, AppName(), {}) {}

namespace {

// Building the error allocates a little itself; when even that fails, the plain bad_alloc
// goes out instead of recursing, and the handlers still count it as error 7.
void RaiseOutOfMemory() {
    static thread_local bool raising = false;
    if (raising) throw std::bad_alloc();
    raising = true;
    struct Done {
        ~Done() { raising = false; }
    } done;
    throw OutOfMemoryError();
}

// Installed while the program starts, before any window or picture exists; this file is
// linked into every program that raises run-time errors.
[[maybe_unused]] const std::new_handler g_previousNewHandler = std::set_new_handler(RaiseOutOfMemory);

}  // namespace

std::wstring AppName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    const auto slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

std::wstring StandardDescription(long number) {
    static const std::map<long, const wchar_t*> texts = {
        {3, L"Return without GoSub"},
        {5, L"Invalid procedure call or argument"},
        {6, L"Overflow"},
        {7, L"Out of memory"},
        {9, L"Subscript out of range"},
        {11, L"Division by zero"},
        {13, L"Type mismatch"},
        {52, L"Bad file name or number"},
        {53, L"File not found"},
        {54, L"Bad file mode"},
        {55, L"File already open"},
        {57, L"Device I/O error"},
        {58, L"File already exists"},
        {61, L"Disk full"},
        {62, L"Input past end of file"},
        {63, L"Bad record number"},
        {67, L"Too many files"},
        {68, L"Device unavailable"},
        {70, L"Permission denied"},
        {71, L"Disk not ready"},
        {75, L"Path/File access error"},
        {76, L"Path not found"},
        {91, L"Object variable or With block variable not set"},
        {94, L"Invalid use of Null"},
        {340, L"Control array element doesn't exist"},
        {380, L"Invalid property value"},
        {481, L"Invalid picture"},
        {32755, L"Cancel was selected."},
    };
    const auto it = texts.find(number);
    return it != texts.end() ? it->second : L"Application-defined or object-defined error";
}

void Raise(long number, std::wstring source, std::wstring description) {
    if (source.empty()) source = AppName();
    throw RuntimeError(number, std::move(source), std::move(description));
}

std::wstring ReportText(const RuntimeError& e) {
    wchar_t number[48];
    if (e.Number() < 0) {
        swprintf(number, 48, L"%ld (%08lx)", e.Number(), static_cast<unsigned long>(e.Number()));
    } else {
        swprintf(number, 48, L"%ld", e.Number());
    }
    return L"Run-time error '" + std::wstring(number) + L"':\n\n" + e.Description();
}

namespace {

void WriteToStdErr(const std::wstring& text) {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
    const std::string bytes = Utf8FromWide(text) + "\n";
    DWORD written = 0;
    WriteFile(err, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void ReportFatal(const RuntimeError& e) {
    // A box pumps messages; a second error raised meanwhile ends the process without a
    // second box.
    static bool reporting = false;
    if (!reporting) {
        reporting = true;
        const std::wstring text = ReportText(e);
        WriteToStdErr(AppName() + L": " + text);
        MessageBoxW(nullptr, text.c_str(), AppName().c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
    ExitProcess(1);
}

void ReportCurrentException() {
    try {
        throw;
    } catch (const HandlerAbandoned&) {
        ExitProcess(0);
    } catch (const RuntimeError& e) {
        ReportFatal(e);
    } catch (const std::bad_alloc&) {
        ReportFatal(RuntimeError(7, AppName(), {}));
    } catch (const std::exception& e) {
        ReportFatal(RuntimeError(51, AppName(), L"Internal error: " + WideFromUtf8(e.what())));
    } catch (...) {
        ReportFatal(RuntimeError(51, AppName(), L"Internal error"));
    }
}

long TryStatement(const std::function<void()>& statement) {
    try {
        statement();
        return 0;
    } catch (const RuntimeError& e) {
        return e.Number();
    } catch (const std::bad_alloc&) {
        return err::kOutOfMemory;
    }
}

long ContinueOnError(std::initializer_list<std::function<void()>> statements) {
    long last = 0;
    for (const auto& statement : statements) {
        if (const long number = TryStatement(statement)) last = number;
    }
    return last;
}

}  // namespace rt
