// Round trips of the thorough source through WLA DX.
#include "analysis/examination.h"
#include "analysis/thorough/thorough_examination.h"
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

Examined Examine(const std::vector<std::uint8_t>& image) {
  Examined examined;
  analysis::LoadRom(examined.Examination, image);
  thorough::ExamineThoroughly(ShippedTable(), examined.Examination, examined.Findings);
  return examined;
}

// Examines, writes the source and assembles it; empty when the image comes back.
std::string RebuildFailure(const std::vector<std::uint8_t>& image) {
  TempFolder folder;
  const std::string rom = folder.File("rom.sms");
  WriteFile(rom, image);
  Examined examined = Examine(image);
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

// --- The source rebuilds the image --------------------------------------------------

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
