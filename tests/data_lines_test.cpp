#include "output/data_lines.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace bytegleaner::output {
namespace {

std::vector<std::uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

std::string ByteDb(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  WriteByteDb(out, bytes);
  return out;
}

std::string TextDb(const std::vector<std::uint8_t>& bytes, bool endAtBackslash = false) {
  std::string out;
  WriteTextDb(out, bytes, endAtBackslash);
  return out;
}

TEST(ByteDb, SixteenItemsToALineInTwoUpperCaseDigits) {
  std::vector<std::uint8_t> bytes(17);
  std::iota(bytes.begin(), bytes.end(), 0);
  EXPECT_EQ(ByteDb({bytes.begin(), bytes.begin() + 16}),
            ".db $00, $01, $02, $03, $04, $05, $06, $07, $08, $09, $0A, $0B, $0C, $0D, $0E, $0F\r\n");
  EXPECT_EQ(ByteDb(bytes),
            ".db $00, $01, $02, $03, $04, $05, $06, $07, $08, $09, $0A, $0B, $0C, $0D, $0E, $0F\r\n"
            ".db $10\r\n");
  EXPECT_EQ(ByteDb({0xFF}), ".db $FF\r\n");
}

TEST(TextDb, OneLeadingStringItemThenByteItems) {
  EXPECT_EQ(TextDb(Text(std::string("HELLO\0", 6))), ".db \"HELLO\", $00\r\n");
  // A leading 0 byte means no string item at all.
  EXPECT_EQ(TextDb(Text(std::string("\0ABCD", 5))), ".db $00, $41, $42, $43, $44\r\n");
  // A quote byte ends the string item; what follows is bytes even if printable.
  EXPECT_EQ(TextDb(Text("AB\"CD")), ".db \"AB\", $22, $43, $44\r\n");
  // Bytes from 128 up are written as they are.
  EXPECT_EQ(TextDb({0x80, 0xFF, 0x7F, 0x20}), std::string(".db \"\x80\xFF\x7F \"\r\n"));
}

TEST(TextDb, BreaksLongTextEveryEightyCharacters) {
  const std::string hundred(100, 'x');
  EXPECT_EQ(TextDb(Text(hundred)), ".db \"" + std::string(80, 'x') + "\"\r\n.db \"" + std::string(20, 'x') + "\"\r\n");

  std::vector<std::uint8_t> eightyThenZero = Text(std::string(80, 'y'));
  eightyThenZero.push_back(0);
  EXPECT_EQ(TextDb(eightyThenZero), ".db \"" + std::string(80, 'y') + "\"\r\n.db $00\r\n");

  std::vector<std::uint8_t> seventyThenZeros = Text(std::string(70, 'z'));
  seventyThenZeros.insert(seventyThenZeros.end(), 3, 0);
  EXPECT_EQ(TextDb(seventyThenZeros), ".db \"" + std::string(70, 'z') + "\", $00, $00\r\n.db $00\r\n");
}

TEST(TextDb, BackslashEndsTheStringOnlyWhenAsked) {
  EXPECT_EQ(TextDb(Text("A\\B\\")), ".db \"A\\B\\\"\r\n");
  EXPECT_EQ(TextDb(Text("A\\B\\"), true), ".db \"A\", $5C, $42, $5C\r\n");
  EXPECT_EQ(TextDb(Text("\\AB"), true), ".db $5C, $41, $42\r\n");
}

}  // namespace
}  // namespace bytegleaner::output
