#include "shell/program.h"

#include "output/examine_rom.h"
#include "shell/about_window.h"
#include "shell/preferences.h"
#include "platform/program_folder.h"
#include "shell/program_state.h"
#include "shell/status_log.h"
#include "shell/window_system.h"

#include <memory>

namespace bytegleaner::shell {

namespace {

constexpr int MainWindow = 0;
constexpr int ExamineButton = 6;
constexpr int PreferencesButton = 7;
constexpr int AboutButton = 8;
constexpr int QuitButton = 9;

void OpenMainWindow(const WindowSystem& windows) {
  const std::string title = std::string(platform::ProgramName) + " " + std::string(platform::ProgramVersion);
  windows.OpenWindow({MainWindow, 50, 50, 305, 210, WindowStyle::Main, title});
  windows.CreateControl({ControlKind::ListBox, StatusLogControl, 5, 5, 290, 150, ""});
  windows.CreateControl({ControlKind::PushButton, ExamineButton, 5, 160, 85, 20, "Examine ROM"});
  windows.CreateControl({ControlKind::PushButton, PreferencesButton, 95, 160, 85, 20, "Preferences"});
  windows.CreateControl({ControlKind::PushButton, AboutButton, 185, 160, 50, 20, "About"});
  windows.CreateControl({ControlKind::PushButton, QuitButton, 240, 160, 50, 20, "Quit"});
}

}  // namespace

void ExamineChosenRom(ProgramState& state, const WindowSystem& windows) {
  state.ChosenRomPath = windows.ChooseFile(
      {"Choose ROM file", "GG/SMS ROMs (*.gg, *.sms)|*.gg;*.sms|All files (*.*)|*.*", state.LastFolder});
  if (state.ChosenRomPath.empty()) return;
  const reporting::UserInterface ui = DesktopInterface(windows);
  output::ExamineRom(state.ChosenRomPath, state.Table, {state.BreakAtIndirectJump != 0, false}, state.Examination, ui);
  state.LastFolder = platform::FolderOfPath(state.ChosenRomPath);
}

void RunMainLoop(ProgramState& state, const WindowSystem& windows) {
  while (!state.QuitRequested) {
    const WindowEvent event = windows.WaitForEvent();
    if (event.Kind == EventKind::CloseRequest && event.Window == MainWindow) state.QuitRequested = true;
    if (event.Kind != EventKind::Control) continue;
    switch (event.Control) {
      case ExamineButton: ExamineChosenRom(state, windows); break;
      case PreferencesButton: RunPreferencesWindow(state, windows); break;
      case AboutButton: RunAboutWindow(windows); break;
      case QuitButton: state.QuitRequested = true; break;
      default: break;  // the status list reports selections; they do nothing
    }
  }
}

int RunProgram(const WindowSystem& windows, const std::string& programFolder) {
  // The state holds a whole examination; keep it off the stack.
  const auto state = std::make_unique<ProgramState>();
  state->ProgramFolder = programFolder;
  LoadPreferences(*state, windows);
  const opcodes::OpcodeTableStatus table =
      opcodes::LoadOpcodeTableFrom(programFolder + "opcodes.dat", state->Table);
  if (table != opcodes::OpcodeTableStatus::Loaded) {
    ShowError(windows, opcodes::OpcodeTableMessage(table));
    return 0;
  }
  OpenMainWindow(windows);
  RunMainLoop(*state, windows);
  return 0;
}

}  // namespace bytegleaner::shell
