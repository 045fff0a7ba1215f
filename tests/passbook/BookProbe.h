#pragma once
// What the book crash tests share: test books whose records all differ, and the probe child
// that opens a book, signals that it is about to work on it, and is then killed once its work
// has reached a chosen record.
#include <windows.h>

#include <memory>
#include <string>

#include "tests/support/ChildProcess.h"

namespace passbook_tests {

// Record i of a test book: every record differs from every other.
std::string TestRecord(long i);
// Records 1 to `records`, then `tail`.
std::string TestBook(long records, const std::string& tail = {});

// True when `found` is what a shift interrupted between two writes leaves: the records of
// `shifted` up to some record, those of `before` from there on.
bool IsPartlyShifted(const std::string& found, const std::string& before, const std::string& shifted);

// Seconds of the high-resolution clock.
double Now();

// Starts the probe on the book (passbook_probe MODE BOOK NUMBER EVENT).
class Probe {
public:
    Probe(const std::wstring& mode, const std::wstring& book, long number);
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    // Waits until the child has the book open and is about to work.
    bool WaitUntilWorking() const;
    void Kill() { m_child->Kill(); }
    // Kills the child as soon as its work has visibly reached `offset` of the book: once the
    // stored bytes there differ from `unchanged`. False when no change came within a minute
    // (the child is killed all the same).
    bool KillOnceChanged(const std::wstring& book, long long offset, const std::string& unchanged);
    DWORD WaitForExit() const { return m_child->WaitForExit(60000); }

private:
    HANDLE m_ready = nullptr;
    std::unique_ptr<testing_support::ChildProcess> m_child;
};

}  // namespace passbook_tests
