// bytegleaner-cli end to end: what goes to which stream, exit statuses,
// options, the instruction table beside the program, the deepest nesting.
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>

namespace bytegleaner::testing {
namespace {

Ran Cli(const std::string& folder, const std::string& arguments, const std::string& program = BYTEGLEANER_CLI) {
  return RunShell(folder, Quoted(program) + " " + arguments);
}

// An empty expectation asks for an empty stream, others for a part of it.
bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos && text.empty() == part.empty(); }

TEST(CommandLine, StatusGoesToStandardOutputFailuresToStandardErrorOptionsToTheExamination) {
  TempFolder folder;
  WriteFile(folder.File("a.sms"), Image(0x800, "C9 @38 C9 @66 C9"));
  WriteFile(folder.File("full.sms"), Image(0x800, ""));
  std::filesystem::create_symlink("/dev/full", folder.File("full.sms.asm"));
  // jp (hl), then bytes that trace as a call and an index displacement of $85.
  WriteFile(folder.File("jump.sms"), Image(0x300, "E9 CD 00 02 DD 7E 85 C9 @200 C9"));
  const std::tuple<std::string, int, std::string, std::string> cases[] = {
      {"a.sms ./a.sms", 0, "", "Filename: " + folder.File("a.sms") + "\nSize: 2048 bytes\nExamining code...\n"},
      {"missing.sms a.sms", 1, folder.File("missing.sms") + ": Can't load ROM file.\n", "Filename: " + folder.File("a.sms") + "\n"},
      {"full.sms", 1, folder.File("full.sms") + ": Not all of the output could be written.\n", "Filename: " + folder.File("full.sms") + "\n"},
      {"", 2, "Usage: bytegleaner-cli [--hints FILE] [--write-hints [--force]] ROM...\n", ""},
      {"--bogus a.sms", 2, "bytegleaner-cli: unknown option --bogus\nUsage: ", ""},
      {"--help", 0, "", "Usage: bytegleaner-cli "},
      {"--version", 0, "", "Bytegleaner V1.0\n"},
      {"--exact jump.sms", 0, "", "Found 3 labels."},
      {"--no-break-at-indirect-jump --rebuildable -- jump.sms", 0, "", "Found 4 labels."},
  };
  for (const auto& [arguments, status, err, out] : cases) {
    const Ran ran = Cli(folder.Path, arguments);
    EXPECT_EQ(ran.Status, status) << arguments;
    EXPECT_TRUE(Holds(ran.Err, err)) << arguments << ": " << ran.Err;
    EXPECT_TRUE(Holds(ran.Out, out)) << arguments << ": " << ran.Out;
  }
  EXPECT_NE(ReadText(folder.File("jump.sms.asm")).find("  ld a,(ix-$7B)\r\n"), std::string::npos);
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
