// The thorough analysis on small images whose idioms the driver handles
// itself (mapper paging), and round trips of its source through WLA DX.
#include "analysis/examination.h"
#include "analysis/thorough/thorough_examination.h"
#include "output/examine_rom.h"
#include "output/output_file.h"
#include "output/paged_source.h"
#include "output/source_header.h"
#include "output/source_job.h"
#include "platform/file_bytes.h"
#include "reporting/user_interface.h"
#include "tests/wla_dx.h"
#include "text/number_text.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace bytegleaner::testing {
namespace {

using thorough::Finder;

constexpr std::int32_t Bank = 0x4000;

struct Piece {
  std::int32_t Offset;
  std::vector<std::uint8_t> Bytes;
};

// An image of `ret`s, so that only what a test places is traced further.
std::vector<std::uint8_t> ImageOf(std::int32_t size, const std::vector<Piece>& pieces) {
  std::vector<std::uint8_t> image(static_cast<std::size_t>(size), 0xC9);
  for (const Piece& piece : pieces) std::copy(piece.Bytes.begin(), piece.Bytes.end(), image.begin() + piece.Offset);
  return image;
}

struct Examined {
  analysis::Examination Examination;
  thorough::Findings Findings;
  [[nodiscard]] bool IsCode(std::int32_t offset) const {
    return (Examination.Map[static_cast<std::size_t>(offset)] & analysis::CodeStart) != 0;
  }
  [[nodiscard]] std::int32_t Found(Finder finder) const {
    return Findings.RunsFound[static_cast<std::size_t>(finder)];
  }
};

Examined Examine(const std::vector<std::uint8_t>& image, const thorough::Recognizers& recognizers = {}) {
  Examined examined;
  analysis::LoadRom(examined.Examination, image);
  thorough::ExamineThoroughly(ShippedTable(), examined.Examination, examined.Findings, recognizers);
  return examined;
}

// Examines, writes the source and assembles it; empty when the image comes back.
std::string RebuildFailure(const std::vector<std::uint8_t>& image, const thorough::Recognizers& recognizers = {}) {
  TempFolder folder;
  const std::string rom = folder.File("rom.sms");
  WriteFile(rom, image);
  Examined examined = Examine(image, recognizers);
  {
    output::OutputFile source;
    if (!source.Create(rom + ".asm")) return "cannot write the source";
    output::WriteSourceHeader(source.Text, examined.Examination.Rom.RomSize);
    const reporting::UserInterface ui;
    output::SourceJob job{ShippedTable(), examined.Examination, ui, rom, {true, true}, source, 0, false, {}};
    output::WritePagedBanks(job, examined.Findings);
  }
  if (std::string failure = Assemble(folder.Path, "rom.sms.asm"); !failure.empty()) return failure;
  const auto rebuilt = platform::ReadFileBytes(folder.File("rebuilt.rom"));
  if (!rebuilt) return "no rebuilt image";
  if (*rebuilt == image) return {};
  const auto differs = std::mismatch(rebuilt->begin(), rebuilt->end(), image.begin(), image.end());
  return "the rebuilt image differs first at " + text::HexText(static_cast<std::uint32_t>(differs.first - rebuilt->begin()));
}

// --- The paging ------------------------------------------------------------------

TEST(Paging, CpuAddressesMapThroughTheSlotsBanks) {
  thorough::Paging paged;
  paged.Page(2, 5);
  thorough::Paging unknown;
  unknown.Forget(1);
  const struct {
    std::uint32_t Address;
    const thorough::Paging& Pages;
    std::int32_t Offset;
  } cases[] = {{0x0100, {}, 0x0100},      {0x4100, {}, 0x4100},      {0x8100, {}, 0x8100},
               {0xBFFF, paged, 0x17FFF}, {0x8000, paged, 0x14000},  {0xC000, {}, -1},
               {0x4000, unknown, -1},    {0x8000, unknown, 0x8000}, {0x3FFF, unknown, 0x3FFF}};
  for (const auto& c : cases) {
    EXPECT_EQ(thorough::ImageOffsetOf(c.Address, c.Pages, 8 * Bank), c.Offset) << text::HexText(c.Address);
  }
  EXPECT_EQ(thorough::ImageOffsetOf(0x8000, paged, 5 * Bank), -1);  // past the image's end

  thorough::Paging written;
  thorough::WriteMapper(written, 0xFFFF, true, 7, 8);
  EXPECT_EQ(written.BankIn(2), 7);
  thorough::WriteMapper(written, 0xFFFE, true, 8, 8);  // a bank the image lacks
  EXPECT_FALSE(written.Knows(1));
  thorough::WriteMapper(written, 0xFFFD, true, 3, 8);  // slot 0 stays bank 0
  thorough::WriteMapper(written, 0xFFFC, true, 0x08, 8);  // cartridge RAM in slot 2
  EXPECT_FALSE(written.Knows(2));
}

// Code at $0000 that pages a bank and calls or jumps into its slot; a
// routine at $0100 that pages its caller's A into slot 2.
TEST(Paging, CallsIntoSlotsReachTheBankPagedThere) {
  const struct {
    const char* Name;
    std::vector<std::uint8_t> Code;
    std::int32_t Traced;  // -1: nothing in that slot
    std::int32_t Untraced;
  } cases[] = {
      {"ld a,n / ld (nn),a", {0x3E, 5, 0x32, 0xFF, 0xFF, 0xCD, 0x00, 0x80}, 0x14000, 0x8000},
      {"ld hl,nn / ld (hl),n", {0x21, 0xFE, 0xFF, 0x36, 3, 0xCD, 0x10, 0x40}, 0xC010, 0x4010},
      {"ld de,nn / ld (de),a", {0x11, 0xFF, 0xFF, 0x3E, 3, 0x12, 0xC3, 0x30, 0x80}, 0xC030, 0x8030},
      {"a routine writes the caller's A", {0x3E, 6, 0xCD, 0x00, 0x01, 0xCD, 0x00, 0x80}, 0x18000, 0x8000},
      {"xor a pages bank 0", {0xAF, 0x32, 0xFE, 0xFF, 0xCD, 0x20, 0x40}, 0x0020, 0x4020},
      {"push af / pop af keeps the bank",
       {0x3E, 4, 0xF5, 0x3E, 7, 0x32, 0xFF, 0xFF, 0xF1, 0x32, 0xFF, 0xFF, 0xCD, 0x00, 0x80}, 0x10000, 0x1C000},
      {"a bank beyond the image", {0x3E, 200, 0x32, 0xFF, 0xFF, 0xCD, 0x00, 0x80}, -1, 0x8000},
      {"a value the run cannot know", {0x7E, 0x32, 0xFF, 0xFF, 0xCD, 0x00, 0x80}, -1, 0x8000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const Examined examined = Examine(ImageOf(8 * Bank, {{0, c.Code}, {0x100, {0x32, 0xFF, 0xFF, 0xC9}}}));
    EXPECT_TRUE(c.Traced < 0 || examined.IsCode(c.Traced));
    EXPECT_FALSE(examined.IsCode(c.Untraced));
    EXPECT_EQ(examined.Found(Finder::Mapper), c.Traced >= Bank ? 1 : 0);
  }
}

TEST(Paging, BanksAreWrittenInTheSlotTheirCodeRunsIn) {
  // Bank 3 paged into slot 1 and called there; the operand names its offset.
  const Examined examined = Examine(ImageOf(8 * Bank, {{0, {0x21, 0xFE, 0xFF, 0x36, 3, 0xCD, 0x10, 0x40}}}));
  EXPECT_EQ(examined.Findings.BankSlots, (std::vector<std::uint8_t>{0, 1, 2, 1, 2, 2, 2, 2}));
  ASSERT_EQ(examined.Findings.Runs.size(), 1u);
  EXPECT_EQ(examined.Findings.Runs[0].Why, thorough::Reason::PagedIn);
  ASSERT_EQ(examined.Findings.OperandTargets.size(), 1u);
  EXPECT_EQ(examined.Findings.OperandTargets[0].Instruction, 5);
  EXPECT_EQ(examined.Findings.OperandTargets[0].Target, 0xC010);
}

// --- The source rebuilds the image --------------------------------------------------

TEST(ThoroughSource, StatusLinesCountTheRunsEachWayFound) {
  TempFolder folder;
  WriteFile(folder.File("a.sms"), ImageOf(8 * Bank, {{0, {0x3E, 5, 0x32, 0xFF, 0xFF, 0xCD, 0x00, 0x80}}}));
  std::vector<std::string> lines;
  reporting::UserInterface ui;
  ui.AddStatusLine = [&lines](std::string_view line) { lines.emplace_back(line); };
  analysis::Examination examination;
  ASSERT_TRUE(output::ExamineRomThoroughly(folder.File("a.sms"), ShippedTable(), examination, ui).Examined);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()),
            (std::vector<std::string>{"Found 3 runs from the entry points.", "Found 0 runs through jump tables.",
                                      "Found 0 runs through code addresses.", "Found 0 runs after inline data.",
                                      "Found 1 runs through the mapper."}));
  const std::string source = ReadText(folder.File("a.sms.asm"));
  EXPECT_NE(source.find(".BANK 5 SLOT 2\r\n"), std::string::npos);
  EXPECT_NE(source.find("; bank 5 paged into slot 2, reached from $5\r\n"), std::string::npos);
}

