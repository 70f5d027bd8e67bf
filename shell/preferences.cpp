#include "shell/preferences.h"

#include "output/output_file.h"
#include "platform/file_bytes.h"
#include "text/line_reader.h"
#include "shell/program_state.h"
#include "shell/status_log.h"
#include "shell/window_system.h"

#include <algorithm>

namespace bytegleaner::shell {

namespace {

constexpr int PreferencesWindow = 2;
constexpr int SaveButton = 10;
constexpr int UseButton = 11;
constexpr int CancelButton = 12;

}  // namespace

PreferencesStatus ReadPreferences(std::span<const std::uint8_t> bytes, ProgramState& state) {
  if (bytes.empty() || bytes[0] != PreferencesFormatVersion) return PreferencesStatus::OtherVersion;
  state.BreakAtIndirectJump = bytes.size() > 1 ? bytes[1] : 1;
  text::LineReader reader{bytes.subspan(std::min<std::size_t>(2, bytes.size()))};
  std::string folder = reader.ReadLine();
  // The program never writes a longer folder; a hand-edited one is dropped
  // rather than cut into a folder that does not exist.
  if (folder.size() > LongestPath) return PreferencesStatus::FolderTooLong;
  state.LastFolder = std::move(folder);
  return PreferencesStatus::Taken;
}

void LoadPreferences(ProgramState& state, const WindowSystem& windows) {
  const auto bytes = platform::ReadFileBytes(state.ProgramFolder + std::string(PreferencesFileName));
  if (!bytes) return;
  if (ReadPreferences(*bytes, state) == PreferencesStatus::OtherVersion) {
    ShowError(windows, "Preferences file is from another version.\nIt will be ignored.");
  }
}

void SavePreferences(const ProgramState& state, const WindowSystem& windows) {
  output::OutputFile file;
  if (!file.Create(state.ProgramFolder + std::string(PreferencesFileName))) {
    ShowError(windows, "Can't save preferences file.");
    return;
  }
  file.Text.push_back(static_cast<char>(PreferencesFormatVersion));
  file.Text.push_back(static_cast<char>(state.BreakAtIndirectJump));
  file.Text += state.LastFolder;
  file.Text += "\r\n";
  file.Close();
}

void TakeOptionFromCheckBox(ProgramState& state, const WindowSystem& windows) {
  state.BreakAtIndirectJump = windows.IsCheckBoxTicked(BreakCheckBox) ? 1 : 0;
}

void RunPreferencesWindow(ProgramState& state, const WindowSystem& windows) {
  windows.OpenWindow({PreferencesWindow, 50, 50, 250, 125, WindowStyle::ToolBox, "Preferences"});
  windows.CreateControl({ControlKind::CheckBox, BreakCheckBox, 5, 30, 175, 15, "Break at JP (HL)/JP (IX)/JP (IY)"});
  windows.CreateControl({ControlKind::PushButton, SaveButton, 5, 75, 75, 20, "Save"});
  windows.CreateControl({ControlKind::PushButton, UseButton, 85, 75, 75, 20, "Use"});
  windows.CreateControl({ControlKind::PushButton, CancelButton, 165, 75, 75, 20, "Cancel"});
  windows.SetCheckBox(BreakCheckBox, state.BreakAtIndirectJump != 0);

  for (bool done = false; !done;) {
    const WindowEvent event = windows.WaitForEvent();
    if (event.Kind != EventKind::Control || event.Window != PreferencesWindow) continue;
    switch (event.Control) {
      case SaveButton:
        TakeOptionFromCheckBox(state, windows);
        SavePreferences(state, windows);
        done = true;
        break;
      case UseButton:
        TakeOptionFromCheckBox(state, windows);
        done = true;
        break;
      case CancelButton:
        done = true;
        break;
      default:
        break;  // the check box toggles itself
    }
  }
  windows.CloseWindow(PreferencesWindow);
  windows.MakeCurrent(0);
}

}  // namespace bytegleaner::shell
