#include "analysis/examination.h"
#include "output/examine_rom.h"
#include "reporting/user_interface.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace bytegleaner::testing {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The bundled sample against its committed output, in which the ROM's path
// is written as ROM.
TEST(Sample, ExaminationMatchesTheCommittedOutputByteForByte) {
  const std::string source = std::string(BYTEGLEANER_SOURCE_DIR);
  TempFolder folder;
  const std::string rom = folder.File("sample.sms");
  std::filesystem::copy_file(source + "/samples/sample.sms", rom);

  std::string status;
  reporting::UserInterface ui;
  ui.AddStatusLine = [&status](std::string_view line) { (status += line) += '\n'; };
  analysis::Examination examination;
  const output::ExamineResult result = output::ExamineRom(rom, ShippedTable(), {}, examination, ui);
  ASSERT_TRUE(result.Examined);

  EXPECT_EQ(ReplaceAll(status, rom, "ROM"), ReadText(source + "/tests/golden/sample.status"));
  const std::string expected = ReadText(source + "/tests/golden/sample.sms.asm");
  const std::string written = ReplaceAll(ReadText(rom + ".asm"), rom, "ROM");
  ASSERT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected) << "first difference at byte "
                                   << std::mismatch(written.begin(), written.end(), expected.begin()).first - written.begin();

  // Each binary file holds exactly its stretch of the image.
  const std::string image = ReadText(rom);
  for (const auto& [name, start, length] : {std::tuple{"29C", 0x29C, 0xA9C - 0x29C}, std::tuple{"AA9", 0xAA9, 0x4000 - 0xAA9},
                                            std::tuple{"4065", 0x4065, 0x8000 - 0x4065}, std::tuple{"8100", 0x8100, 0xC000 - 0x8100}}) {
    EXPECT_EQ(ReadText(rom + ".dat." + name), image.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)))
        << name;
  }
}

}  // namespace
}  // namespace bytegleaner::testing
