#include "shell/program.h"
#include "shell/window_system.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>

namespace bytegleaner::testing {
namespace {

using shell::EventKind;
constexpr int Main = 0, About = 1, Prefs = 2, Close = -1;
constexpr int StatusList = 5, ExamineButton = 6, PreferencesButton = 7, AboutButton = 8, QuitButton = 9;
constexpr int AboutOk = 0, Save = 10, Use = 11, Cancel = 12, CheckBox = 13;

// The desktop program run against a window system that replays a script
// and records what the program did as lines of text ("open 1", "disable 6",
// "message Error: ..."), with folders of its own.
struct Desktop {
  TempFolder ProgramFolder, Roms;
  std::string PrefsPath = ProgramFolder.File("Bytegleaner.prefs");
  // The one message queue, as a real window system has: WaitForEvent and
  // HandleWaitingMessage take the next message, which raises its event or
  // none (Kind None); every message is waiting from the start.
  std::deque<shell::WindowEvent> Queue;
  std::vector<std::string> ChosenFiles;  // the requester's answers; "" cancels
  std::vector<std::string> Operations, StatusLines, RequestedPaths;
  std::map<int, bool> CheckBoxes;  // a press on a box once set toggles it

  Desktop() { std::filesystem::copy_file(ShippedTablePath(), ProgramFolder.File("opcodes.dat")); }
  void Run() { shell::RunProgram(Bind(), ProgramFolder.Path + "/"); }
  bool Did(const std::string& operation) const { return std::ranges::count(Operations, operation) > 0; }
  void Send(EventKind kind, int window, int control = Close) { Queue.push_back({kind, window, control}); }
  // Presses of controls as (window, control), or close requests as (window, Close).
  void Press(std::initializer_list<std::pair<int, int>> presses) {
    for (const auto& [window, control] : presses) {
      Send(control == Close ? EventKind::CloseRequest : EventKind::Control, window, control);
    }
  }
  // "Examine ROM" and the requester's answer: a ROM in Roms, made unless
  // it is to be missing, or a cancel where there is no name. The ROM's
  // code goes on after a JP (HL) to a call.
  void Examine(const std::string& name, bool missing = false) {
    Press({{Main, ExamineButton}});
    ChosenFiles.push_back(name.empty() ? "" : Roms.File(name));
    std::vector<std::uint8_t> rom = {0xE9, 0xCD, 0x10, 0x00};
    rom.resize(0x100, 0xC9);
    if (!missing && !name.empty()) WriteFile(Roms.File(name), rom);
  }