TEST(ThoroughSource, RebuildsImagesOfAwkwardSizes) {
  const auto sample = platform::ReadFileBytes(std::string(BYTEGLEANER_SOURCE_DIR) + "/samples/sample.sms");
  ASSERT_TRUE(sample.has_value());
  EXPECT_EQ(RebuildFailure(*sample), "");
  for (const std::int32_t size : {1000, 20000, 40000, 4 << 20}) {
    EXPECT_EQ(RebuildFailure(RandomImage(size, 0x7400 + static_cast<std::uint32_t>(size))), "") << size;
  }
}

// Banks paged into both slots, through every way the tracer follows,
// assembled from source so that the labels say where the code is.
TEST(ThoroughSource, FindsAndRebuildsCodePagedIntoUpperBanks) {
  const std::string source =
      ".MEMORYMAP\nSLOTSIZE $4000\nSLOT 0 $0000\nSLOT 1 $4000\nSLOT 2 $8000\nDEFAULTSLOT 2\n.ENDME\n"
      ".ROMBANKMAP\nBANKSTOTAL 8\nBANKSIZE $4000\nBANKS 8\n.ENDRO\n"
      ".BANK 0 SLOT 0\n.ORG $0000\n di\n ld sp,$DFF0\n jp Main\n.ORG $0038\n reti\n.ORG $0066\n retn\n"
      ".ORG $0100\nMain:\n ld a,5\n ld ($FFFF),a\n call InBank5\n ld hl,$FFFE\n ld (hl),3\n call InBank3\n"
      " ld a,6\n call SetSlot2\n call InBank6\n ld a,200\n ld ($FFFF),a\n call $8000\n ld a,7\n ld ($FFFF),a\n"
      " jp InBank7\nSetSlot2:\n ld ($FFFF),a\n ret\n"
      ".BANK 3 SLOT 1\n.ORG $0000\nInBank3:\n nop\n ret\n"
      ".BANK 4 SLOT 1\n.ORG $0000\nInBank4:\n ld c,2\n ret\n"
      ".BANK 5 SLOT 2\n.ORG $0010\nInBank5:\n call Local5\n ret\nLocal5:\n ld b,1\n ret\n"
      ".BANK 6 SLOT 2\n.ORG $0020\nInBank6:\n ld a,4\n ld ($FFFE),a\n call $4000\n jr InBank6\n"
      ".BANK 7 SLOT 2\n.ORG $0100\nInBank7:\n halt\n jr InBank7\n";
  TempFolder folder;
  WriteFile(folder.File("game.asm"), source);
  ASSERT_EQ(Assemble(folder.Path, "game.asm"), "");
  const auto image = platform::ReadFileBytes(folder.File("rebuilt.rom"));
  ASSERT_TRUE(image.has_value());
  const Examined examined = Examine(*image);
  for (const std::int32_t code : {0xC000, 0x10000, 0x14010, 0x14014, 0x18020, 0x1C100}) {
    EXPECT_TRUE(examined.IsCode(code)) << text::HexText(code);
  }
  EXPECT_FALSE(examined.IsCode(0x8000));
  EXPECT_EQ(examined.Found(Finder::Mapper), 5);
  EXPECT_EQ(RebuildFailure(*image), "");
}

}  // namespace
}  // namespace bytegleaner::testing
