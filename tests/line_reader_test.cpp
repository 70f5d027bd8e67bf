#include "text/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bytegleaner::text {
namespace {

std::vector<std::string> AllLines(const std::string& text) {
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  LineReader reader{bytes};
  std::vector<std::string> lines;
  do {
    lines.push_back(reader.ReadLine());
  } while (!reader.AtEnd());
  return lines;
}

TEST(LineReader, SplitsByTheProgramsLineRules) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(AllLines("ab\r\ncd\r\n"), (Lines{"ab", "cd"}));
  EXPECT_EQ(AllLines("ab\r\ncd"), (Lines{"ab", "cd"}));
  // CR swallows whatever byte follows it.
  EXPECT_EQ(AllLines("ab\rXcd"), (Lines{"ab", "cd"}));
  // LF alone is text.
  EXPECT_EQ(AllLines("ab\ncd\r\n"), (Lines{"ab\ncd"}));
  // A 0 byte ends the line without swallowing the next byte.
  EXPECT_EQ(AllLines(std::string("ab\0cd", 5)), (Lines{"ab", "cd"}));
  // An empty input still yields one empty line; a trailing empty line counts.
  EXPECT_EQ(AllLines(""), (Lines{""}));
  EXPECT_EQ(AllLines("a\r\n\r\n"), (Lines{"a", ""}));
}

TEST(LineReader, KeepsOnlyTheStartOfOverlongLines) {
  const std::string longLine(7000, 'x');
  const auto lines = AllLines(longLine + "\r\nnext");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), MaxLineLength);
  EXPECT_EQ(lines[1], "next");
}

}  // namespace
}  // namespace bytegleaner::text
