// The desktop program on its own platform. The command line is ignored.
// The program's own files are named from its folder, and that folder is
// also the current one whenever a file is opened, as on the original.
#include "shell/program.h"
#include "platform/program_folder.h"
#include "shell/ui/win32_window_system.h"
#include "shell/window_system.h"

#include <string>

#include <windows.h>

int main() {
  using namespace bytegleaner;
  const std::string folder = platform::ProgramFolder();
  SetCurrentDirectoryA(folder.c_str());
  shell::WindowSystem windows = ui::MakeWin32WindowSystem();
  // The requester is the one thing that moves the current folder.
  windows.ChooseFile = [choose = windows.ChooseFile, folder](const shell::FileRequest& request) {
    std::string path = choose(request);
    SetCurrentDirectoryA(folder.c_str());
    return path;
  };
  return shell::RunProgram(windows, folder);
}
