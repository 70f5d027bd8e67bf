#include "shell/preferences.h"
#include "shell/program.h"
#include "shell/program_state.h"
#include "shell/status_log.h"
#include "tests/scripted_window_system.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace bytegleaner::testing {
namespace {

using shell::EventKind;

constexpr int Main = 0, About = 1, Prefs = 2;
constexpr int ExamineButton = 6, PreferencesButton = 7, AboutButton = 8, QuitButton = 9;
constexpr int AboutOk = 0, Save = 10, Use = 11, Cancel = 12, CheckBox = 13;

// The desktop program run against a script, with its own program folder.
struct Desktop {
  TempFolder ProgramFolder;
  ScriptedWindows Script;
  std::string PrefsPath = ProgramFolder.File("Bytegleaner.prefs");

  Desktop() { std::filesystem::copy_file(ShippedTablePath(), ProgramFolder.File("opcodes.dat")); }

  int Run() { return shell::RunProgram(Script.Bind(), ProgramFolder.Path + "/"); }
  bool Did(const std::string& operation) const {
    return std::find(Script.Operations.begin(), Script.Operations.end(), operation) != Script.Operations.end();
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const std::string& operation : Script.Operations) {
      if (operation.rfind("message ", 0) == 0) messages.push_back(operation.substr(8));
    }
    return messages;
  }
};

std::vector<std::uint8_t> SmallRom() {
  std::vector<std::uint8_t> image(0x100, 0);
  image[0] = image[0x38] = image[0x66] = 0xC9;
  return image;
}

TEST(DesktopProgram, OpensTheMainWindowAndEndsOnQuitWithoutWritingPreferences) {
  Desktop desktop;
  desktop.Script.Press(Main, QuitButton);
  EXPECT_EQ(desktop.Run(), 0);
  EXPECT_EQ(desktop.Script.Operations,
            (std::vector<std::string>{"open 0 50,50 305x210 main Bytegleaner V1.0", "create list 5 in 0 5,5 290x150 ",
                                      "create button 6 in 0 5,160 85x20 Examine ROM",
                                      "create button 7 in 0 95,160 85x20 Preferences",
                                      "create button 8 in 0 185,160 50x20 About",
                                      "create button 9 in 0 240,160 50x20 Quit"}));
  EXPECT_FALSE(std::filesystem::exists(desktop.PrefsPath));

  Desktop closing;
  closing.Script.Repaint(Main);
  closing.Script.Press(Main, 5);  // a double-click on the status list
  closing.Script.AskToClose(Main);
  EXPECT_EQ(closing.Run(), 0);
  EXPECT_TRUE(closing.Script.Events.empty());
}

TEST(DesktopProgram, TableFailureShowsItsMessageBeforeAnyWindow) {
  Desktop desktop;
  std::filesystem::remove(desktop.ProgramFolder.File("opcodes.dat"));
  EXPECT_EQ(desktop.Run(), 0);
  EXPECT_EQ(desktop.Script.Operations, (std::vector<std::string>{"message Error: Can't load Opcodes.dat."}));

  Desktop shortTable;
  WriteFile(shortTable.ProgramFolder.File("opcodes.dat"), std::string("00      nop\r\n"));
  shortTable.Run();
  EXPECT_EQ(shortTable.Script.Operations,
            (std::vector<std::string>{"message Error: There are not enough instructions in Opcodes.dat."}));
}

