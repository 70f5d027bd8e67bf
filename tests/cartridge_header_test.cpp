#include "output/cartridge_header.h"
#include "output/source_header.h"
#include "platform/file_bytes.h"
#include "tests/test_support.h"
#include "tests/wla_dx.h"

#include <gtest/gtest.h>

#include <string_view>
#include <string>
#include <vector>

namespace bytegleaner::output {
namespace {

analysis::RomImage Image(std::int32_t size, const std::vector<std::pair<std::int32_t, std::vector<std::uint8_t>>>& pieces) {
  analysis::RomImage rom;
  rom.RomSize = size;
  rom.Bytes.assign(static_cast<std::size_t>(size + analysis::SpareBytes), 0);
  for (const auto& [offset, bytes] : pieces) std::copy(bytes.begin(), bytes.end(), rom.Bytes.begin() + offset);
  return rom;
}

// The signature and two reserved blanks, then the given bytes.
std::vector<std::uint8_t> Header(const std::vector<std::uint8_t>& tail) {
  constexpr std::string_view Start = "TMR SEGA  ";
  std::vector<std::uint8_t> bytes(Start.size() + tail.size());
  std::copy(tail.begin(), tail.end(), std::copy(Start.begin(), Start.end(), bytes.begin()));
  return bytes;
}

// A header whose checksum matches and one whose stored $1234 does not.
const analysis::RomImage Matching =
    Image(0x8000, {{0, {0xFF}}, {0x7FEF, {0x01}}, {0x7FF0, Header({0x00, 0x01, 0x26, 0x70, 0x40, 0x4C})}});
const analysis::RomImage Mismatching = Image(
    0x20000, {{0, {0xFF}}, {0x7FF0, Header({0x34, 0x12, 0x99, 0x99, 0xA3, 0x7F})}, {0x8000, {0x10}}, {0x1FFFF, {0x20}}});

TEST(CartridgeHeader, AssemblesToItsOwnBytes) {
  for (const analysis::RomImage* rom : {&Matching, &Mismatching}) {
    const testing::TempFolder folder;
    std::string source;
    WriteSourceHeader(source, 0x8000);
    source += ".BANK 1 SLOT 1\r\n.ORG $3FF0\r\n\r\n";
    WriteCartridgeHeaderAt(source, *rom, 0x7FF0);
    testing::WriteFile(folder.File("header.asm"), source);
    ASSERT_EQ(testing::Assemble(folder.Path, "header.asm"), "");
    const auto rebuilt = platform::ReadFileBytes(folder.File("rebuilt.rom"));
    ASSERT_TRUE(rebuilt && rebuilt->size() == 0x8000U);
    EXPECT_TRUE(std::equal(rebuilt->begin() + 0x7FF0, rebuilt->end(), rom->Bytes.begin() + 0x7FF0));
  }
}

}  // namespace
}  // namespace bytegleaner::output
