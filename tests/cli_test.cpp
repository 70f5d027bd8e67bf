#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

namespace bytegleaner::testing {
namespace {

struct CliResult {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

// Runs the command-line program from the given folder, so relative ROM
// paths and the program's own folder are told apart.
CliResult RunCli(const std::string& arguments, const std::string& folder) {
  TempFolder capture;
  const std::string command = "cd '" + folder + "' && '" + std::string(BYTEGLEANER_CLI) + "' " + arguments + " > '" +
                              capture.File("out") + "' 2> '" + capture.File("err") + "' < /dev/null";
  const int status = std::system(command.c_str());
  CliResult result;
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.Out = ReadText(capture.File("out"));
  result.Err = ReadText(capture.File("err"));
  return result;
}

std::vector<std::uint8_t> SmallRom() {
  std::vector<std::uint8_t> image(0x800, 0);
  image[0x00] = 0xC9;
  image[0x38] = 0xC9;
  image[0x66] = 0xC9;
  return image;
}

TEST(CommandLine, ExaminesEachRomAndPrintsTheStatusLines) {
  TempFolder folder;
  WriteFile(folder.File("a.sms"), SmallRom());
  WriteFile(folder.File("b.gg"), SmallRom());
  const CliResult result = RunCli("a.sms ./b.gg", folder.Path);
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_EQ(result.Err, "");
  const std::string expectedForA = "Filename: " + folder.File("a.sms") +
                                   "\nSize: 2048 bytes\nExamining code...\nExamining IRQ handler...\n"
                                   "Examining NMI handler...\nCreating ASM file...\nWriting binary ($67)...\n"
                                   "Finished.\nFound 3 labels.\nCreated 1 binaries.\n";
  EXPECT_EQ(result.Out.substr(0, expectedForA.size()), expectedForA);
  EXPECT_NE(result.Out.find("Filename: " + folder.File("b.gg") + "\n"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder.File("a.sms.asm")));
  EXPECT_TRUE(std::filesystem::exists(folder.File("b.gg.asm")));
  EXPECT_NE(ReadText(folder.File("a.sms.asm")).find(".incbin \"" + folder.File("a.sms") + ".dat.67\""), std::string::npos);
}

TEST(CommandLine, FailuresGoToStandardErrorAndTheOthersAreStillExamined) {
  TempFolder folder;
  WriteFile(folder.File("good.sms"), SmallRom());
  const CliResult result = RunCli("missing.sms good.sms", folder.Path);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Err, folder.File("missing.sms") + ": Can't load ROM file.\n");
  EXPECT_NE(result.Out.find("Filename: " + folder.File("good.sms")), std::string::npos);

  WriteFile(folder.File("locked.sms"), SmallRom());
  WriteFile(folder.File("locked.sms.asm"), std::string("mine"));
  std::filesystem::permissions(folder.File("locked.sms.asm"), std::filesystem::perms::owner_read);
  const CliResult locked = RunCli("locked.sms", folder.Path);
  EXPECT_EQ(locked.ExitCode, 1);
  EXPECT_EQ(locked.Err, folder.File("locked.sms") + ": Can't create ASM file.\n");
  EXPECT_EQ(ReadText(folder.File("locked.sms.asm")), "mine");
}

TEST(CommandLine, OptionsAndUsage) {
  TempFolder folder;
  EXPECT_EQ(RunCli("--version", folder.Path).Out, "Bytegleaner V1.0\n");
  const CliResult help = RunCli("--help", folder.Path);
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_NE(help.Out.find("--no-break-at-indirect-jump"), std::string::npos);
  EXPECT_EQ(RunCli("", folder.Path).ExitCode, 2);
  EXPECT_EQ(RunCli("--bogus x.sms", folder.Path).ExitCode, 2);

  // jp (hl) followed by bytes that decode as a call: traced only with the option.
  std::vector<std::uint8_t> image = SmallRom();
  image[0] = 0xE9;
  image[1] = 0xCD;
  image[2] = 0x00;
  image[3] = 0x02;
  image[0x200] = 0xC9;
  WriteFile(folder.File("jump.sms"), image);
  EXPECT_NE(RunCli("jump.sms", folder.Path).Out.find("Found 3 labels."), std::string::npos);
  EXPECT_NE(RunCli("--no-break-at-indirect-jump jump.sms", folder.Path).Out.find("Found 4 labels."), std::string::npos);
}

TEST(CommandLine, WriteFailureIsNotReportedAsSuccess) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  TempFolder folder;
  WriteFile(folder.File("full.sms"), SmallRom());
  std::filesystem::create_symlink("/dev/full", folder.File("full.sms.asm"));
  const CliResult result = RunCli("full.sms", folder.Path);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_NE(result.Err.find("Not all of the output could be written."), std::string::npos);
}

}  // namespace
}  // namespace bytegleaner::testing

