#include "shell/about_window.h"

#include "platform/program_folder.h"
#include "shell/window_system.h"

namespace bytegleaner::shell {

namespace {
constexpr int AboutWindow = 1;
constexpr int OkButton = 0;
}  // namespace

void RunAboutWindow(const WindowSystem& windows) {
  const std::string nameAndVersion = std::string(platform::ProgramName) + " " + std::string(platform::ProgramVersion);
  windows.OpenWindow({AboutWindow, 75, 75, 220, 155, WindowStyle::ToolBox, std::string(platform::ProgramName)});
  windows.CreateControl({ControlKind::PushButton, OkButton, 60, 105, 100, 20, "OK"});
  windows.CreateControl({ControlKind::StaticText, 1, 65, 12, 320, 15, nameAndVersion});
  windows.CreateControl({ControlKind::StaticText, 2, 50, 37, 320, 15, "by the Bytegleaner team"});
  windows.CreateControl({ControlKind::StaticText, 3, 25, 62, 320, 15, "Send comments and suggestions to:"});
  windows.CreateControl({ControlKind::StaticText, 4, 75, 77, 320, 15, "bytegleaner@example.org"});
  for (;;) {
    const WindowEvent event = windows.WaitForEvent();
    if (event.Kind == EventKind::Control && event.Window == AboutWindow && event.Control == OkButton) break;
  }
  windows.CloseWindow(AboutWindow);
  windows.MakeCurrent(0);
}

}  // namespace bytegleaner::shell
