#include "opcodes/opcode_table.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bytegleaner::opcodes {
namespace {

std::vector<std::uint8_t> AsBytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string EntryLines(int count, int firstNumber = 0) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "KEY     t" + std::to_string(firstNumber + i) + "\r\n";
  return text;
}

TEST(OpcodeTableFile, FillsEntriesInFileOrderSkippingComments) {
  const std::string file = "; base page\r\n" + EntryLines(640) + ";\r\n; more\r\n" + EntryLines(640, 640);
  OpcodeTable table;
  ASSERT_EQ(ReadOpcodeTable(AsBytes(file), table), OpcodeTableStatus::Loaded);
  EXPECT_EQ(table.Templates[0], "t0");
  EXPECT_EQ(table.Templates[640], "t640");
  EXPECT_EQ(table.Templates[1279], "t1279");
}

TEST(OpcodeTableFile, TakesColumnsNineToThirtyThreeVerbatim) {
  const std::string file =
      "12345678ld a,#   \r\n"                                   // trailing blanks belong to the template
      "12345678" + std::string(25, 'y') + "ignored\r\n"         // column 34 on never reaches the table
      "short\r\n"                                               // 8 characters or fewer: empty template
      " ;      not a comment\r\n"                               // only column 1 makes a comment
      "\r\n"                                                    // an empty line is an entry
      + EntryLines(1275);
  OpcodeTable table;
  ASSERT_EQ(ReadOpcodeTable(AsBytes(file), table), OpcodeTableStatus::Loaded);
  EXPECT_EQ(table.Templates[0], "ld a,#   ");
  EXPECT_EQ(table.Templates[1], std::string(25, 'y'));
  EXPECT_EQ(table.Templates[2], "");
  EXPECT_EQ(table.Templates[3], "not a comment");
  EXPECT_EQ(table.Templates[4], "");
  EXPECT_EQ(table.Templates[5], "t0");
  EXPECT_TRUE(table.Shapes[0].HasByte);
}

TEST(OpcodeTableFile, LineEndsShiftEntriesAsTheLineRulesSay) {
  // CR alone eats the next line's first byte; LF alone joins two lines.
  const std::string file = "KEY     one\rXKEY     two\nKEY     three\r\n" + EntryLines(1278);
  OpcodeTable table;
  ASSERT_EQ(ReadOpcodeTable(AsBytes(file), table), OpcodeTableStatus::Loaded);
  EXPECT_EQ(table.Templates[0], "one");
  EXPECT_EQ(table.Templates[1], "two\nKEY     three");
  EXPECT_EQ(table.Templates[2], "t0");
}

TEST(OpcodeTableFile, CountsEntryLinesWithLookAheadEnd) {
  OpcodeTable table;
  EXPECT_EQ(ReadOpcodeTable({}, table), OpcodeTableStatus::TooFewEntries);
  EXPECT_EQ(ReadOpcodeTable(AsBytes(EntryLines(1279) + ";c\r\n;c\r\n"), table), OpcodeTableStatus::TooFewEntries);
  // A final empty line after the 1279th entry is the 1280th entry.
  EXPECT_EQ(ReadOpcodeTable(AsBytes(EntryLines(1279) + "\r\n"), table), OpcodeTableStatus::Loaded);
  EXPECT_EQ(table.Templates[1279], "");
  // Whatever follows the 1280th entry is never read.
  EXPECT_EQ(ReadOpcodeTable(AsBytes(EntryLines(1280) + std::string(9000, '\xFF')), table), OpcodeTableStatus::Loaded);
  EXPECT_EQ(table.Templates[1279], "t1279");
}

TEST(OpcodeTableFile, ReportsBothFailuresWithTheirMessages) {
  OpcodeTable table;
  EXPECT_EQ(LoadOpcodeTableFrom("/nonexistent/opcodes.dat", table), OpcodeTableStatus::CannotOpen);
  EXPECT_EQ(LoadOpcodeTableFrom("/", table), OpcodeTableStatus::CannotOpen);
  EXPECT_EQ(OpcodeTableMessage(OpcodeTableStatus::CannotOpen), "Can't load Opcodes.dat.");
  EXPECT_EQ(OpcodeTableMessage(OpcodeTableStatus::TooFewEntries),
            "There are not enough instructions in Opcodes.dat.");
}

}  // namespace
}  // namespace bytegleaner::opcodes
