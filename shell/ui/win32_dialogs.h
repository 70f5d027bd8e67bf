#pragma once

#include "shell/window_system.h"

#include <string>
#include <string_view>

namespace bytegleaner::ui {

// The system's open-file requester, owned by the foreground window: the
// chosen file's full path, or empty when cancelled or failed.
std::string RunOpenFileRequester(const shell::FileRequest& request);

// A modal box with one OK button and no icon, owned by the foreground window.
void ShowMessageBox(std::string_view title, std::string_view text);

}  // namespace bytegleaner::ui