#include <sys/resource.h>

namespace bytegleaner::testing {
namespace {

// A copy of the program in a folder of its own, with an instruction table
// made by the test.
struct ProgramCopy {
  TempFolder Folder;
  std::string Program = Folder.File("bytegleaner-cli");
  explicit ProgramCopy(const std::string& table) {
    std::filesystem::copy_file(BYTEGLEANER_CLI, Program);
    if (!table.empty()) WriteFile(Folder.File("opcodes.dat"), table);
  }
  CliResult Run(const std::string& arguments, const std::string& folder) const {
    TempFolder capture;
    const std::string command = "cd '" + folder + "' && '" + Program + "' " + arguments + " > '" + capture.File("out") +
                                "' 2> '" + capture.File("err") + "' < /dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(capture.File("out")), ReadText(capture.File("err"))};
  }
};

std::string TableLines(int count, std::size_t width) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "KEY     nop" + std::string(width, ' ') + "\r\n";
  return text;
}

TEST(BadInput, InstructionTableProblemsStopBeforeAnyRom) {
  TempFolder roms;
  WriteFile(roms.File("a.sms"), SmallRom());
  const std::string shipped = ReadText(ShippedTablePath());
  struct Case {
    std::string Table;
    const char* Message;
  };
  const Case cases[] = {
      {"", "Can't load Opcodes.dat.\n"},
      {std::string(1, '\0'), "There are not enough instructions in Opcodes.dat.\n"},
      {shipped.substr(0, shipped.size() / 2), "There are not enough instructions in Opcodes.dat.\n"},
  };
  for (const Case& c : cases) {
    ProgramCopy program(c.Table);
    if (c.Table.empty()) std::filesystem::remove(program.Folder.File("opcodes.dat"));
    const CliResult result = program.Run("a.sms", roms.Path);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Err, c.Message);
    EXPECT_EQ(result.Out, "");
    EXPECT_FALSE(std::filesystem::exists(roms.File("a.sms.asm")));
  }
  // Lines of 5000 bytes and more keep their start: the table still loads.
  ProgramCopy wide(TableLines(1280, 6000));
  EXPECT_EQ(wide.Run("a.sms", roms.Path).ExitCode, 0);
  EXPECT_NE(ReadText(roms.File("a.sms.asm")).find("_START:\r\n  nop"), std::string::npos);
}

TEST(BadInput, UnusableRomsAndFoldersLoseNothing) {
  TempFolder folder;
  WriteFile(folder.File("secret.sms"), SmallRom());
  std::filesystem::permissions(folder.File("secret.sms"), std::filesystem::perms::none);
  std::filesystem::create_directory(folder.File("folder.sms"));
  WriteFile(folder.File("empty.sms"), std::vector<std::uint8_t>{});
  const CliResult result = RunCli("secret.sms folder.sms empty.sms", folder.Path);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Err, folder.File("secret.sms") + ": Can't load ROM file.\n" + folder.File("folder.sms") +
                            ": Can't load ROM file.\n");
  EXPECT_NE(result.Out.find("Size: 0 bytes\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder.File("secret.sms.asm")));

  TempFolder locked;
  WriteFile(locked.File("game.sms"), SmallRom());
  std::filesystem::permissions(locked.Path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const CliResult readOnly = RunCli("game.sms", locked.Path);
  EXPECT_EQ(readOnly.ExitCode, 1);
  EXPECT_EQ(readOnly.Err, locked.File("game.sms") + ": Can't create ASM file.\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked.Path), std::filesystem::directory_iterator()), 1);
}

// Every link of the chain is a relative jump to the next, untraced one, so
// the runs nest as deep as the image allows: two million levels in 4 MB.
TEST(BadInput, DeepestNestingIsTracedWithinLinearMemory) {
  TempFolder folder;
  std::vector<std::uint8_t> chain(4u << 20);
  for (std::size_t at = 0; at + 1 < chain.size(); at += 2) {
    chain[at] = 0x18;
    chain[at + 1] = 0x00;
  }
  WriteFile(folder.File("chain.sms"), chain);
  const CliResult result = RunCli("--exact chain.sms", folder.Path);
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_NE(result.Out.find("Found 2097152 labels."), std::string::npos);
  // The sanitizers' shadow memory and quarantine say nothing about ours.
  if (BYTEGLEANER_SANITIZED) return;
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  // Image, map and output buffer, then per link eight bytes of nesting and
  // a few bytes of label: about 37 MB here.
  EXPECT_LT(usage.ru_maxrss * 1024L, 4L * (4 << 20) + 24L * 2'097'152 + (16L << 20));
}

}  // namespace
}  // namespace bytegleaner::testing