  shell::WindowEvent Take() {
    const shell::WindowEvent event = Queue.at(0);  // throws where the script has run out
    Queue.pop_front();
    if (event.Kind == EventKind::Control && CheckBoxes.contains(event.Control)) CheckBoxes[event.Control] ^= true;
    return event;
  }
  void Record(const std::string& what, int number) { Operations.push_back(what + " " + std::to_string(number)); }
  shell::WindowSystem Bind() {
    shell::WindowSystem windows;
    windows.OpenWindow = [this](const shell::WindowLayout& layout) { Record("open", layout.Number); };
    windows.CreateControl = [](const shell::ControlLayout&) {};
    windows.WaitForEvent = [this] { return Take(); };
    windows.HandleWaitingMessage = [this] { return Queue.empty() ? std::nullopt : std::optional(Take()); };
    windows.CloseWindow = [this](int window) { Record("close", window); };
    windows.MakeCurrent = [this](int window) { Record("current", window); };
    windows.EnableControl = [this](int control, bool enabled) { Record(enabled ? "enable" : "disable", control); };
    windows.SetCheckBox = [this](int box, bool on) { CheckBoxes[box] = on; Record(on ? "tick" : "untick", box); };
    windows.IsCheckBoxTicked = [this](int control) { return CheckBoxes[control]; };
    windows.AppendListLine = [this](int, std::string_view line) { StatusLines.emplace_back(line); };
    windows.ClearList = [this](int) { StatusLines.clear(); };
    windows.ChooseFile = [this](const shell::FileRequest& request) {
      RequestedPaths.push_back(request.DefaultPath);
      return ChosenFiles.at(RequestedPaths.size() - 1);
    };
    windows.ShowMessage = [this](std::string_view title, std::string_view text) {
      Operations.push_back("message " + std::string(title) + ": " + std::string(text));
    };
    return windows;
  }
};

TEST(DesktopProgram, TableFailureShowsItsMessageBeforeAnyWindow) {
  for (const auto& [table, message] : {std::pair<std::string, std::string>{"", "Can't load Opcodes.dat."},
                                       {"00      nop\r\n", "There are not enough instructions in Opcodes.dat."}}) {
    Desktop desktop;
    std::filesystem::remove(desktop.ProgramFolder.File("opcodes.dat"));
    if (!table.empty()) WriteFile(desktop.ProgramFolder.File("opcodes.dat"), table);
    desktop.Run();
    EXPECT_EQ(desktop.Operations, std::vector<std::string>{"message Error: " + message});
  }
}

// About and Preferences drop every event but their own buttons' until they
// close; the main window ends only on "Quit" or its close box, unsaved.
TEST(DesktopProgram, OtherWindowsDropEverythingThatIsNotTheirs) {
  Desktop desktop;
  desktop.Press({{Main, AboutButton}, {About, Close}, {Main, Close}, {Main, QuitButton}, {About, AboutOk},
                 {Main, PreferencesButton}, {Prefs, Close}, {Main, Close}, {Main, ExamineButton}, {Prefs, CheckBox},
                 {Prefs, Cancel}, {Main, StatusList}});
  desktop.Send(EventKind::Other, Main);
  desktop.Press({{Main, Close}});
  desktop.Run();
  EXPECT_TRUE(desktop.Queue.empty());
  EXPECT_TRUE(desktop.RequestedPaths.empty());
  EXPECT_FALSE(std::filesystem::exists(desktop.PrefsPath));
  EXPECT_EQ(*(std::ranges::find(desktop.Operations, "close 1") + 1), "current 0");
}

// Each status line handles the waiting messages up to the first that
// raises an event, and drops that event: no close request, button press or
// repaint during the examination reaches the program's loops.
TEST(DesktopProgram, ExaminingLearnsTheFolderAndLosesWhatTheUserDoesMeanwhile) {
  constexpr std::size_t StatusLines = 9;
  Desktop desktop;
  WriteFile(desktop.PrefsPath, std::string("\x01\x00\r\n", 4));
  desktop.Examine("");
  desktop.Examine("missing.sms", true);
  desktop.Examine("game.sms");
  for (std::size_t line = 0; line < StatusLines; ++line) {
    for (std::size_t none = 0; none < line % 3; ++none) desktop.Send(EventKind::None, Main);
    const EventKind kinds[] = {EventKind::CloseRequest, EventKind::Control, EventKind::Other};
    desktop.Send(kinds[line % 3], Main, QuitButton);
  }
  desktop.Press({{Main, AboutButton}, {About, AboutOk}, {Main, PreferencesButton}, {Prefs, Save}, {Main, QuitButton}});
  desktop.Run();
  EXPECT_TRUE(desktop.Queue.empty());
  EXPECT_TRUE(desktop.Did("open 1"));
  EXPECT_EQ(desktop.StatusLines.size(), StatusLines);
  EXPECT_EQ(desktop.StatusLines.front(), "Filename: " + desktop.Roms.File("game.sms"));
  EXPECT_EQ(desktop.StatusLines.at(7), "Found 4 labels.");  // not 3: tracing went on after JP (HL)
  EXPECT_EQ(desktop.RequestedPaths, (std::vector<std::string>{"", "", desktop.Roms.Path + "/"}));
  EXPECT_TRUE(desktop.Did("message Error: Can't load ROM file."));
  EXPECT_EQ(ReadText(desktop.PrefsPath), std::string("\x01\x00", 2) + desktop.Roms.Path + "/\r\n");
  // The buttons were disabled while the job ran and enabled again after it.
  EXPECT_LT(std::ranges::find(desktop.Operations, "disable 6"), std::ranges::find(desktop.Operations, "enable 6"));
  EXPECT_TRUE(desktop.Did("enable 9"));
}

// The Preferences window shows the option the file gave, a click and its
// button decide the option, and "Save" writes it with the folder.
TEST(DesktopProgram, PreferencesFileAndWindowDecideTheOption) {
  struct Case { std::optional<std::string> File; int Button; bool Rejected; bool Option; std::string Folder; };
  for (const Case& c : {Case{std::nullopt, Save, false, true, ""},
                        {std::string("\x02\x00/x/\r\n", 7), Use, true, true, ""},
                        {std::string("\x00\x00/x/\r\n", 7), Cancel, true, true, ""},
                        {"", Save, true, true, ""},
                        {"\x01\x07/roms/\r\n", Cancel, false, true, "/roms/"},
                        {std::string("\x01\x00/a\nb\r\n", 8), Use, false, false, "/a\nb"},
                        {"\x01", Save, false, true, ""},
                        {std::string("\x01\x00/c\0x", 6), Save, false, false, "/c"},
                        {"\x01\x01/" + std::string(999, 'f'), Use, false, true, ""}}) {
    Desktop desktop;
    if (c.File) WriteFile(desktop.PrefsPath, *c.File);
    desktop.Examine("");
    desktop.Press({{Main, PreferencesButton}, {Prefs, CheckBox}, {Prefs, c.Button}, {Main, PreferencesButton},
                   {Prefs, Save}, {Main, QuitButton}});
    desktop.Run();
    EXPECT_EQ(desktop.Operations.front(), c.Rejected ? "message Error: Preferences file is from another version.\n"
                                                       "It will be ignored." : "open 0") << c.File.value_or("none");
    EXPECT_EQ(desktop.RequestedPaths.at(0), c.Folder);
    EXPECT_TRUE(desktop.Did(c.Option ? "tick 13" : "untick 13"));
    const char saved = c.Option == (c.Button == Cancel) ? '\x01' : '\x00';
    EXPECT_EQ(ReadText(desktop.PrefsPath), "\x01" + std::string(1, saved) + c.Folder + "\r\n");
  }
  Desktop readOnly;
  std::filesystem::permissions(readOnly.ProgramFolder.Path, std::filesystem::perms::owner_exec);
  readOnly.Press({{Main, PreferencesButton}, {Prefs, Save}, {Main, QuitButton}});
  readOnly.Run();
  EXPECT_TRUE(readOnly.Did("message Error: Can't save preferences file."));
}

}  // namespace
}  // namespace bytegleaner::testing
