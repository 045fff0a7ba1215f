#include "controls/CommonDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "runtime/forms/DialogOwner.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
// Room for a long path and, with OFN_ALLOWMULTISELECT, several names after it.
constexpr size_t kFileBufferChars = 32768;
}  // namespace

std::wstring FilterToDoubleNul(const std::wstring& filter) {
    if (filter.empty()) return {};
    std::wstring result = filter;
    for (wchar_t& c : result) {
        if (c == L'|') c = L'\0';
    }
    // An odd count of parts leaves a description without pattern: it stands for itself.
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

void CommonDialog::ShowOpen() { Show(false); }
void CommonDialog::ShowSave() { Show(true); }

void CommonDialog::Show(bool save) {
    const std::wstring filter = FilterToDoubleNul(Filter);
    std::vector<wchar_t> file(kFileBufferChars, L'\0');
    FileName.copy(file.data(), std::min(FileName.size(), kFileBufferChars - 1));

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = Owner ? Owner : GetActiveWindow();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = InitDir.empty() ? nullptr : InitDir.c_str();
    ofn.lpstrTitle = DialogTitle.empty() ? nullptr : DialogTitle.c_str();
    ofn.Flags = Flags | OFN_EXPLORER;

    const BOOL chosen =
        rt::ShowOwnedDialog(ofn.hwndOwner, [&] { return save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn); });
    if (chosen) {
        FileName = file.data();
        return;
    }
    FileName.clear();
    const DWORD failure = CommDlgExtendedError();
    if (failure != 0) {
        rt::Raise(rt::err::kInvalidProcedureCall, {},
                  L"The file dialog failed (common dialog error " + std::to_wstring(failure) + L")");
    }
    if (CancelError) rt::Raise(rt::err::kCancelSelected);
}

}  // namespace ctl
