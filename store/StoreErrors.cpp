#include "store/StoreErrors.h"

#include <map>

#include "runtime/core/RuntimeError.h"

namespace store {

namespace {

// "%s" stands for the subject.
const wchar_t* Template(long number) {
    static const std::map<long, const wchar_t*> texts = {
        {err::kInvalidArgument,
         L"Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another."},
        {err::kNoCurrentRecord,
         L"Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
         L"current record."},
        {err::kFileNotFound, L"Could not find file '%s'."},
        {err::kReadOnly, L"Cannot update '%s'. Database or object is read-only."},
        {err::kBadAccount, L"Not a valid account name or password."},
        {err::kDiskError, L"Disk or network error while saving '%s'."},
        {err::kWrongVersion, L"Cannot open database '%s'. It was written in another version of the settings format."},
        {err::kFileInUse, L"Could not use '%s'; file already in use."},
        {err::kDamaged, L"Cannot open database '%s'. The file is damaged or truncated."},
        {err::kCannotOpenFile, L"Cannot open the file '%s'."},
        {err::kTableNotFound,
         L"Cannot find the input table '%s'. Make sure it exists and that its name is spelled correctly."},
        {err::kTextTooLong, L"The field is too small to accept the amount of data you attempted to add."},
        {err::kItemNotFound, L"Item cannot be found in the collection corresponding to the requested name or ordinal."},
        {err::kUnrecognizedFormat, L"Unrecognized database format '%s'."},
        {err::kNumericOverflow, L"Numeric field overflow."},
        {err::kWrongType, L"Application uses a value of the wrong type for the current operation."},
        {err::kObjectClosed, L"Operation is not allowed when the object is closed."},
        {err::kObjectOpen, L"Operation is not allowed when the object is open."},
        {err::kProviderNotFound, L"Provider cannot be found. It may not be properly installed."},
        {err::kConnectionClosed,
         L"The connection cannot be used to perform this operation. It is either closed or invalid in this context."},
    };
    const auto it = texts.find(number);
    return it != texts.end() ? it->second : L"Unexpected settings store error.";
}

}  // namespace

std::wstring StoreErrorText(long number, const std::wstring& subject, const std::wstring& detail) {
    std::wstring text = Template(number);
    const auto mark = text.find(L"%s");
    if (mark != std::wstring::npos) text.replace(mark, 2, subject);
    if (!detail.empty()) text += L" " + detail;
    return text;
}

void RaiseStoreError(long number, const wchar_t* source, const std::wstring& subject, const std::wstring& detail) {
    rt::Raise(number, source, StoreErrorText(number, subject, detail));
}

}  // namespace store
