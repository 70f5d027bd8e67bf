#include "hints/hint_text.h"
#include "hints/hints_reader.h"
#include "hints/hints_writer.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bytegleaner::hints {
namespace {

constexpr std::int32_t RomSize = 0x8000;

HintsReading Read(const std::string& text, std::int32_t romSize = RomSize) {
  return ReadHints({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "g.hints", romSize);
}

// Each hint as "kind $first-$last text @line", joined.
std::string Described(const std::vector<Hint>& hints) {
  std::string described;
  for (const Hint& hint : hints) {
    described += std::string(HintWord(hint.Kind)) + " " + AddressText(hint.First) + "-" + AddressText(hint.Last) +
                 " " + hint.Text + "@" + std::to_string(hint.Line) + "; ";
  }
  return described;
}

TEST(HintsReader, ReadsEveryKindWhateverTheLineEnds) {
  const HintsReading reading = Read(
      "\xEF\xBB\xBF; made by hand\r\n"
      "code $100\n"
      "  CODE 1:$8123 ; an entry\r"
      "# skipped\n"
      "\n"
      "data $7000 - $70FF\n"
      "words $2A96-$2AB5 ; table\r\n"
      "text 0:$0200-$20F\n"
      "name $0100\tMain_Loop2\n"
      "comment $100   Waits for; the VDP \n"
      "code $7FFF");
  EXPECT_TRUE(reading.Errors.empty()) << reading.Errors.front();
  EXPECT_EQ(reading.LineCount, 11);
  EXPECT_EQ(Described(reading.Hints),
            "code $0100-$0100 @2; code $4123-$4123 @3; data $7000-$70FF @6; words $2A96-$2AB5 @7; "
            "text $0200-$020F @8; name $0100-$0100 Main_Loop2@9; comment $0100-$0100 Waits for; the VDP@10; "
            "code $7FFF-$7FFF @11; ");
  EXPECT_EQ(HintsReadMessage("g.hints", reading), "Hints read from g.hints: 11 lines, 8 hints");
}

TEST(HintsReader, NamesTheFileAndLineOfEachBadLine) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"cdoe $10", "unknown hint \"cdoe\""},
      {"code 1234", "malformed address \"1234\" (write $hhhh or bank:$hhhh)"},
      {"code", "an address is missing"},
      {"code $10 $20", "unexpected \"$20\" after the address"},
      {"code $8000", "\"$8000\" is outside the image ($0000-$7FFF)"},
      {"code 2:$8000", "\"2:$8000\" (offset $8000) is outside the image ($0000-$7FFF)"},
      {"code 1:$C000", "\"1:$C000\" is no slot address: a slot address is $0000-$BFFF"},
      {"data $20", "a range ADDR-ADDR is missing"},
      {"data $10-", "malformed range \"$10-\" (write ADDR-ADDR)"},
      {"data $20-$1F", "the range \"$20-$1F\" ends before it starts"},
      {"words $10-$12", "the words range \"$10-$12\" holds an odd number of bytes, not whole 2-byte entries"},
      {"name $10 Foo Bar", "unexpected \"Bar\" after the name"},
      {"name $10 1abc", "the name \"1abc\" does not begin with a letter"},
      {"name $10 _Label_10_1", "the name \"_Label_10_1\" begins with \"_\", which the program keeps for its own labels"},
      {"name $10 a.b", "the name \"a.b\" holds \".\"; a name takes letters, digits and \"_\""},
      {"name $10 HL", "the name \"HL\" is a register or condition name"},
      {"name $10 " + std::string(256, 'x'), "the name \"" + std::string(40, 'x') + "...\" is longer than 255 characters"},
      {"comment $10", "the comment's text after the address is missing"},
      {"comment $10 a\x01", "the comment's text holds a control character"},
      {"name $10 Foo\nname $20 Foo", "the name \"Foo\" is given at line 2 already"},
      {"name $10 Foo\nname $10 Bar", "$0010 is named \"Foo\" at line 2 already"},
      {"data $10-$1F\ncode $18", "code $0018 lies inside the data range of line 2"},
  };
  for (const auto& [line, message] : cases) {
    const HintsReading reading = Read("; first line\n" + line + "\n");
    const std::string lineNumber = line.find('\n') == std::string::npos ? "2" : "3";
    EXPECT_EQ(reading.Errors, std::vector<std::string>{"g.hints:" + lineNumber + ": " + message}) << line;
  }
}

TEST(HintsReader, FindsRangesOverlappingTracedInstructions) {
  const HintsReading reading = Read("data $10-$1F\ntext $30-$3F\nwords $0C-$0F\n");
  ASSERT_TRUE(reading.Errors.empty());
  // One traced instruction, $0E-$10; each offset of the ranges is asked once.
  int asked = 0;
  const auto instructionAt = [&asked](std::int32_t offset) { return ++asked, offset >= 0x0E && offset <= 0x10 ? 0x0E : -1; };
  EXPECT_EQ(CheckRangesAgainstCode(reading.Hints, "g.hints", instructionAt),
            (std::vector<std::string>{"g.hints:1: data $0010-$001F overlaps the instruction at $000E traced from the code hints",
                                      "g.hints:3: words $000C-$000F overlaps the instruction at $000E traced from the code hints"}));
  EXPECT_EQ(asked, 0x24);
}

// The fuzzer reads what the writer makes of every file it reads back.
TEST(HintsWriter, WritesOneLinePerDecisionWithItsReason) {
  const std::vector<Decision> decisions{
      {{HintKind::Words, 0x2A96, 0x2AB5, {}, 0}, "jump table used at $0148"},
      {{HintKind::Data, 0x14000, 0x14FFF, {}, 0}, ""},
      {{HintKind::Text, 0x300, 0x30F, {}, 0}, "printable\r\nrun"},
      {{HintKind::Comment, 0x148, 0x148, "A; B", 0}, "why"},
  };
  const std::string text = HintsFileText(decisions, "game.sms");
  EXPECT_NE(text.find("\r\n\r\nwords $2A96-$2AB5 ; jump table used at $0148\r\n"
                      "data $14000-$14FFF\r\n"
                      "text $0300-$030F ; printable  run\r\n"
                      "; why\r\ncomment $0148 A; B\r\n"),
            std::string::npos)
      << text;
  EXPECT_TRUE(Read(text, 0x20000).Errors.empty());
}

TEST(HintsWriter, ReplacesAFileOnlyWhenAsked) {
  const testing::TempFolder folder;
  const std::string path = HintsPathFor(folder.File("game.sms"));
  EXPECT_EQ(WriteHintsFile(path, "first", false), HintsFileStatus::Written);
  EXPECT_EQ(WriteHintsFile(path, "second", false), HintsFileStatus::AlreadyExists);
  EXPECT_EQ(testing::ReadText(path), "first");
  EXPECT_EQ(WriteHintsFile(path, "third", true), HintsFileStatus::Written);
  EXPECT_EQ(testing::ReadText(path), "third");
  EXPECT_EQ(WriteHintsFile(folder.File("none/x.hints"), "x", true), HintsFileStatus::CannotCreate);
}

}  // namespace
}  // namespace bytegleaner::hints