TEST(DesktopProgram, OtherWindowsDropEverythingThatIsNotTheirs) {
  Desktop desktop;
  desktop.Script.Press(Main, AboutButton);
  desktop.Script.AskToClose(Main);
  desktop.Script.Press(Main, QuitButton);
  desktop.Script.AskToClose(About);
  desktop.Script.Press(About, AboutOk);
  desktop.Script.Press(Main, PreferencesButton);
  desktop.Script.AskToClose(Main);
  desktop.Script.Press(Main, ExamineButton);
  desktop.Script.Press(Prefs, CheckBox);
  desktop.Script.AskToClose(Prefs);
  desktop.Script.Press(Prefs, Cancel);
  desktop.Script.Press(Main, QuitButton);
  EXPECT_EQ(desktop.Run(), 0);
  EXPECT_TRUE(desktop.Script.Events.empty());
  EXPECT_TRUE(desktop.Script.FileRequests.empty());
  EXPECT_TRUE(desktop.Did("open 1 75,75 220x155 toolbox Bytegleaner"));
  EXPECT_TRUE(desktop.Did("create button 0 in 1 60,105 100x20 OK"));
  EXPECT_TRUE(desktop.Did("create static 1 in 1 65,12 320x15 Bytegleaner V1.0"));
  EXPECT_TRUE(desktop.Did("create static 3 in 1 25,62 320x15 Send comments and suggestions to:"));
  EXPECT_TRUE(desktop.Did("open 2 50,50 250x125 toolbox Preferences"));
  EXPECT_TRUE(desktop.Did("create check 13 in 2 5,30 175x15 Break at JP (HL)/JP (IX)/JP (IY)"));
  EXPECT_TRUE(desktop.Did("create button 12 in 2 165,75 75x20 Cancel"));
  const auto& operations = desktop.Script.Operations;
  const auto closeAbout = std::find(operations.begin(), operations.end(), "close 1");
  ASSERT_NE(closeAbout, operations.end());
  EXPECT_EQ(*(closeAbout + 1), "current 0");
}

TEST(DesktopProgram, CancelUseAndSaveDecideWhatHappensToTheOption) {
  Desktop desktop;
  shell::ProgramState state;
  state.ProgramFolder = desktop.ProgramFolder.Path + "/";
  const shell::WindowSystem windows = desktop.Script.Bind();

  desktop.Script.Events = {{EventKind::Control, Prefs, CheckBox}, {EventKind::Control, Prefs, Cancel}};
  shell::RunPreferencesWindow(state, windows);
  EXPECT_EQ(state.BreakAtIndirectJump, 1);
  EXPECT_FALSE(std::filesystem::exists(desktop.PrefsPath));

  // The box opens as the option was, not as the last click left it.
  desktop.Script.Events = {{EventKind::Control, Prefs, CheckBox}, {EventKind::Control, Prefs, Use}};
  shell::RunPreferencesWindow(state, windows);
  EXPECT_EQ(state.BreakAtIndirectJump, 0);
  EXPECT_FALSE(std::filesystem::exists(desktop.PrefsPath));

  state.LastFolder = "/roms/";
  desktop.Script.Events = {{EventKind::Control, Prefs, CheckBox}, {EventKind::Control, Prefs, Save}};
  shell::RunPreferencesWindow(state, windows);
  EXPECT_EQ(state.BreakAtIndirectJump, 1);
  EXPECT_EQ(ReadText(desktop.PrefsPath), std::string("\x01\x01/roms/\r\n"));
}

