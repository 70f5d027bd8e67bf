#include "output/cartridge_header.h"
#include "output/hardware_names.h"
#include "output/source_header.h"
#include "platform/file_bytes.h"
#include "tests/test_support.h"
#include "tests/wla_dx.h"

#include <gtest/gtest.h>

#include <optional>
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

// Sums by hand: $FF + $01 = $100 below the header; the second image adds
// $10 + $20 above $8000 and keeps its wrong stored $1234.
const analysis::RomImage Matching =
    Image(0x8000, {{0, {0xFF}}, {0x7FEF, {0x01}}, {0x7FF0, Header({0x00, 0x01, 0x26, 0x70, 0x40, 0x4C})}});
const analysis::RomImage Mismatching = Image(
    0x20000, {{0, {0xFF}}, {0x7FF0, Header({0x34, 0x12, 0x99, 0x99, 0xA3, 0x7F})}, {0x8000, {0x10}}, {0x1FFFF, {0x20}}});

std::string Block(const analysis::RomImage& rom) {
  std::string out;
  EXPECT_TRUE(WriteCartridgeHeaderAt(out, rom, 0x7FF0));
  return out;
}

TEST(CartridgeHeader, DecodesTheHeaderAndChecksTheChecksum) {
  EXPECT_EQ(Block(Matching),
            "; Cartridge header at $7FF0 (16 bytes)\r\n"
            "_CartridgeHeader:\r\n"
            ".db \"TMR SEGA\" ; signature\r\n"
            ".db $20, $20 ; reserved\r\n"
            ".db $00, $01 ; checksum $100, matches the sum of $0000-$7FEF\r\n"
            ".db $26, $70, $40 ; product code 47026, version 0\r\n"
            ".db $4C ; region SMS Export, declared size 32 KB\r\n");
  const std::string wrong = Block(Mismatching);
  EXPECT_NE(wrong.find("\r\n.db $34, $12 ; checksum $1234, but the sum of $0000-$7FEF and $8000-$1FFFF is $12F\r\n"
                       ".db $99, $99, $A3 ; product code 109999, version 3\r\n"
                       ".db $7F ; region GG International, declared size 128 KB\r\n"),
            std::string::npos)
      << wrong;
}

TEST(CartridgeHeader, SaysWhatItCannotDecode) {
  EXPECT_NE(Block(Image(0x8000, {{0x7FF0, Header({0, 0, 0x7A, 0, 0, 0x95})}}))
                .find("; checksum $0, not checked: no size declared\r\n"
                      ".db $7A, $00, $00 ; product code not decimal, version 0\r\n"
                      ".db $95 ; unknown region 9, unknown size code $5\r\n"),
            std::string::npos);
  EXPECT_NE(Block(Image(0x8000, {{0x7FF0, Header({0, 0, 0, 0, 0, 0x4E})}}))
                .find("checksum $0, not checked: the declared 64 KB are more than the image\r\n"),
            std::string::npos);
}

TEST(CartridgeHeader, TakesTheFirstPlaceThatHoldsAWholeHeader) {
  const std::vector<std::uint8_t> signature = Header({});
  EXPECT_EQ(FindCartridgeHeader(Image(0x8000, {{0x1FF0, signature}, {0x3FF0, signature}, {0x7FF0, signature}})), 0x7FF0);
  EXPECT_EQ(FindCartridgeHeader(Image(0x8000, {{0x1FF0, signature}, {0x3FF0, signature}})), 0x3FF0);
  EXPECT_EQ(FindCartridgeHeader(Image(0x4000, {{0x1FF0, signature}})), 0x1FF0);
  EXPECT_EQ(FindCartridgeHeader(Image(0x7FFF, {{0x7FF0, signature}})), std::nullopt);
  // The writer asks at every offset: only the header's start answers.
  std::string out;
  EXPECT_FALSE(WriteCartridgeHeaderAt(out, Image(0x8000, {{0x3FF0, signature}, {0x7FF0, signature}}), 0x3FF0));
  EXPECT_EQ(out, "");
}

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

TEST(HardwareNames, NamesFixedPortsAndMapperRegisters) {
  const std::vector<std::pair<std::vector<std::uint8_t>, std::string>> cases{
      {{0xD3, 0xBF}, "VDP control"}, {{0xDB, 0xBF}, "VDP status"}, {{0xDB, 0xDC}, "joypad port 1"},
      {{0xD3, 0x7F}, "PSG"}, {{0xDB, 0x7E}, "V counter"}, {{0xD3, 0x06}, "Game Gear stereo"},
      {{0x32, 0xFF, 0xFF}, "slot 2 bank"}, {{0x21, 0xFF, 0xFF}, "slot 2 bank"},
      {{0x22, 0xFE, 0xFF}, "slot 1 bank, slot 2 bank"}, {{0xDD, 0x22, 0xFC, 0xFF}, "mapper control, slot 0 bank"},
      {{0xED, 0x4B, 0xFD, 0xFF}, "slot 0 bank, slot 1 bank"}, {{0xED, 0x79}, ""} /* out (c),a */,
      {{0xD3, 0x10}, ""}, {{0x32, 0x00, 0xC0}, ""}, {{0xDB}, ""}, {{0xED, 0xD3, 0xBF}, ""},
  };
  for (const auto& [bytes, name] : cases) {
    EXPECT_EQ(HardwareAccessComment(bytes), name) << name;
  }
}

}  // namespace
}  // namespace bytegleaner::output
