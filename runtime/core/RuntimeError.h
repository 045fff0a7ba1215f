#pragma once
// The program's run-time errors: a number, a source and a description, thrown as a C++
// exception by our layer and caught where the program's behaviour says so. An error nobody
// catches ends the program with the standard report (see ReportFatal).
#include <exception>
#include <functional>
#include <new>
#include <initializer_list>
#include <string>
#include <utility>

#include "runtime/core/HandlerAbandoned.h"

namespace rt {

// Automation object errors carry this bit pattern Or their own code.
constexpr long kObjectError = static_cast<long>(0x80040000);

class RuntimeError : public std::exception {
public:
    RuntimeError(long number, std::wstring source, std::wstring description);

    long Number() const { return m_number; }
    const std::wstring& Source() const { return m_source; }
    const std::wstring& Description() const { return m_description; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    long m_number;
    std::wstring m_source;
    std::wstring m_description;
    std::string m_what;
};

// Error 7, "Out of memory", the one type the program throws for it: every failed allocation
// of the program raises it (the process's new-handler throws it). It is a std::bad_alloc, as a
// new-handler's exception must be, so a handler of failed allocations sees it, and through it
// a std::exception; it is no RuntimeError (a second std::exception base would hide it from
// both). The runtime's handlers (TryStatement, GuardCallback, ReportCurrentException) report
// every std::bad_alloc as run-time error 7. The library's no-throw allocations still give a
// null pointer.
class OutOfMemoryError : public std::bad_alloc {
public:
    // Allocates nothing: it is thrown when nothing more can be had.
    const char* what() const noexcept override;
};

// The executable's file name without folder and extension ("lumesca").
std::wstring AppName();

// Standard errors of the runtime, with the runtime's own descriptions.
namespace err {
constexpr long kOverflow = 6;
constexpr long kSubscriptOutOfRange = 9;
constexpr long kTypeMismatch = 13;
constexpr long kBadFileName = 52;
constexpr long kFileNotFound = 53;
constexpr long kBadFileMode = 54;
constexpr long kFileAlreadyOpen = 55;
constexpr long kDiskFull = 61;
constexpr long kInputPastEnd = 62;
constexpr long kBadRecordNumber = 63;
constexpr long kPermissionDenied = 70;
constexpr long kPathFileAccess = 75;
constexpr long kPathNotFound = 76;
constexpr long kInvalidProcedureCall = 5;
constexpr long kOutOfMemory = 7;
constexpr long kDeviceUnavailable = 68;
constexpr long kObjectNotSet = 91;                  // Object variable or With block variable not set
constexpr long kResourceNotFound = 326;
constexpr long kNoSuchControlArrayElement = 340;    // Control array element doesn't exist
constexpr long kObjectAlreadyLoaded = 360;
constexpr long kObjectUnloaded = 364;
constexpr long kInvalidPropertyValue = 380;
constexpr long kInvalidPropertyArrayIndex = 381;
constexpr long kReadOnlyProperty = 383;             // 'Text' property is read-only
constexpr long kAlreadyShownModal = 400;            // Form already displayed; can't show modally
constexpr long kUnsupportedProperty = 438;          // Object doesn't support this property or method
constexpr long kInvalidPicture = 481;
constexpr long kCancelSelected = 32755;
}  // namespace err

// The runtime's description of a standard error number, in Simplified Chinese ("类型不匹配"
// for 13, type mismatch).
std::wstring StandardDescription(long number);

// Throws a run-time error. With an empty source the application name is used.
[[noreturn]] void Raise(long number, std::wstring source = {}, std::wstring description = {});

// The text of the standard report, "实时错误 'N':\n\n<description>"; object errors
// show their number in decimal and in hexadecimal as the runtime does.
std::wstring ReportText(const RuntimeError& e);

// Shows the standard report (a message box titled with the application name) and ends the
// process with a non-zero exit code.
[[noreturn]] void ReportFatal(const RuntimeError& e);

// Turns the exception in flight into a RuntimeError and reports it fatally. Call only from
// a catch block at a callback boundary. An abandoned handler that got this far ends the
// process quietly: the program was ending.
[[noreturn]] void ReportCurrentException();

// Runs body and never lets an exception leave: for window procedures, hook procedures,
// timer callbacks and dialog procedures. An escaping error ends the program with the report;
// an abandoned handler just ends (the callback answers with a value-initialised result).
template <class F>
auto GuardCallback(F&& body) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (const HandlerAbandoned&) {
        return decltype(body())();
    } catch (...) {
        ReportCurrentException();
    }
}

// Continue-on-error mode: runs the statements in order and skips one that raises a run-time
// error (a std::bad_alloc counts as error 7). Returns the number of the last error skipped,
// 0 when none was.
long ContinueOnError(std::initializer_list<std::function<void()>> statements);

// Runs one statement in continue-on-error mode; returns its error number or 0.
long TryStatement(const std::function<void()>& statement);

}  // namespace rt
