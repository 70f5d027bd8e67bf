// The recognizers on the assembled test cartridges, traced from their entry
// points as the exact analysis traces them, asked at the places the
// cartridges' labels name.
#include "analysis/examination.h"
#include "analysis/thorough/code_plausibility.h"
#include "analysis/thorough/inline_arguments.h"
#include "analysis/thorough/jump_table_idiom.h"
#include "analysis/tracer.h"
#include "tests/test_roms.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace bytegleaner::thorough {
namespace {

using testing::AssembledTestRom;
using testing::ShippedTable;
using testing::TestRom;

analysis::Examination TracedFromEntryPoints(const TestRom& rom, std::initializer_list<std::int32_t> more = {}) {
  analysis::Examination examination;
  analysis::LoadRom(examination, rom.Image);
  for (const std::int32_t entry : {0x00, 0x38, 0x66}) analysis::TraceCode(ShippedTable(), examination, true, entry);
  for (const std::int32_t entry : more) analysis::TraceCode(ShippedTable(), examination, true, entry);
  return examination;
}

struct TableCase {
  const char* Site;
  const char* Table;  // a label, or none when nothing may be found
  std::int32_t Count;
  bool Direct;
  std::int32_t EntrySize;
  bool IntoTable = false;
};

TEST(Recognizers, JumpTableIdiomFindsEachDispatchShapesTableAndBound) {
  const TestRom& rom = AssembledTestRom("jump_tables");
  ASSERT_TRUE(rom.Failure.empty()) << rom.Failure;
  const analysis::Examination examination = TracedFromEntryPoints(rom);
  const TableCase cases[] = {
      {"SiteByte", "DataTableByte", 3, false, 2},     {"SiteWord", "DataTableWord", 0, false, 2},
      {"SiteExchange", "DataTableExchange", 2, false, 2}, {"SiteIndex", "DataTableIndex", 0, false, 2},
      {"SitePush", "DataTablePush", 2, false, 2},     {"SiteShift", "DataTableShift", 0, false, 2},
      {"SiteCarry", "DataTableCarry", 0, false, 2},   {"SiteAdc", "DataTableAdc", 0, false, 2},
      {"SiteDirect", "HandlerDirect", 0, true, 2},    {"SiteTrampoline", "HandlerTrampoline", 0, true, 2},
      {"SiteShared", "DataTableShared", 0, false, 2}, {"SiteRecord", "DataRecords", 0, false, 4},
      {"SiteVector", "Vectors", 2, false, 3, true},
      {"SiteUnknownBase", nullptr, 0, false, 2},      {"SitePointer", nullptr, 0, false, 2},
      {"SiteIy", "HandlerIndexJump", 0, true, 2},     {"SiteField", nullptr, 0, false, 2},
      {"Main", nullptr, 0, false, 2},
  };
  for (const TableCase& expected : cases) {
    SCOPED_TRACE(expected.Site);
    const std::int32_t site = rom.OffsetOf(expected.Site);
    ASSERT_GE(site, 0);
    const auto idiom = FindJumpTableIdiom(ShippedTable(), examination, site);
    if (expected.Table == nullptr) {
      EXPECT_FALSE(idiom.has_value());
      continue;
    }
    ASSERT_TRUE(idiom.has_value());
    const std::int32_t table = rom.OffsetOf(expected.Table) + (expected.EntrySize == 4 ? 2 : 0);
    EXPECT_EQ(idiom->TableAddress, table);
    EXPECT_EQ(idiom->EntryCount, expected.Count);
    EXPECT_EQ(idiom->DirectTarget, expected.Direct);
    EXPECT_EQ(idiom->EntrySize, expected.EntrySize);
    EXPECT_EQ(idiom->JumpsIntoTable, expected.IntoTable);
    EXPECT_GE(idiom->BaseLoadOffset, 0);
    EXPECT_LT(idiom->BaseLoadOffset, site);
  }

  // A loop that moves IX on by a record a round and calls each record's
  // handler through CallHL: three records of four bytes.
  const TestRom& records = AssembledTestRom("code_addresses");
  ASSERT_TRUE(records.Failure.empty()) << records.Failure;
  const std::int32_t loopSite = records.OffsetOf("SiteRecordLoop");
  const auto loop = FindJumpTableIdiom(ShippedTable(), TracedFromEntryPoints(records), loopSite);
  ASSERT_TRUE(loop.has_value());
  EXPECT_EQ(loop->TableAddress, records.OffsetOf("DataRecords") + 2);
  EXPECT_EQ(loop->EntrySize, 4);
  EXPECT_EQ(loop->EntryCount, 3);
}

TEST(Recognizers, InlineArgumentsClassifiesEachRoutine) {
  const TestRom& rom = AssembledTestRom("inline_args");
  ASSERT_TRUE(rom.Failure.empty()) << rom.Failure;
  const analysis::Examination examination = TracedFromEntryPoints(rom);
  const struct {
    const char* Routine;
    InlineKind Kind;
    std::int32_t ByteCount;
  } cases[] = {
      {"PrintInline", InlineKind::ZeroTerminated, 0}, {"PrintAt", InlineKind::ZeroTerminated, 2},
      {"SetCursor", InlineKind::FixedBytes, 2},       {"SkipOne", InlineKind::FixedBytes, 1},
      {"CopyInline", InlineKind::FixedBytes, 4},      {"CountedCopy", InlineKind::FixedBytes, 3},
      {"RstDispatch", InlineKind::WordTableDispatch, 0}, {"WordDispatch", InlineKind::WordTableDispatch, 0},
      {"PutChar", InlineKind::None, 0},               {"Ordinary", InlineKind::None, 0},
      {"PopsAndPushesBack", InlineKind::None, 0},     {"UnusedVariableSkip", InlineKind::None, 0},
      {"UnusedAbandonsCaller", InlineKind::None, 0},  {"DataHello", InlineKind::None, 0},
  };
  for (const auto& expected : cases) {
    SCOPED_TRACE(expected.Routine);
    const InlineArguments found = ClassifyRoutine(ShippedTable(), examination, rom.OffsetOf(expected.Routine));
    EXPECT_EQ(found.Kind, expected.Kind);
    if (expected.Kind != InlineKind::WordTableDispatch) {
      EXPECT_EQ(found.ByteCount, expected.ByteCount);
    }
  }
}

struct Tally {
  std::int32_t Asked = 0;
  std::int32_t Yes = 0;
  [[nodiscard]] double Rate() const { return Asked == 0 ? 0.0 : 100.0 * Yes / Asked; }
};

// Asked of untraced images, so that every answer comes from the bytes alone.
TEST(Recognizers, LooksLikeCodeRarelyTakesDataOrNoiseForCode) {
  Tally data;
  Tally routines;
  for (const char* name :
       {"jump_tables", "inline_args", "code_addresses", "state_machine_game", "banked_game", "object_game"}) {
    const TestRom& rom = AssembledTestRom(name);
    ASSERT_TRUE(rom.Failure.empty()) << rom.Failure;
    analysis::Examination examination;
    analysis::LoadRom(examination, rom.Image);
    for (std::size_t i = 0; i < rom.Labels.size(); ++i) {
      const testing::RomLabel& label = rom.Labels[i];
      // Fill follows the last data of a bank; 256 bytes cover every table and text.
      const std::int32_t next = std::min(i + 1 < rom.Labels.size() ? rom.Labels[i + 1].Offset : examination.Rom.RomSize,
                                         label.Offset + 256);
      if (label.IsCode() && !label.Name.starts_with("Site")) {
        ++routines.Asked;
        routines.Yes += LooksLikeCode(ShippedTable(), examination, label.Offset) ? 1 : 0;
      }
      for (std::int32_t at = label.Offset; label.IsData() && at < next && at < examination.Rom.RomSize; ++at) {
        ++data.Asked;
        data.Yes += LooksLikeCode(ShippedTable(), examination, at) ? 1 : 0;
      }
    }
  }
  const char* noiseNames[] = {"random bytes", "random text", "random tile bytes"};
  Tally noise[3];
  std::mt19937 random(13);
  const std::uint8_t tileBytes[] = {0x00, 0xFF, 0x3C, 0x7E, 0x18, 0x66, 0x81, 0xC3,
                                    0x24, 0x42, 0x99, 0xE7, 0x5A, 0xA5, 0x0F, 0xF0};
  for (int kind = 0; kind < 3; ++kind) {
    std::vector<std::uint8_t> image(0x10000);
    for (std::uint8_t& byte : image) {
      const std::uint32_t r = random();
      byte = static_cast<std::uint8_t>(kind == 0 ? r : kind == 1 ? 0x20 + r % 95 : tileBytes[r % 16]);
    }
    analysis::Examination examination;
    analysis::LoadRom(examination, image);
    for (std::int32_t at = 0; at < examination.Rom.RomSize; ++at, ++noise[kind].Asked) {
      noise[kind].Yes += LooksLikeCode(ShippedTable(), examination, at) ? 1 : 0;
    }
    std::printf("LooksLikeCode on %s: %d of %d offsets (%.2f %%)\n", noiseNames[kind], noise[kind].Yes,
                noise[kind].Asked, noise[kind].Rate());
  }
  std::printf("LooksLikeCode on data of the test cartridges: %d of %d offsets (%.2f %%)\n", data.Yes, data.Asked,
              data.Rate());
  std::printf("LooksLikeCode on their routines, nothing traced: %d of %d\n", routines.Yes, routines.Asked);
  // Bounds a little above what was measured, so that a change for the
  // worse shows; the few data offsets taken are bytes written to look like
  // code and offsets inside inline data just before the code that follows.
  EXPECT_LE(data.Rate(), 1.0);
  EXPECT_LE(noise[0].Rate(), 2.0);
  EXPECT_LE(noise[1].Rate(), 0.2);
  EXPECT_LE(noise[2].Rate(), 0.2);
  EXPECT_GE(routines.Yes * 10, routines.Asked * 7);
}

}  // namespace
}  // namespace bytegleaner::thorough
