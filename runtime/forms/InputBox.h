#pragma once
// The input box: a modal dialog with the system's look showing a prompt, an edit field
// holding the default text, and OK and Cancel. Returns the text on OK and "" on Cancel (or
// the close box, or Esc). The title is the application name unless one is given. A box that
// goes with its owner raises HandlerAbandoned (see DialogOwner.h).
#include <string>

namespace rt {

std::wstring InputBox(const std::wstring& prompt, const std::wstring& title = {},
                      const std::wstring& defaultText = {});

// The ids of the dialog's controls, for tests that drive it.
constexpr int kInputBoxEditId = 1000;
constexpr int kInputBoxPromptId = 1001;

}  // namespace rt
