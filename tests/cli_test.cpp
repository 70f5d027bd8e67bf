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
