#include "shell/status_log.h"

#include "shell/window_system.h"

namespace bytegleaner::shell {

namespace {
constexpr int FirstMainButton = 6;
constexpr int LastMainButton = 9;
}  // namespace

void AddStatusLine(const WindowSystem& windows, std::string_view text) {
  windows.AppendListLine(StatusLogControl, text);
  while (const auto event = windows.HandleWaitingMessage()) {
    if (event->Kind != EventKind::None) return;
  }
}

void ClearStatusLog(const WindowSystem& windows) { windows.ClearList(StatusLogControl); }

void ShowError(const WindowSystem& windows, std::string_view text) { windows.ShowMessage("Error", text); }

reporting::UserInterface DesktopInterface(const WindowSystem& windows) {
  reporting::UserInterface ui;
  ui.AddStatusLine = [&windows](std::string_view text) { AddStatusLine(windows, text); };
  ui.ClearStatusLog = [&windows] { ClearStatusLog(windows); };
  ui.ShowError = [&windows](std::string_view text) { ShowError(windows, text); };
  ui.EnableButtons = [&windows](bool enabled) {
    for (int button = FirstMainButton; button <= LastMainButton; ++button) windows.EnableControl(button, enabled);
  };
  return ui;
}

}  // namespace bytegleaner::shell
