#include "analysis/entry_points.h"
#include "analysis/examination.h"
#include "analysis/tracer.h"
#include "text/number_text.h"
#include "reporting/user_interface.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace bytegleaner::analysis {
namespace {

using bytegleaner::testing::ShippedTable;

void Place(std::vector<std::uint8_t>& image, std::int32_t offset, std::initializer_list<int> bytes) {
  for (const int byte : bytes) image[static_cast<std::size_t>(offset++)] = static_cast<std::uint8_t>(byte);
}

std::vector<std::int32_t> CodeStarts(const Examination& examination) {
  std::vector<std::int32_t> starts;
  for (std::int32_t i = 0; i < examination.Rom.RomSize; ++i) {
    if ((examination.Map[static_cast<std::size_t>(i)] & CodeStart) != 0) starts.push_back(i);
  }
  return starts;
}

Examination Examine(std::vector<std::uint8_t> image, bool breakAtIndirectJump = true,
                    std::vector<std::string>* statusLines = nullptr) {
  Examination examination;
  LoadRom(examination, image);
  reporting::UserInterface ui;
  if (statusLines != nullptr) ui.AddStatusLine = [statusLines](std::string_view line) { statusLines->emplace_back(line); };
  ExamineEntryPoints(ShippedTable(), examination, breakAtIndirectJump, ui);
  return examination;
}

TEST(Examination, TracesTheExampleImageInDepthFirstOrder) {
  std::vector<std::uint8_t> image(0x200, 0);
  Place(image, 0x0000, {0xF3, 0x31, 0x00, 0xC0, 0xC3, 0x00, 0x01});
  Place(image, 0x0010, {0xC9});
  Place(image, 0x0038, {0xF5, 0xF1, 0xFB, 0xC9});
  Place(image, 0x0066, {0xED, 0x45});
  Place(image, 0x0100, {0xCD, 0x10, 0x01, 0x18, 0xFB});
  Place(image, 0x0110, {0xD7, 0xC9});
  std::vector<std::string> statusLines;
  const Examination examination = Examine(image, true, &statusLines);

  EXPECT_EQ(examination.Labels.LabelCount, 6);
  const std::map<std::int32_t, std::string> expected{
      {0x0000, "_START"},       {0x0100, "_Label_100_2"}, {0x0110, "_Label_110_3"},
      {0x0010, "_RST_10H"},     {0x0038, "_IRQ_HANDLER"}, {0x0066, "_NMI_HANDLER"}};
  for (const auto& [offset, name] : expected) EXPECT_EQ(FindLabel(examination.Labels, offset), name);
  EXPECT_EQ(CodeStarts(examination), (std::vector<std::int32_t>{0x0000, 0x0001, 0x0004, 0x0010, 0x0038, 0x0039, 0x003A,
                                                                0x003B, 0x0066, 0x0100, 0x0103, 0x0110, 0x0111}));
  EXPECT_EQ(statusLines,
            (std::vector<std::string>{"Examining code...", "Examining IRQ handler...", "Examining NMI handler..."}));
}

TEST(Examination, InterruptLabelsFollowTheLabelsFoundBeforeThem) {
  std::vector<std::uint8_t> image(0x300, 0);
  Place(image, 0x0000, {0xCD, 0x00, 0x02, 0xC9});  // call $0200; ret
  Place(image, 0x0200, {0xC9});
  Place(image, 0x0038, {0xCD, 0x80, 0x02, 0xC9});
  Place(image, 0x0280, {0xC9});
  Place(image, 0x0066, {0xED, 0x45});
  const Examination examination = Examine(image);
  EXPECT_EQ(FindLabel(examination.Labels, 0x0200), "_Label_200_2");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0280), "_Label_280_4");
  EXPECT_EQ(examination.Labels.LabelCount, 5);
}

TEST(Examination, NestedTargetsAreNumberedBeforeTheRunGoesOn) {
  std::vector<std::uint8_t> image(0x400, 0);
  // call A; call B; ret -- with A calling C: C must be numbered before B.
  Place(image, 0x0000, {0xCD, 0x00, 0x01, 0xCD, 0x00, 0x02, 0xC9});
  Place(image, 0x0100, {0xCD, 0x00, 0x03, 0xC9});
  Place(image, 0x0200, {0xC9});
  Place(image, 0x0300, {0xC9});
  const Examination examination = Examine(image);
  EXPECT_EQ(FindLabel(examination.Labels, 0x0100), "_Label_100_2");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0300), "_Label_300_3");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0200), "_Label_200_4");
}

TEST(Examination, RstVectorIsTracedAfterTheInstructionsTarget) {
  std::vector<std::uint8_t> image(0x400, 0);
  // rst $08 at $0000, then a jp whose target calls on.
  Place(image, 0x0000, {0xCF, 0xC3, 0x00, 0x01});
  Place(image, 0x0008, {0xCD, 0x00, 0x02, 0xC9});
  Place(image, 0x0100, {0xC9});
  Place(image, 0x0200, {0xC9});
  const Examination examination = Examine(image);
  EXPECT_EQ(FindLabel(examination.Labels, 0x0008), "_RST_08H");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0200), "_Label_200_3");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0100), "_Label_100_4");
  // rst $38 and rst $00 are never followed; they are entry points anyway.
}

