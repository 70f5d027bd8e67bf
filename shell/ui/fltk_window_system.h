#pragma once

#include "shell/window_system.h"

namespace bytegleaner::ui {

// The window model bound to FLTK on X11. FLTK is process-wide, and so is
// the TAB handling this installs; make one per program.
shell::WindowSystem MakeFltkWindowSystem();

}  // namespace bytegleaner::ui
