#include "analysis/examination.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

namespace bytegleaner::analysis {
namespace {

using bytegleaner::testing::ExaminationOf;

TEST(Labels, NamesCarryOffsetAndNumberWithFixedNamesUsingNumbersUp) {
  Examination examination = ExaminationOf({}, 0x10000);
  AddLabel(examination, 0x0000);
  AddLabel(examination, 0x0150);
  AddLabel(examination, 0x0010);
  AddLabel(examination, 0x0038);
  AddLabel(examination, 0x4000);
  AddLabel(examination, 0x0066);
  AddLabel(examination, 0xC000);
  EXPECT_EQ(FindLabel(examination.Labels, 0x0000), "_START");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0150), "_Label_150_2");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0010), "_RST_10H");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0038), "_IRQ_HANDLER");
  EXPECT_EQ(FindLabel(examination.Labels, 0x4000), "_Label_4000_5");
  EXPECT_EQ(FindLabel(examination.Labels, 0x0066), "_NMI_HANDLER");
  EXPECT_EQ(FindLabel(examination.Labels, 0xC000), "_Label_C000_7");
  EXPECT_EQ(examination.Labels.LabelCount, 7);
  EXPECT_EQ(examination.Map[0x4000], HasLabel);
}

TEST(Labels, AllRstVectorsHaveFixedNames) {
  EXPECT_EQ(LabelName(0x08, 3), "_RST_08H");
  EXPECT_EQ(LabelName(0x18, 3), "_RST_18H");
  EXPECT_EQ(LabelName(0x20, 3), "_RST_20H");
  EXPECT_EQ(LabelName(0x28, 3), "_RST_28H");
  EXPECT_EQ(LabelName(0x30, 3), "_RST_30H");
  EXPECT_EQ(LabelName(0x40, 3), "_Label_40_3");
  EXPECT_EQ(LabelName(0x1ABCD, 12345), "_Label_1ABCD_12345");
}

TEST(Labels, SecondRecordingKeepsTheFirstNameAndCount) {
  Examination examination = ExaminationOf({}, 0x200);
  AddLabel(examination, 0x0120);
  AddLabel(examination, 0x0100);
  AddLabel(examination, 0x0120);
  EXPECT_EQ(examination.Labels.LabelCount, 2);
  EXPECT_EQ(FindLabel(examination.Labels, 0x0120), "_Label_120_1");
}

TEST(Labels, OffsetsOutsideTheImageHaveNoLabel) {
  Examination examination = ExaminationOf({}, 0x40);
  AddLabel(examination, 0x0066);
  AddLabel(examination, 0x0040);
  AddLabel(examination, -1);
  EXPECT_EQ(examination.Labels.LabelCount, 0);
  EXPECT_EQ(FindLabel(examination.Labels, 0x0066), "");
  EXPECT_EQ(FindLabel(examination.Labels, -5), "");
  EXPECT_EQ(FindLabel(examination.Labels, 0x7FFFFFFF), "");
}

TEST(Labels, LoadingAnotherImageStartsAfresh) {
  Examination examination = ExaminationOf(std::vector<std::uint8_t>(0x100, 0xFF));
  AddLabel(examination, 0x10);
  examination.Map[0x20] |= CodeStart;
  LoadRom(examination, std::vector<std::uint8_t>(0x80, 0x00));
  EXPECT_EQ(examination.Labels.LabelCount, 0);
  EXPECT_EQ(FindLabel(examination.Labels, 0x10), "");
  EXPECT_EQ(examination.Rom.RomSize, 0x80);
  EXPECT_EQ(examination.Map.size(), 0x85u);
  for (const std::uint8_t flags : examination.Map) ASSERT_EQ(flags, 0);
  for (std::size_t i = 0; i < examination.Rom.Bytes.size(); ++i) ASSERT_EQ(examination.Rom.Bytes[i], 0) << i;
}

}  // namespace
}  // namespace bytegleaner::analysis
