#pragma once
// Module2: the password book's file layer. Opens a file by mode after a name check and two
// questions, asks for a book name, and reports a failed file operation with a message that
// may offer a retry.
#include <functional>
#include <optional>
#include <string>

namespace Module2 {

// The modes OpenDataFile takes (the runtime's open modes).
constexpr short kModeOutput = 1;
constexpr short kModeInput = 2;
constexpr short kModeAppend = 3;
constexpr short kModeRandom = 4;
constexpr short kModeBinary = 5;

// What ReportFileError returns.
constexpr short kRetry = 0;
constexpr short kIgnore = 1;
constexpr short kGiveUp = 2;
constexpr short kNotListed = 3;

// Opens FileName under a new file number in Mode (records of RecordLength bytes in mode 4).
// With Confirm nonzero it asks before emptying an existing file (mode 1) and before creating
// a missing one. Returns the file number, or 0 when nothing was opened: a question was
// cancelled, or a step failed and the error's report did not ask for a retry.
short OpenDataFile(const std::wstring& FileName, short Mode, short RecordLength, short Confirm);

// Asks for a book's name; the answer upper-cased and without blanks around it ("" when the
// user cancelled or typed nothing).
std::wstring AskBookName(const std::wstring& Prompt);

// Shows the message of a failed file operation; returns kRetry, kIgnore, kGiveUp (OK, Cancel
// or Abort), or kNotListed at once, without a message, for an error the table lacks.
short ReportFileError(short ErrorNumber);

// Runs one step of a file operation. A failure is reported with ReportFileError and, when
// the answer is a retry, the step runs again from its start. False when it failed for good.
bool RunFileStep(const std::function<void()>& step);

// The name check: a semicolon, <, =, >, ?, [, *, a space or a ] anywhere makes a name
// illegal.
bool IsIllegalFileName(const std::wstring& name);

// The message of a file error number, or nothing for an error the table lacks.
std::optional<std::wstring> FileErrorText(long errorNumber);

}  // namespace Module2
