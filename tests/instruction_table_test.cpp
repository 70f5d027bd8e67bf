// The instruction table: the file's line and column rules and the compiled
// templates, which the shipped table alone does not reach (the file is the
// user's to edit), then the shipped table proven against GNU objdump's Z80
// disassembler (binutils-z80).
#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "opcodes/template_text.h"
#include "text/number_text.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <random>
#include <regex>
#include <sstream>

namespace bytegleaner::testing {
namespace {

using opcodes::OpcodeTableStatus;

std::string Entries(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "KEY     t" + std::to_string(i) + "\r\n";
  return text;
}

TEST(OpcodeTableFile, TakesColumnsNineToThirtyThreeOfEachLineByTheLineRules) {
  // Only column 1 makes a comment, an empty line is an entry, a CR drops the
  // byte after it, LF alone is text, a 0 byte ends a line, an overlong line
  // keeps its start, and a last byte without a line end is a line too.
  const std::string odd = "; comment\r\n12345678ld a,#   \r\n12345678" + std::string(25, 'y') + "cut\r\nshort\r\n ;      not a comment\r\n\r\n" +
                          "KEY     one\rXKEY     two\nKEY     three\r\nKEY     four" + std::string(1, '\0') + "KEY     five\r\n" +
                          std::string(7000, 'w') + "\r\n";
  const std::tuple<std::string, OpcodeTableStatus, std::map<int, std::string>> cases[] = {
      {odd + Entries(1269) + "X", OpcodeTableStatus::Loaded,
       {{0, "ld a,#   "}, {1, std::string(25, 'y')}, {2, ""}, {3, "not a comment"}, {4, ""}, {5, "one"}, {6, "two\nKEY     three"},
        {7, "four"}, {8, "five"}, {9, std::string(25, 'w')}, {10, "t0"}}},
      {Entries(1279) + "\r\n", OpcodeTableStatus::Loaded, {{1278, "t1278"}, {1279, ""}}},
      {Entries(1280) + std::string(9000, '\xFF'), OpcodeTableStatus::Loaded, {{1279, "t1279"}}},
      {Entries(1279) + ";c\r\n;c\r\n", OpcodeTableStatus::TooFewEntries, {{1278, "t1278"}}},
  };
  for (const auto& [file, status, templates] : cases) {
    opcodes::OpcodeTable table;
    EXPECT_EQ(opcodes::ReadOpcodeTable(ByteVector(file.begin(), file.end()), table), status);
    for (const auto& [index, text] : templates) EXPECT_EQ(table.Templates[static_cast<std::size_t>(index)], text) << index;
  }
}

// The compiled templates must give exactly what the replacements one by one
// give, for the shipped templates and for random ones of placeholder pieces
// that overlap and join.
TEST(Templates, CompiledFormGivesTheReplacementsText) {
  const char* const pieces[] = {"#", "##", "*", "+", "(i?)", "i?", "I?", "?", "i", "(", ")", "ld ", ",", "\x02"};
  std::mt19937 random(7);
  opcodes::OpcodeTable table = ShippedTable();
  for (int index = 0; index < 512; ++index) {
    std::string text;
    for (auto count = random() % 6; count-- > 0;) text += pieces[random() % std::size(pieces)];
    opcodes::SetTemplate(table, opcodes::IndexPage + index, index == 0 ? "ld i??,I?" : text);
  }
  for (std::size_t index = 0; index < opcodes::OpcodeTableSize; ++index) {
    for (const char letter : {'\0', 'x', 'y'}) {
      if (!opcodes::CompiledTemplateIsExact(table, static_cast<int>(index), letter)) continue;
      const opcodes::TemplateOperands operands{letter, static_cast<std::uint8_t>(random()), static_cast<std::uint16_t>(random()),
                                               index % 2 == 0 ? "_Label_1F_3" : "$FE"};
      std::string filled, compiled;
      opcodes::FillTemplate(filled, table.Templates[index], table.Shapes[index], operands);
      opcodes::AppendCompiledTemplate(compiled, table.Compiled[index], operands);
      ASSERT_EQ(compiled, filled) << "template \"" << table.Templates[index] << "\"";
    }
  }
}

// Both spellings in one form: lower case, no blanks between operands,
// numbers without prefix and leading zeros (the operand bytes are chosen
// so that objdump's decimal reads as the table's hexadecimal), objdump's
// names for the same things made the table's.
std::string Normalised(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  text = std::regex_replace(text, std::regex(R"((\$|0x)0*(?=[0-9a-f]))"), "");
  const auto blank = text.find(' ');
  std::string mnemonic = text.substr(0, blank), operands = blank == std::string::npos ? "" : text.substr(blank);
  std::erase(operands, ' ');
  if (mnemonic == "defb") mnemonic = ".db";
  if (mnemonic == "sli" || mnemonic == "sl1") mnemonic = "sll";
  if (mnemonic == "in" && operands == "(c)") operands = "f,(c)";
  // "sub a,b" is "sub b"; "add hl,bc" keeps its pair.
  if (std::regex_match(mnemonic, std::regex("add|adc|sub|sbc|and|xor|or|cp")) && operands.starts_with("a,")) operands.erase(0, 2);
  return mnemonic + (operands.empty() ? "" : " ") + operands;
}

struct Line {
  std::int32_t Length = 0;
  std::string Text;
  std::int32_t Target = -1;  // of a jump or a call
  bool Relative = false;
};

// Lines such as "  1c:\tdd e9       \tjp (ix)". The table shows a relative
// jump's displacement byte where objdump shows the target.
std::map<std::int32_t, Line> Objdump(const std::string& listing) {
  static const std::regex pattern{R"(^\s*([0-9a-f]+):\t([0-9a-f ]+)\t(.*)$)"};
  std::map<std::int32_t, Line> lines;
  std::istringstream stream{listing};
  for (std::string text; std::getline(stream, text);) {
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) continue;
    const auto address = static_cast<std::int32_t>(std::stoul(match[1], nullptr, 16));
    Line& line = lines[address];
    line.Length = static_cast<std::int32_t>(std::count_if(match[2].first, match[2].second, ::isxdigit) / 2);
    line.Text = match[3];
    const std::string mnemonic = line.Text.substr(0, line.Text.find(' '));
    const auto hex = line.Text.rfind("0x");
    line.Relative = mnemonic == "jr" || mnemonic == "djnz";
    if (hex == std::string::npos || !(line.Relative || mnemonic == "jp" || mnemonic == "call")) continue;
    line.Target = static_cast<std::int32_t>(std::stoul(line.Text.substr(hex + 2), nullptr, 16));
    if (line.Relative) line.Text = line.Text.substr(0, hex) + "$" + text::HexText((line.Target - address - 2) & 0xFF);
  }
  return lines;
}

// The ED mirrors of neg, retn and im, which objdump does not know: each
// must read as the instruction it executes.
constexpr std::pair<int, int> EdMirrors[] = {{0x24C, 0x244}, {0x254, 0x244}, {0x25C, 0x244}, {0x264, 0x244}, {0x26C, 0x244},
                                             {0x274, 0x244}, {0x27C, 0x244}, {0x255, 0x245}, {0x25D, 0x245}, {0x265, 0x245},
                                             {0x26D, 0x245}, {0x275, 0x245}, {0x27D, 0x245}, {0x24E, 0x246}, {0x266, 0x246},
                                             {0x26E, 0x246}, {0x276, 0x256}, {0x27E, 0x25E}};

TEST(OpcodeOracle, ShippedTableAgreesWithObjdump) {
  if (RunShell(".", "command -v z80-unknown-coff-objdump").Status != 0) GTEST_SKIP() << "z80-unknown-coff-objdump (binutils-z80) is missing";
  // Operand bytes after each form: distinct, below 10, and each one a
  // one-byte instruction, so objdump is back in step at the next slot.
  ByteVector image;
  std::vector<std::pair<int, std::uint8_t>> forms;
  for (int index = 0; index < opcodes::OpcodeTableSize; ++index) {
    for (const std::uint8_t prefix : {0xDD, 0xFD}) {
      if (index < opcodes::IndexPage && prefix == 0xFD) continue;
      const auto op = static_cast<std::uint8_t>(index);
      const ByteVector pages[] = {{op, 5, 4, 3}, {0xCB, op, 5, 4, 3}, {0xED, op, 5, 4, 3}, {prefix, op, 5, 4, 3}, {prefix, 0xCB, 7, op, 5, 4, 3}};
      image.insert(image.end(), pages[index >> 8].begin(), pages[index >> 8].end());
      image.resize(forms.size() * 8 + 8);
      forms.emplace_back(index, index < opcodes::IndexPage ? 0 : prefix);
    }
  }
  TempFolder folder;
  WriteFile(folder.File("forms.bin"), image);
  // -z: without it objdump folds the zero bytes that pad the slots.
  const Ran objdump = RunShell(folder.Path, "z80-unknown-coff-objdump -D -z -b binary -m z80 forms.bin");
  ASSERT_EQ(objdump.Status, 0) << objdump.Err;
  const std::map<std::int32_t, Line> lines = Objdump(objdump.Out);
  analysis::Examination examination;
  analysis::LoadRom(examination, image);
  const auto& templates = ShippedTable().Templates;
  for (std::size_t slot = 0; slot < forms.size(); ++slot) {
    const auto [index, prefix] = forms[slot];
    const auto at = static_cast<std::int32_t>(slot * 8);
    opcodes::DecodedInstruction decoded;
    opcodes::DecodeInstruction(ShippedTable(), examination, at, decoded);
    if (decoded.TableIndex != index) continue;  // the prefix bytes on the base page, DD CB on the index page
    const Line* oracle = &lines.at(at);  // missing where objdump fell out of step
    SCOPED_TRACE("entry $" + text::HexText(static_cast<std::uint32_t>(index)) + " behind $" + text::HexText(prefix) + ": \"" +
                 decoded.Text + "\"; objdump: \"" + oracle->Text + "\"");
    std::string text = decoded.Text;
    std::int32_t prefixLength = 0;
    if (prefix != 0 && oracle->Length == 1) {
      // A prefix without effect: objdump shows it as a byte of its own,
      // the table as a note on the instruction that follows.
      EXPECT_NE(text.find(prefix == 0xDD ? " ; ix ignored" : " ; iy ignored"), std::string::npos);
      text.resize(text.find(" ;"));
      if (const auto next = static_cast<std::uint8_t>(index); next == 0xDD || next == 0xED || next == 0xFD) {
        // Another prefix: a byte list, which can name the first only as $DD.
        EXPECT_EQ(text, ".db $DD, $" + text::HexText(next));
        EXPECT_EQ(decoded.Length, 2);
        continue;
      }
      oracle = &lines.at(at + 1);
      prefixLength = 1;
    }
    EXPECT_EQ(decoded.Length, prefixLength + oracle->Length);
    // Blanks are normalised away below, but would reach the written source.
    EXPECT_FALSE(text.ends_with(' ') || text.find("  ") != std::string::npos);
    if (const auto mirror = std::ranges::find(EdMirrors, index, &std::pair<int, int>::first); mirror != std::end(EdMirrors)) {
      EXPECT_EQ(templates[static_cast<std::size_t>(index)], templates[static_cast<std::size_t>(mirror->second)]);
      continue;
    }
    EXPECT_EQ(Normalised(text), Normalised(oracle->Text));
    using enum opcodes::TargetKind;
    EXPECT_EQ(decoded.Kind, oracle->Target < 0 ? NoTarget : oracle->Relative ? RelativeTarget : AbsoluteTarget);
    // The decoder counts a relative jump behind a prefix from the prefix.
    if (oracle->Target >= 0) {
      EXPECT_EQ(decoded.Target, oracle->Target - (oracle->Relative ? prefixLength : 0));
    }
  }
}

}  // namespace
}  // namespace bytegleaner::testing
