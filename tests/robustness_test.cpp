#include "analysis/examination.h"
#include "output/examine_rom.h"
#include "reporting/user_interface.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace bytegleaner::testing {
namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::vector<std::uint8_t> bytes(size);
  for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(generator());
  return bytes;
}

// Random bytes of awkward sizes: whatever they decode to, the examination
// runs to its end and the source file covers the whole image.
TEST(Robustness, RandomImagesOfAwkwardSizesAreExaminedToTheEnd) {
  TempFolder folder;
  const std::string rom = folder.File("random.bin");
  analysis::Examination examination;
  for (const std::size_t size : {0u, 1u, 0x33u, 0x67u, 40000u, 4u << 20}) {
    for (const bool breakAtIndirectJump : {true, false}) {
      SCOPED_TRACE(size);
      WriteFile(rom, RandomBytes(size, static_cast<std::uint32_t>(size)));
      std::vector<std::string> lines;
      reporting::UserInterface ui;
      ui.AddStatusLine = [&lines](std::string_view line) { lines.emplace_back(line); };
      const output::ExamineResult result =
          output::ExamineRom(rom, ShippedTable(), {breakAtIndirectJump, false}, examination, ui);
      EXPECT_TRUE(result.Examined);
      EXPECT_FALSE(result.WriteFailed);
      EXPECT_EQ(lines.back(), "Created " + std::to_string(result.BinaryFileCount) + " binaries.");
      const std::string source = ReadText(rom + ".asm");
      ASSERT_GE(source.size(), 2u);
      EXPECT_EQ(source.substr(source.size() - 2), "\r\n");
      // Every bank gets its section.
      const std::size_t banks = (size + 0x3FFF) / 0x4000;
      std::size_t sections = 0;
      for (std::size_t at = source.find("\n.BANK "); at != std::string::npos; at = source.find("\n.BANK ", at + 1)) {
        ++sections;
      }
      EXPECT_EQ(sections, banks);
    }
  }
}

TEST(Robustness, TableWithOversizedTemplatesNeverReadsPastTheImage) {
  // A damaged table can ask for more operand bytes than any instruction has.
  std::map<int, std::string> templates;
  for (int index = 0; index < opcodes::OpcodeTableSize; ++index) templates[index] = "(i?) ## * x";
  const opcodes::OpcodeTable table = MakeTable(templates);
  TempFolder folder;
  const std::string rom = folder.File("tail.bin");
  WriteFile(rom, Bytes({0x00, 0xDD, 0xDD}));
  analysis::Examination examination;
  const output::ExamineResult result = output::ExamineRom(rom, table, {}, examination, {});
  EXPECT_TRUE(result.Examined);
  EXPECT_NE(ReadText(rom + ".asm").find("_START:\r\n  .db $00, $DD, $DD ; (i+$DD) $DD _START x\r\n"), std::string::npos);
}

}  // namespace
}  // namespace bytegleaner::testing