TEST(DesktopProgram, ExaminingLearnsTheFolderEvenWhenTheRomFails) {
  Desktop desktop;
  TempFolder roms;
  WriteFile(roms.File("game.sms"), SmallRom());
  desktop.Script.Press(Main, ExamineButton);  // cancelled
  desktop.Script.ChosenFiles.push_back("");
  desktop.Script.Press(Main, ExamineButton);  // a file that cannot be read
  desktop.Script.ChosenFiles.push_back(roms.File("missing.sms"));
  desktop.Script.Press(Main, ExamineButton);
  desktop.Script.ChosenFiles.push_back(roms.File("game.sms"));
  desktop.Script.Press(Main, PreferencesButton);
  desktop.Script.Press(Prefs, Save);
  desktop.Script.Press(Main, QuitButton);
  desktop.Run();

  const auto& requests = desktop.Script.FileRequests;
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].Title, "Choose ROM file");
  EXPECT_EQ(requests[0].Filters, "GG/SMS ROMs (*.gg, *.sms)|*.gg;*.sms|All files (*.*)|*.*");
  EXPECT_EQ(requests[0].DefaultPath, "");
  EXPECT_EQ(requests[1].DefaultPath, "");  // the cancel changed nothing
  EXPECT_EQ(requests[2].DefaultPath, roms.Path + "/");
  EXPECT_EQ(desktop.Messages(), (std::vector<std::string>{"Error: Can't load ROM file."}));
  EXPECT_EQ(desktop.Script.StatusLines.back(), "Created 0 binaries.");
  EXPECT_EQ(desktop.Script.StatusLines.front(), "Filename: " + roms.File("game.sms"));
  EXPECT_EQ(ReadText(desktop.PrefsPath), "\x01\x01" + roms.Path + "/\r\n");
  // The buttons were disabled while the job ran and enabled again after it.
  EXPECT_TRUE(desktop.Did("disable 6"));
  EXPECT_TRUE(desktop.Did("disable 9"));
  EXPECT_TRUE(desktop.Script.Enabled[ExamineButton]);
  EXPECT_TRUE(desktop.Script.Enabled[QuitButton]);
}

TEST(DesktopProgram, StatusLinesHandleWaitingMessagesUpToTheFirstEvent) {
  ScriptedWindows script;
  const shell::WindowSystem windows = script.Bind();
  script.WaitingMessages = {{EventKind::None, -1, -1}, {EventKind::CloseRequest, Main, -1}, {EventKind::None, -1, -1}};
  shell::AddStatusLine(windows, "one");
  EXPECT_EQ(script.WaitingMessages.size(), 1u);
  shell::AddStatusLine(windows, "");
  EXPECT_TRUE(script.WaitingMessages.empty());
  EXPECT_EQ(script.StatusLines, (std::vector<std::string>{"one", ""}));
}

TEST(DesktopProgram, CloseRequestDuringAnExaminationIsLost) {
  Desktop desktop;
  TempFolder roms;
  WriteFile(roms.File("game.sms"), SmallRom());
  desktop.Script.Press(Main, ExamineButton);
  desktop.Script.ChosenFiles.push_back(roms.File("game.sms"));
  for (int i = 0; i < 20; ++i) desktop.Script.WaitingMessages.push_back({EventKind::CloseRequest, Main, -1});
  desktop.Script.Press(Main, AboutButton);
  desktop.Script.Press(About, AboutOk);
  desktop.Script.Press(Main, QuitButton);
  desktop.Run();
  EXPECT_TRUE(desktop.Script.Events.empty());
  EXPECT_TRUE(desktop.Did("open 1 75,75 220x155 toolbox Bytegleaner"));
}

struct PreferencesFile : ::testing::Test {
  Desktop Program;
  void StartWith(const std::string& bytes) {
    WriteFile(Program.PrefsPath, bytes);
    Program.Script.Press(Main, QuitButton);
    Program.Run();
  }
  void OpenPreferencesClickAndSave() {
    Program.Script.Events.clear();
    Program.Script.Press(Main, ExamineButton);
    Program.Script.ChosenFiles.push_back("");
    Program.Script.Press(Main, PreferencesButton);
    Program.Script.Press(Prefs, CheckBox);
    Program.Script.Press(Prefs, Save);
    Program.Script.Press(Main, QuitButton);
    Program.Script.Operations.clear();
    Program.Script.FileRequests.clear();
    Program.Run();
  }
};

TEST_F(PreferencesFile, EmptyFolderSavesFourBytes) {
  OpenPreferencesClickAndSave();
  EXPECT_EQ(ReadText(Program.PrefsPath), std::string("\x01\x00\r\n", 4));
}

