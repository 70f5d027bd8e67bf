// The desktop program: the shell's window model on FLTK. The command line
// is ignored; the program finds its own files in its own folder.
#include "shell/program.h"
#include "platform/program_folder.h"
#include "shell/ui/fltk_window_system.h"
#include "shell/window_system.h"

int main() {
  const bytegleaner::shell::WindowSystem windows = bytegleaner::ui::MakeFltkWindowSystem();
  return bytegleaner::shell::RunProgram(windows, bytegleaner::platform::ProgramFolder());
}
