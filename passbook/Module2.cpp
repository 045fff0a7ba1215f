#include "passbook/Module2.h"

#include <windows.h>

#include <algorithm>

#include "runtime/forms/InputBox.h"
#include "runtime/forms/MsgBox.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace Module2 {

namespace {

constexpr long kBadFileNameNumber = 64;
constexpr long kDeviceUnavailable = 68;
constexpr wchar_t kErrorTitle[] = L"File Error";
constexpr wchar_t kBookTitle[] = L"打开密码本";

// The failed step's error number as the report takes it: a number beyond 16 bits is no
// listed error.
short ReportableNumber(long number) {
    return number >= 1 && number <= 32767 ? static_cast<short>(number) : static_cast<short>(0);
}

// The questions asked before touching a file; false when the user cancelled.
bool ConfirmedForMode(const std::wstring& fileName, short mode) {
    const bool exists = rt::FileExists(fileName);
    if (mode == kModeOutput && exists) {
        return rt::MsgBox(L"Replace contents of " + fileName + L"?", MB_OKCANCEL | MB_ICONEXCLAMATION,
                          L"Replace File?") != IDCANCEL;
    }
    if (!exists) {
        return rt::MsgBox(L"The file " + fileName + L" does not exist. Do you want to create it?", MB_OKCANCEL,
                          L"Create File?") != IDCANCEL;
    }
    return true;
}

bool IsBlank(wchar_t c) { return c == L' '; }

}  // namespace

bool RunFileStep(const std::function<void()>& step) {
    for (;;) {
        try {
            step();
            return true;
        } catch (const rt::RuntimeError& e) {
            if (ReportFileError(ReportableNumber(e.Number())) != kRetry) return false;
        }
    }
}

bool IsIllegalFileName(const std::wstring& name) {
    return std::any_of(name.begin(), name.end(), [](wchar_t c) {
        return (c >= L';' && c <= L'?') || c == L'[' || c == L'*' || c == L' ' || c == L']';
    });
}

std::optional<std::wstring> FileErrorText(long errorNumber) {
    switch (errorNumber) {
    case 52:
    case kBadFileNameNumber:
        return L"That filename is illegal.";
    case 54:
        return L"Can't open your file for that type of access.";
    case 55:
        return L"That file is already open.";
    case 57:
        return L"The disk is full.";
    case 62:
        return L"This file has a nonstandard end-of-file marker,or an attempt was made to read beyond the "
               L"end-of-file marker.";
    case kDeviceUnavailable:
        return L"That device appears to be unavailable.";
    case 71:
        return L"The disk is not ready.";
    case 76:
        return L"That path doesn't exist.";
    default:
        return std::nullopt;
    }
}

short ReportFileError(short ErrorNumber) {
    const auto text = FileErrorText(ErrorNumber);
    if (!text) return kNotListed;
    const UINT buttons = ErrorNumber == kDeviceUnavailable ? MB_RETRYCANCEL : MB_OK;
    switch (rt::MsgBox(*text, buttons | MB_ICONEXCLAMATION, kErrorTitle)) {
    case IDRETRY:
        return kRetry;
    case IDIGNORE:
        return kIgnore;
    case IDOK:
    case IDCANCEL:
    case IDABORT:
        return kGiveUp;
    default:
        return kNotListed;
    }
}

short OpenDataFile(const std::wstring& FileName, short Mode, short RecordLength, short Confirm) {
    const bool named = RunFileStep([&] {
        if (IsIllegalFileName(FileName)) rt::Raise(kBadFileNameNumber);
    });
    if (!named) return 0;
    if (Confirm && !ConfirmedForMode(FileName, Mode)) return 0;
    int number = 0;
    if (!RunFileStep([&] { number = rt::FreeFile(); })) return 0;
    if (Mode < kModeOutput || Mode > kModeBinary) return 0;
    const bool opened = RunFileStep([&] {
        rt::Open(FileName, static_cast<rt::OpenMode>(Mode), number, Mode == kModeRandom ? RecordLength : rt::kDefaultRecordLength);
    });
    return opened ? static_cast<short>(number) : static_cast<short>(0);
}

std::wstring AskBookName(const std::wstring& Prompt) {
    std::wstring name = rt::InputBox(Prompt, kBookTitle);
    if (!name.empty()) CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    while (!name.empty() && IsBlank(name.back())) name.pop_back();
    const auto first = std::find_if_not(name.begin(), name.end(), IsBlank);
    return std::wstring(first, name.end());
}

}  // namespace Module2