TEST_F(PreferencesFile, AnotherVersionIsIgnoredWithATwoLineMessage) {
  for (const std::string& bytes : {std::string("\x02\x00/x/\r\n", 7), std::string()}) {
    Desktop desktop;
    WriteFile(desktop.PrefsPath, bytes);
    desktop.Script.Press(Main, ExamineButton);
    desktop.Script.ChosenFiles.push_back("");
    desktop.Script.Press(Main, QuitButton);
    desktop.Run();
    EXPECT_EQ(desktop.Script.Operations.front(), "message Error: Preferences file is from another version.\nIt will be ignored.");
    EXPECT_EQ(desktop.Script.FileRequests.at(0).DefaultPath, "");
    EXPECT_EQ(ReadText(desktop.PrefsPath), bytes);
  }
}

TEST_F(PreferencesFile, OptionBytesOtherThanZeroCountAsOnAndSaveAsOne) {
  StartWith(std::string("\x01\x07/roms/\r\n"));
  EXPECT_TRUE(Program.Did("open 0 50,50 305x210 main Bytegleaner V1.0"));
  Program.Script.Press(Main, PreferencesButton);
  Program.Script.Press(Prefs, Save);
  Program.Script.Press(Main, QuitButton);
  Program.Script.Operations.clear();
  // The box shows ticked; saving writes what the box says.
  Program.Run();
  EXPECT_TRUE(Program.Did("tick 13"));
  EXPECT_EQ(ReadText(Program.PrefsPath), std::string("\x01\x01/roms/\r\n"));
}

TEST_F(PreferencesFile, LineRulesApplyToTheFolder) {
  shell::ProgramState state;
  EXPECT_EQ(shell::ReadPreferences(Bytes({1, 0, '/', 'a', 10, 'b', 13, 10}), state), shell::PreferencesStatus::Taken);
  EXPECT_EQ(state.LastFolder, "/a\nb");
  EXPECT_EQ(state.BreakAtIndirectJump, 0);
  EXPECT_EQ(shell::ReadPreferences(Bytes({1}), state), shell::PreferencesStatus::Taken);
  EXPECT_EQ(state.BreakAtIndirectJump, 1);
  EXPECT_EQ(state.LastFolder, "");
  EXPECT_EQ(shell::ReadPreferences(Bytes({1, 0, '/', 'c', 0, 'x'}), state), shell::PreferencesStatus::Taken);
  EXPECT_EQ(state.LastFolder, "/c");

  const std::string longFile = "\x01\x01/" + std::string(999, 'f');
  const std::vector<std::uint8_t> bytes(longFile.begin(), longFile.end());
  state.LastFolder.clear();
  EXPECT_EQ(shell::ReadPreferences(bytes, state), shell::PreferencesStatus::FolderTooLong);
  EXPECT_EQ(state.LastFolder, "");
}

TEST_F(PreferencesFile, ReadOnlyProgramFolderMakesSaveFailButUseWorks) {
  std::filesystem::permissions(Program.ProgramFolder.Path, std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_exec);
  shell::ProgramState state;
  state.ProgramFolder = Program.ProgramFolder.Path + "/";
  const shell::WindowSystem windows = Program.Script.Bind();
  Program.Script.Events = {{EventKind::Control, Prefs, CheckBox}, {EventKind::Control, Prefs, Save}};
  shell::RunPreferencesWindow(state, windows);
  EXPECT_EQ(Program.Messages(), (std::vector<std::string>{"Error: Can't save preferences file."}));
  EXPECT_EQ(state.BreakAtIndirectJump, 0);
  EXPECT_FALSE(std::filesystem::exists(Program.PrefsPath));
  Program.Script.Events = {{EventKind::Control, Prefs, CheckBox}, {EventKind::Control, Prefs, Use}};
  shell::RunPreferencesWindow(state, windows);
  EXPECT_EQ(state.BreakAtIndirectJump, 1);
  EXPECT_EQ(Program.Messages().size(), 1u);
}

}  // namespace
}  // namespace bytegleaner::testing
