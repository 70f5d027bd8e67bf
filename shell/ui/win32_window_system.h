#pragma once

#include "shell/window_system.h"

namespace bytegleaner::ui {

// The window model bound to Win32: one window class for the program's
// windows, the system's own controls, one message handled per call. Make
// one per program.
shell::WindowSystem MakeWin32WindowSystem();

}  // namespace bytegleaner::ui
