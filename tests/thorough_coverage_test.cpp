// How much of each test cartridge's code the thorough analysis finds, by
// the labels of its symbol file: code labels must start traced
// instructions, data labels must stay out of traced code; and the source
// bytegleaner-cli writes for it assembles back into the cartridge.
#include "analysis/examination.h"
#include "analysis/thorough/instruction_steps.h"
#include "analysis/thorough/thorough_examination.h"
#include "tests/test_roms.h"
#include "tests/test_support.h"
#include "tests/wla_dx.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>

namespace bytegleaner::thorough {
namespace {

using testing::AssembledTestRom;
using testing::ShippedTable;
using testing::TestRom;

struct Cartridge {
  const char* Name;
  bool GameShaped;  // held to finding 95 % of its code
};

// Names the parameter in test lists, which would show its bytes otherwise.
void PrintTo(const Cartridge& cartridge, std::ostream* out) { *out << cartridge.Name; }

class Coverage : public ::testing::TestWithParam<Cartridge> {};

TEST_P(Coverage, FindsTheCodeLabelsAndNoDataLabelInsideCode) {
  const TestRom& rom = AssembledTestRom(GetParam().Name);
  ASSERT_TRUE(rom.Failure.empty()) << rom.Failure;
  analysis::Examination examination;
  analysis::LoadRom(examination, rom.Image);
  Findings findings;
  ExamineThoroughly(ShippedTable(), examination, findings);

  std::int32_t codeLabels = 0;
  std::int32_t found = 0;
  std::string missed;
  std::string dataInCode;
  for (const testing::RomLabel& label : rom.Labels) {
    const bool traced = (examination.Map[static_cast<std::size_t>(label.Offset)] & analysis::CodeStart) != 0;
    if (label.IsCode()) {
      ++codeLabels;
      found += traced ? 1 : 0;
      if (!traced) missed += " " + label.Name;
    }
    if (label.IsData() && (traced || InsideTracedInstruction(ShippedTable(), examination, label.Offset))) {
      dataInCode += " " + label.Name;
    }
  }
  std::printf("%s: %d of %d code labels found as code; data labels inside code:%s\n", GetParam().Name, found,
              codeLabels, dataInCode.empty() ? " none" : dataInCode.c_str());

  EXPECT_TRUE(dataInCode.empty()) << "data labels inside code:" << dataInCode;
  if (GetParam().GameShaped) {
    EXPECT_GE(found * 100, codeLabels * 95) << "missed:" << missed;
  }
}

TEST_P(Coverage, RebuildsByteForByteFromTheThoroughSource) {
  const TestRom& rom = AssembledTestRom(GetParam().Name);
  ASSERT_TRUE(rom.Failure.empty()) << rom.Failure;
  EXPECT_EQ(testing::RoundTripFailure(std::string(GetParam().Name) + ".sms", rom.Image), "");
}

INSTANTIATE_TEST_SUITE_P(TestCartridges, Coverage,
                         ::testing::Values(Cartridge{"jump_tables", false}, Cartridge{"inline_args", false},
                                           Cartridge{"code_addresses", false},
                                           Cartridge{"state_machine_game", true}, Cartridge{"banked_game", true},
                                           Cartridge{"object_game", true}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace bytegleaner::thorough
