// bytegleaner-cli end to end where the pinned cases cannot go: the
// instruction table beside the program, the deepest nesting.
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>

namespace bytegleaner::testing {
namespace {

Ran Cli(const std::string& folder, const std::string& arguments, const std::string& program = BYTEGLEANER_CLI) {
  return RunShell(folder, Quoted(program) + " " + arguments);
}

// The folder's path, which the pinned cases leave out, and a write error, which they cannot cause.
TEST(CommandLine, NamesTheRomByItsAbsolutePathAndFailsOnAWriteError) {
  TempFolder folder;
  WriteFile(folder.File("a.sms"), Image(0x800, "C9 @38 C9 @66 C9"));
  std::filesystem::create_symlink("/dev/full", folder.File("a.sms.asm"));
  const Ran ran = Cli(folder.Path, "./a.sms");
  EXPECT_EQ(ran.Status, 1);
  EXPECT_EQ(ran.Err, folder.File("a.sms") + ": Not all of the output could be written.\n");
  EXPECT_TRUE(ran.Out.starts_with("Filename: " + folder.File("a.sms") + "\nSize: 2048 bytes\n")) << ran.Out;
}

TEST(CommandLine, InstructionTableProblemsStopBeforeAnyRom) {
  TempFolder roms;
  WriteFile(roms.File("a.sms"), Image(0x100, ""));
  for (const auto& [table, err] : {std::pair<std::string, std::string>{"", "Can't load Opcodes.dat.\n"},
                                   {std::string(1, '\0'), "There are not enough instructions in Opcodes.dat.\n"}}) {
    TempFolder copy;  // the program finds its table in its own folder
    std::filesystem::copy_file(BYTEGLEANER_CLI, copy.File("bytegleaner-cli"));
    if (!table.empty()) WriteFile(copy.File("opcodes.dat"), table);
    const Ran ran = Cli(roms.Path, "a.sms", copy.File("bytegleaner-cli"));
    EXPECT_EQ(ran.Status, 1);
    EXPECT_EQ(ran.Err, err);
    EXPECT_FALSE(std::filesystem::exists(roms.File("a.sms.asm")));
  }
}

// Every link of the chain is a relative jump to the next, untraced one, so
// the runs nest as deep as the image allows: two million levels in 4 MB.
TEST(CommandLine, DeepestNestingIsTracedWithinLinearMemory) {
  TempFolder folder;
  std::string chain;
  for (int link = 0; link < (2 << 20); ++link) chain += std::string("\x18\x00", 2);
  WriteFile(folder.File("chain.sms"), chain);
  const Ran ran = Cli(folder.Path, "--exact chain.sms");
  EXPECT_EQ(ran.Status, 0);
  EXPECT_NE(ran.Out.find("Found 2097152 labels."), std::string::npos);
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
