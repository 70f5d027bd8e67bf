#include "opcodes/decoder.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

namespace bytegleaner::opcodes {
namespace {

using bytegleaner::testing::Bytes;
using bytegleaner::testing::ExaminationOf;
using bytegleaner::testing::MakeTable;

// Templates in the spelling of the shipped table, stated here so each case
// names what it depends on.
const OpcodeTable& Table() {
  static const OpcodeTable table = MakeTable({
      {0x00, "nop"},
      {0x01, "ld bc,##"},
      {0x06, "ld b,#"},
      {0x18, "jr +"},
      {0xC3, "jp *"},
      {0xCD, "call *"},
      {0xE9, "jp (hl)"},
      {0x100 + 0x00, "rlc b"},
      {0x200 + 0x45, "retn"},
      {0x300 + 0x21, "ld i?,##"},
      {0x300 + 0x29, "add i?,i?"},
      {0x300 + 0x36, "ld (i?),#"},
      {0x300 + 0x65, "ld i?h,i?l"},
      {0x300 + 0x7E, "ld a,(i?)"},
      {0x300 + 0xDD, "odd ##"},
      {0x300 + 0xE9, "jp (I?)"},
      {0x400 + 0x46, "bit 0,(i?)"},
      {0x400 + 0xC7, "set 0,(i?),a"},
      {0x500 - 1, "bad #,#"},
  });
  return table;
}

DecodedInstruction Decode(const std::vector<std::uint8_t>& bytes, std::int32_t offset = 0,
                          analysis::Examination* examination = nullptr) {
  analysis::Examination local = ExaminationOf(bytes);
  DecodedInstruction decoded;
  DecodeInstruction(Table(), examination != nullptr ? *examination : local, offset, decoded);
  return decoded;
}

TEST(Decoder, PrefixesSelectPagesAndPrefixCode) {
  struct Case {
    std::vector<std::uint8_t> Bytes;
    int TableIndex;
    int PrefixCode;
    int Length;
    const char* Text;
  };
  const Case cases[] = {
      {Bytes({0x00}), 0x000, 0, 1, "nop"},
      {Bytes({0xCB, 0x00}), 0x100, 0xCB, 2, "rlc b"},
      {Bytes({0xED, 0x45}), 0x245, 0xED, 2, "retn"},
      {Bytes({0xDD, 0xE9}), 0x3E9, 0, 2, "jp (ix)"},
      {Bytes({0xFD, 0xE9}), 0x3E9, 0, 2, "jp (iy)"},
      {Bytes({0xDD, 0xCB, 0xFE, 0x46}), 0x446, 0xCB, 4, "bit 0,(ix+$FE)"},
      {Bytes({0xFD, 0xCB, 0x03, 0xC7}), 0x4C7, 0xCB, 4, "set 0,(iy+$3),a"},
      {Bytes({0xFD, 0x7E, 0x00}), 0x37E, 0, 3, "ld a,(iy+$0)"},
      // A second prefix is this page's opcode, not a new prefix.
      {Bytes({0xDD, 0xDD, 0x34, 0x12}), 0x3DD, 0, 4, "odd $1234"},
      // Empty templates still have the prefix's length.
      {Bytes({0xED, 0x00}), 0x200, 0xED, 2, ""},
      {Bytes({0xDD, 0xCB, 0x01, 0x00}), 0x400, 0xCB, 4, ""},
  };
  for (const Case& c : cases) {
    const DecodedInstruction decoded = Decode(c.Bytes);
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(decoded.TableIndex, c.TableIndex);
    EXPECT_EQ(decoded.PrefixCode, c.PrefixCode);
    EXPECT_EQ(decoded.Length, c.Length);
    EXPECT_EQ(decoded.Text, c.Text);
    EXPECT_EQ(decoded.Kind, TargetKind::NoTarget);
  }
}

TEST(Decoder, OperandsAreReadInPlaceholderOrder) {
  // Displacement before immediate.
  EXPECT_EQ(Decode(Bytes({0xDD, 0x36, 0x05, 0x80})).Text, "ld (ix+$5),$80");
  EXPECT_EQ(Decode(Bytes({0xDD, 0x36, 0x05, 0x80})).Length, 4);
  EXPECT_EQ(Decode(Bytes({0x01, 0x34, 0x12})).Text, "ld bc,$1234");
  EXPECT_EQ(Decode(Bytes({0x01, 0x00, 0x00})).Text, "ld bc,$0");
  EXPECT_EQ(Decode(Bytes({0x06, 0x0A})).Text, "ld b,$A");
  EXPECT_EQ(Decode(Bytes({0xFD, 0x21, 0xFF, 0xFF})).Text, "ld iy,$FFFF");
  // "i?" is replaced twice, both halves of an index register too.
  EXPECT_EQ(Decode(Bytes({0xDD, 0x29})).Text, "add ix,ix");
  EXPECT_EQ(Decode(Bytes({0xFD, 0x65})).Text, "ld iyh,iyl");
  // Only the first "#" is an operand; a second one stays as it is.
  const DecodedInstruction odd = Decode(Bytes({0xFD, 0xCB, 0x01, 0xFF, 0x77}));
  EXPECT_EQ(odd.Text, "bad $77,#");
  EXPECT_EQ(odd.Length, 5);
}

TEST(Decoder, RelativeTargetsUseLabelsOrTheRawByte) {
  std::vector<std::uint8_t> bytes(0x200, 0);
  bytes[0x100] = 0x18;
  bytes[0x101] = 0xFE;
  analysis::Examination examination = ExaminationOf(bytes);
  DecodedInstruction plain = Decode({}, 0x100, &examination);
  EXPECT_EQ(plain.Kind, TargetKind::RelativeTarget);
  EXPECT_EQ(plain.Target, 0x100);
  EXPECT_EQ(plain.Text, "jr $FE");
  EXPECT_EQ(plain.Length, 2);

  analysis::AddLabel(examination, 0x100);
  EXPECT_EQ(Decode({}, 0x100, &examination).Text, "jr _Label_100_1");

  // Backwards past the image's start: no label can match.
  const DecodedInstruction negative = Decode(Bytes({0x18, 0x80}));
  EXPECT_EQ(negative.Target, -126);
  EXPECT_EQ(negative.Text, "jr $80");
}

TEST(Decoder, AbsoluteTargetsUseLabelsButValuesNever) {
  std::vector<std::uint8_t> bytes(0x200, 0);
  const std::vector<std::uint8_t> code = Bytes({0xC3, 0x50, 0x01, 0xCD, 0x00, 0xC0, 0x01, 0x50, 0x01});
  std::copy(code.begin(), code.end(), bytes.begin());
  analysis::Examination examination = ExaminationOf(bytes);
  analysis::AddLabel(examination, 0x0000);
  analysis::AddLabel(examination, 0x0150);

  DecodedInstruction jump = Decode({}, 0, &examination);
  EXPECT_EQ(jump.Kind, TargetKind::AbsoluteTarget);
  EXPECT_EQ(jump.Target, 0x150);
  EXPECT_EQ(jump.Text, "jp _Label_150_2");
  DecodedInstruction call = Decode({}, 3, &examination);
  EXPECT_EQ(call.Target, 0xC000);
  EXPECT_EQ(call.Text, "call $C000");
  EXPECT_EQ(Decode({}, 6, &examination).Text, "ld bc,$150");
}

TEST(Decoder, InstructionAtTheImagesEndReadsZeroSpareBytes) {
  const DecodedInstruction decoded = Decode(Bytes({0x00, 0xDD, 0xCB}), 1);
  EXPECT_EQ(decoded.TableIndex, 0x400);
  EXPECT_EQ(decoded.Length, 4);
  EXPECT_EQ(decoded.Text, "");
  EXPECT_EQ(Decode(Bytes({0xC3}), 0).Text, "jp $0");
}

TEST(Decoder, KeepsAnEarlierTargetWhenTheInstructionHasNone) {
  analysis::Examination examination = ExaminationOf(Bytes({0xC3, 0x34, 0x12, 0x00}));
  DecodedInstruction decoded;
  DecodeInstruction(Table(), examination, 0, decoded);
  DecodeInstruction(Table(), examination, 3, decoded);
  EXPECT_EQ(decoded.Kind, TargetKind::NoTarget);
  EXPECT_EQ(decoded.Target, 0x1234);
}

TEST(Decoder, MeasuringAgreesWithDecoding) {
  const std::vector<std::uint8_t> bytes =
      Bytes({0xDD, 0x36, 0x05, 0x80, 0x18, 0xFE, 0xCD, 0x00, 0x01, 0xFD, 0xCB, 0x02, 0x46, 0xED, 0x45});
  analysis::Examination examination = ExaminationOf(bytes);
  for (std::int32_t offset = 0; offset < static_cast<std::int32_t>(bytes.size()); ++offset) {
    DecodedInstruction full;
    DecodedInstruction measured;
    DecodeInstruction(Table(), examination, offset, full);
    MeasureInstruction(Table(), examination, offset, measured);
    EXPECT_EQ(full.Length, measured.Length) << offset;
    EXPECT_EQ(full.TableIndex, measured.TableIndex) << offset;
    EXPECT_EQ(full.Kind, measured.Kind) << offset;
    if (full.Kind != TargetKind::NoTarget) {
      EXPECT_EQ(full.Target, measured.Target) << offset;
    }
  }
}

TEST(ReplaceFirst, ReplacesOnlyTheFirstCaseSensitiveMatch) {
  EXPECT_EQ(ReplaceFirst("ld i?,i?", "i?", "ix"), "ld ix,i?");
  EXPECT_EQ(ReplaceFirst("jp (I?)", "i?", "ix"), "jp (I?)");
  EXPECT_EQ(ReplaceFirst("##", "#", "$1"), "$1#");
}

}  // namespace
}  // namespace bytegleaner::opcodes

