#pragma once

#include "reporting/user_interface.h"

#include <string_view>

namespace bytegleaner::shell {

struct WindowSystem;

inline constexpr int StatusLogControl = 5;

// Appends a line to the main window's status list, then lets the window
// system handle waiting messages up to the first one that raises an event,
// which is discarded: during an examination nothing the user does starts
// an action, yet the window repaints.
void AddStatusLine(const WindowSystem& windows, std::string_view text);
void ClearStatusLog(const WindowSystem& windows);
void ShowError(const WindowSystem& windows, std::string_view text);

// The examination's view of the desktop window.
reporting::UserInterface DesktopInterface(const WindowSystem& windows);

}  // namespace bytegleaner::shell