TEST(Examination, IndirectJumpEndsTheRunOnlyWhenAskedTo) {
  std::vector<std::uint8_t> image(0x200, 0);
  Place(image, 0x0000, {0xE9, 0xC3, 0x00, 0x01, 0xC9});  // jp (hl); then a "table" that decodes as jp $0100
  Place(image, 0x0100, {0xC9});
  const Examination stopping = Examine(image, true);
  EXPECT_EQ(FindLabel(stopping.Labels, 0x0100), "");
  EXPECT_EQ(stopping.Map[1], 0);
  const Examination going = Examine(image, false);
  EXPECT_EQ(FindLabel(going.Labels, 0x0100), "_Label_100_2");
  EXPECT_EQ(going.Map[1], CodeStart);
  // jp (ix) behaves the same.
  Place(image, 0x0000, {0xDD, 0xE9, 0xC3, 0x00, 0x01});
  EXPECT_EQ(Examine(image, true).Map[2], 0);
  EXPECT_EQ(Examine(image, false).Map[2], CodeStart);
}

TEST(Examination, TargetsOutsideTheImageAreDropped) {
  std::vector<std::uint8_t> small(0x8000, 0);
  Place(small, 0x0000, {0xCD, 0x00, 0xC0, 0xCD, 0x10, 0x80, 0x18, 0x80});  // call $C000; call $8010; jr -$80
  const Examination examination = Examine(small);
  EXPECT_EQ(examination.Labels.LabelCount, 3);  // _START and the two interrupt handlers
  std::vector<std::uint8_t> large(0x10000, 0);
  Place(large, 0x0000, {0xCD, 0x00, 0xC0, 0xC9});
  Place(large, 0xC000, {0xC9});
  EXPECT_EQ(FindLabel(Examine(large).Labels, 0xC000), "_Label_C000_2");
}

TEST(Examination, RelativeJumpAtABanksEndLeadsIntoTheNextBank) {
  std::vector<std::uint8_t> image(0x8000, 0);
  Place(image, 0x0000, {0xC3, 0xFE, 0x3F});
  Place(image, 0x3FFE, {0x18, 0x10});
  Place(image, 0x4010, {0xC9});
  const Examination examination = Examine(image);
  EXPECT_EQ(FindLabel(examination.Labels, 0x4010), "_Label_4010_3");
}

TEST(Examination, MeetingTracedCodeEndsTheRunAfterThatInstruction) {
  std::vector<std::uint8_t> image(0x200, 0);
  // The subroutine follows the caller's code: the caller falls into it.
  Place(image, 0x0000, {0xCD, 0x04, 0x00, 0x00, 0x3E, 0x01, 0xC9});
  Place(image, 0x0038, {0x18, 0xFE});  // jr to itself
  Place(image, 0x0066, {0xED, 0x45});
  const Examination examination = Examine(image);
  EXPECT_EQ(CodeStarts(examination), (std::vector<std::int32_t>{0x0000, 0x0003, 0x0004, 0x0006, 0x0038, 0x0066}));
  EXPECT_EQ(examination.Labels.LabelCount, 4);
}

TEST(Examination, JumpIntoAnInstructionStartsAnOverlappingRun) {
  std::vector<std::uint8_t> image(0x200, 0);
  Place(image, 0x0000, {0x3E, 0xAF, 0xC3, 0x01, 0x00});  // ld a,$AF; jp $0001 (xor a)
  const Examination examination = Examine(image);
  EXPECT_EQ(examination.Map[0], CodeStart | HasLabel);
  EXPECT_EQ(examination.Map[1], CodeStart | HasLabel);
}

TEST(Examination, CodeRunningOffTheImagesEndStops) {
  std::vector<std::uint8_t> image(0x70, 0);  // nothing but nops
  image[0x6F] = 0xCD;                        // a call whose operand lies past the end
  const Examination examination = Examine(image);
  EXPECT_EQ(CodeStarts(examination).size(), 0x70u);
  EXPECT_EQ(FindLabel(examination.Labels, 0), "_START");
}

TEST(Examination, ShortImagesRecordNoLabelsOutsideThem) {
  for (const std::size_t size : {0u, 1u, 0x33u, 0x38u, 0x39u, 0x66u, 0x67u}) {
    const Examination examination = Examine(std::vector<std::uint8_t>(size, 0xC9));
    const int expected = (size > 0 ? 1 : 0) + (size > 0x38 ? 1 : 0) + (size > 0x66 ? 1 : 0);
    EXPECT_EQ(examination.Labels.LabelCount, expected) << size;
    EXPECT_EQ(examination.Map.size(), size + SpareBytes);
  }
}

TEST(Examination, MillionDeepCallChainIsTracedInOrder) {
  // Each routine first calls the next one, which is not traced yet.
  constexpr std::int32_t Depth = 1'000'000;
  std::vector<std::uint8_t> image(static_cast<std::size_t>(Depth) * 4 + 16, 0);
  // jr +2 leads to the next link; relative jumps reach through any image size.
  for (std::size_t at = 0; at < static_cast<std::size_t>(Depth) * 4; at += 4) {
    image[at] = 0x18;
    image[at + 1] = 0x02;
  }
  const Examination examination = Examine(image);
  EXPECT_EQ(FindLabel(examination.Labels, 4), "_Label_4_2");
  EXPECT_EQ(FindLabel(examination.Labels, (Depth - 1) * 4), "_Label_" + text::HexText((Depth - 1) * 4) + "_" + std::to_string(Depth));
}

}  // namespace
}  // namespace bytegleaner::analysis