#include "opcodes/template_text.h"

#include <random>

namespace bytegleaner::opcodes {
namespace {

// The compiled form must give exactly the text of the replacement steps,
// for every shipped template and for random ones built from placeholder
// pieces that can overlap and join.
TEST(TemplateText, CompiledTemplatesGiveTheReferenceText) {
  const char* const pieces[] = {"#", "##", "*", "+", "(i?)", "i?", "I?", "?", "i", "(", ")", "ld ", ",", "I", "\x02"};
  std::mt19937 random(7);
  OpcodeTable table = bytegleaner::testing::ShippedTable();
  for (int index = 0; index < 512; ++index) {
    std::string text;
    for (int piece = static_cast<int>(random() % 6); piece >= 0; --piece) text += pieces[random() % std::size(pieces)];
    SetTemplate(table, IndexPage + index, text);
  }
  // A register name without a prefix is a bare "i", which joins a "?" after it.
  SetTemplate(table, IndexPage, "ld i??,I?");
  SetTemplate(table, IndexPage + 1, "ii??");
  for (int index = 0; index < OpcodeTableSize; ++index) {
    for (const char letter : {'\0', 'x', 'y'}) {
      const TemplateOperands operands{letter, static_cast<std::uint8_t>(random()), static_cast<std::uint16_t>(random()),
                                      index % 2 == 0 ? "_Label_1F_3" : "$FE"};
      std::string reference;
      FillTemplate(reference, table.Templates[static_cast<std::size_t>(index)], table.Shapes[static_cast<std::size_t>(index)],
                   operands);
      if (!CompiledTemplateIsExact(table, index, letter)) continue;
      std::string fast;
      AppendCompiledTemplate(fast, table.Compiled[static_cast<std::size_t>(index)], operands);
      ASSERT_EQ(fast, reference) << "template \"" << table.Templates[static_cast<std::size_t>(index)] << "\"";
    }
  }
}

}  // namespace
}  // namespace bytegleaner::opcodes
