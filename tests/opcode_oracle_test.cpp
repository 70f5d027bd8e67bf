// Proves the shipped instruction table against GNU objdump's Z80
// disassembler: every form of every page is laid out in one image, objdump
// sweeps it once, and the decoder, driven by opcodes.dat, must agree with it
// on length, operands and jump targets.

#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "opcodes/opcode_table.h"
#include "platform/file_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace bytegleaner::opcodes {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view ObjdumpProgram = "z80-unknown-coff-objdump";

std::string TablePath() { return std::string(BYTEGLEANER_SOURCE_DIR) + "/opcodes/opcodes.dat"; }

// Operand bytes after every opcode. Distinct, so a displacement read as the
// immediate (or the reverse) shows; below $80, so no sign question arises;
// and each one a one-byte instruction, so wherever objdump's sweep falls
// out of step inside a slot it is back in step at the next one.
constexpr std::array<std::uint8_t, 3> SampleOperands = {0x15, 0x12, 0x34};
// Differs from the sample operands so that the index bit page can't show
// the wrong byte unnoticed.
constexpr std::uint8_t BitPageDisplacement = 0x2C;
// Longest instruction (4) plus the three sample bytes, rounded up.
constexpr std::int32_t SlotSize = 8;

// Where objdump and the table disagree by design; each kind is checked in
// its own way instead of by comparing texts.
//
// | Form                              | objdump                            | table
// |-----------------------------------|------------------------------------|------------------------------------
// | DD/FD op, prefix without effect   | "defb 0xdd", then the base         | one instruction: the base text and
// |                                   | instruction on its own             | "; ix ignored" (or iy)
// | the same, for a relative jump     | target counted from after all of   | the decoder counts offset + 2 + e,
// |                                   | DD 18 e (offset + 3 + e)           | one short; the text shows e itself
// | DD/FD followed by DD, ED or FD    | "defb 0xdd", then the next prefix  | one 2-byte instruction, a byte list
// |                                   | starts an instruction              | whose first byte is $DD even after
// |                                   |                                    | FD (a list can't name the prefix)
// | ED mirrors of neg, retn and im    | "defb 0xed, 0x4c" and so on        | the instruction they execute
// | ED holes                          | "defb 0xed, 0x00"                  | ".db $ED, $00": same after normalising
struct EdMirror {
  int Index;
  int Original;
};
constexpr std::array<EdMirror, 18> EdMirrors = {{
    {0x24C, 0x244}, {0x254, 0x244}, {0x25C, 0x244}, {0x264, 0x244}, {0x26C, 0x244}, {0x274, 0x244},
    {0x27C, 0x244}, {0x255, 0x245}, {0x25D, 0x245}, {0x265, 0x245}, {0x26D, 0x245}, {0x275, 0x245},
    {0x27D, 0x245}, {0x24E, 0x246}, {0x266, 0x246}, {0x26E, 0x246}, {0x276, 0x256}, {0x27E, 0x25E},
}};
constexpr std::array<int, 5> NeverSelected = {0x0CB, 0x0DD, 0x0ED, 0x0FD, 0x3CB};

// One instruction form placed in the image.
struct Form {
  int Index;
  std::uint8_t IndexPrefix;  // $DD or $FD on the index pages, else 0
  std::int32_t Address;
};

struct OracleLine {
  std::vector<std::uint8_t> Bytes;
  std::string Text;
};

struct Sweep {
  std::string Missing;  // set when objdump isn't installed: the tests skip
  std::string Failure;  // set when the sweep could not be made: the tests fail
  OpcodeTable Table;
  analysis::Examination Examination;
  std::vector<Form> Forms;
  std::map<std::int32_t, OracleLine> Lines;
};

std::optional<fs::path> FindOnPath(std::string_view program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::stringstream folders{path};
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const fs::path candidate = fs::path(folder) / program;
    std::error_code error;
    if (fs::is_regular_file(candidate, error)) return candidate;
  }
  return std::nullopt;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::vector<std::uint8_t> LayOutForms(std::vector<Form>& forms) {
  std::vector<std::uint8_t> image;
  const auto place = [&](int index, std::uint8_t indexPrefix, std::vector<std::uint8_t> bytes) {
    forms.push_back({index, indexPrefix, static_cast<std::int32_t>(image.size())});
    bytes.insert(bytes.end(), SampleOperands.begin(), SampleOperands.end());
    bytes.resize(SlotSize, 0x00);
    image.insert(image.end(), bytes.begin(), bytes.end());
  };
  for (int index = 0; index < OpcodeTableSize; ++index) {
    if (std::ranges::find(NeverSelected, index) != NeverSelected.end()) continue;
    const auto op = static_cast<std::uint8_t>(index & 0xFF);
    switch (index >> 8) {
      case 0: place(index, 0, {op}); break;
      case 1: place(index, 0, {0xCB, op}); break;
      case 2: place(index, 0, {0xED, op}); break;
      case 3:
        for (const std::uint8_t prefix : {0xDD, 0xFD}) place(index, prefix, {prefix, op});
        break;
      default:
        for (const std::uint8_t prefix : {0xDD, 0xFD}) place(index, prefix, {prefix, 0xCB, BitPageDisplacement, op});
        break;
    }
  }
  return image;
}

// Lines such as "  1c:\tdd e9       \tjp (ix)".
std::map<std::int32_t, OracleLine> ParseObjdump(const std::string& listing) {
  static const std::regex line{R"(^\s*([0-9a-f]+):\t([0-9a-f ]+)\t(.*)$)"};
  std::map<std::int32_t, OracleLine> lines;
  std::stringstream stream{listing};
  std::string text;
  while (std::getline(stream, text)) {
    std::smatch match;
    if (!std::regex_match(text, match, line)) continue;
    OracleLine parsed;
    std::stringstream bytes{match[2].str()};
    std::string byte;
    while (bytes >> byte) parsed.Bytes.push_back(static_cast<std::uint8_t>(std::stoi(byte, nullptr, 16)));
    parsed.Text = match[3].str();
    lines[static_cast<std::int32_t>(std::stol(match[1].str(), nullptr, 16))] = std::move(parsed);
  }
  return lines;
}

Sweep RunSweep() {
  Sweep sweep;
  const auto objdump = FindOnPath(ObjdumpProgram);
  if (!objdump) {
    sweep.Missing = std::string(ObjdumpProgram) + " is not on PATH (Debian: binutils-z80); the oracle can't run";
    return sweep;
  }
  if (LoadOpcodeTableFrom(TablePath(), sweep.Table) != OpcodeTableStatus::Loaded) {
    sweep.Failure = "cannot load " + TablePath();
    return sweep;
  }
  const std::vector<std::uint8_t> image = LayOutForms(sweep.Forms);
  analysis::LoadRom(sweep.Examination, image);

  const fs::path folder = fs::temp_directory_path() / ("bytegleaner-oracle-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const fs::path imagePath = folder / "forms.bin";
  const fs::path listingPath = folder / "forms.txt";
  {
    std::ofstream file{imagePath, std::ios::binary};
    file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  }
  // -z: without it objdump folds runs of zero bytes, which are our padding.
  const std::string command = ShellQuoted(objdump->string()) + " -D -z -b binary -m z80 " +
                              ShellQuoted(imagePath.string()) + " > " + ShellQuoted(listingPath.string()) + " 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream listingFile{listingPath};
  const std::string listing{std::istreambuf_iterator<char>(listingFile), {}};
  listingFile.close();
  fs::remove_all(folder);
  if (status != 0) {
    sweep.Failure = "objdump failed: " + listing;
    return sweep;
  }
  sweep.Lines = ParseObjdump(listing);
  return sweep;
}

const Sweep& TheSweep() {
  static const Sweep sweep = RunSweep();
  return sweep;
}

// --- Bringing both spellings to one form -----------------------------------

std::string Lower(std::string_view text) {
  std::string lower;
  for (const char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::pair<std::string, std::string> SplitMnemonic(std::string_view text) {
  const auto blank = text.find_first_of(" \t");
  if (blank == std::string_view::npos) return {std::string(text), {}};
  return {std::string(text.substr(0, blank)), std::string(text.substr(blank + 1))};
}

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// Numbers of every notation ("$1F", "0x1f", objdump's decimal "(ix+21)")
// become decimal.
std::string DecimalNumbers(std::string_view text) {
  std::string result;
  std::size_t at = 0;
  const auto takeNumber = [&](std::size_t start, int base, auto isDigit) {
    std::size_t end = start;
    while (end < text.size() && isDigit(text[end])) ++end;
    result += std::to_string(std::stoul(std::string(text.substr(start, end - start)), nullptr, base));
    at = end;
  };
  while (at < text.size()) {
    const char c = text[at];
    const bool afterLetter = at > 0 && IsLetter(text[at - 1]);
    if (c == '$' && at + 1 < text.size() && IsHexDigit(text[at + 1])) {
      takeNumber(at + 1, 16, IsHexDigit);
    } else if (c == '0' && at + 2 < text.size() && text[at + 1] == 'x' && IsHexDigit(text[at + 2])) {
      takeNumber(at + 2, 16, IsHexDigit);
    } else if (IsDigit(c) && !afterLetter) {
      takeNumber(at, 10, IsDigit);
    } else {
      result += c;
      ++at;
    }
  }
  return result;
}

std::string Normalise(std::string_view text) {
  auto [mnemonic, operands] = SplitMnemonic(Lower(text));
  if (mnemonic == "defb") mnemonic = ".db";
  if (mnemonic == "sli" || mnemonic == "sl1") mnemonic = "sll";
  std::erase_if(operands, [](char c) { return c == ' ' || c == '\t'; });
  if (mnemonic == "in" && operands == "(c)") operands = "f,(c)";
  // "sub a,b" and "sub b" are one instruction; "add hl,bc" keeps its pair.
  static const std::array<std::string_view, 8> accumulatorOps = {"add", "adc", "sub", "sbc", "and", "xor", "or", "cp"};
  if (std::ranges::find(accumulatorOps, mnemonic) != accumulatorOps.end() && operands.starts_with("a,")) {
    operands.erase(0, 2);
  }
  return DecimalNumbers(operands.empty() ? mnemonic : mnemonic + " " + operands);
}

bool IsRelativeJump(const std::string& mnemonic) { return mnemonic == "jr" || mnemonic == "djnz"; }

// The code address an objdump line jumps or calls to, if it names one.
std::optional<std::int32_t> OracleTarget(const OracleLine& line) {
  const auto [mnemonic, operands] = SplitMnemonic(line.Text);
  if (!IsRelativeJump(mnemonic) && mnemonic != "jp" && mnemonic != "call") return std::nullopt;
  const auto at = operands.rfind("0x");
  if (at == std::string::npos) return std::nullopt;  // jp (hl)
  return static_cast<std::int32_t>(std::stol(operands.substr(at + 2), nullptr, 16));
}

// objdump shows a relative jump's target address; the table shows the
// displacement byte. Turn the first into the second, then normalise.
std::string NormaliseOracle(const OracleLine& line, std::int32_t address) {
  const auto [mnemonic, operands] = SplitMnemonic(line.Text);
  const auto target = OracleTarget(line);
  if (!IsRelativeJump(mnemonic) || !target) return Normalise(line.Text);
  const auto displacement = static_cast<std::uint8_t>(*target - (address + 2));
  const auto comma = operands.rfind(',');
  const std::string condition = comma == std::string::npos ? "" : operands.substr(0, comma + 1);
  return Normalise(mnemonic + " " + condition + std::to_string(displacement));
}

// --- Checks -------------------------------------------------------------------

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  static constexpr std::string_view digits = "0123456789ABCDEF";
  std::string text;
  for (const auto byte : bytes) {
    if (!text.empty()) text += ' ';
    text += digits[byte >> 4];
    text += digits[byte & 15];
  }
  return text;
}

class OpcodeOracleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TheSweep().Missing.empty()) GTEST_SKIP() << TheSweep().Missing;
    ASSERT_TRUE(TheSweep().Failure.empty()) << TheSweep().Failure;
  }

  static const OracleLine* LineAt(std::int32_t address) {
    const auto found = TheSweep().Lines.find(address);
    return found == TheSweep().Lines.end() ? nullptr : &found->second;
  }

  static void CheckPage(int page) {
    int checked = 0;
    for (const Form& form : TheSweep().Forms) {
      if (form.Index >> 8 != page) continue;
      CheckForm(form);
      ++checked;
    }
    EXPECT_GT(checked, 0);
  }

  static void CheckForm(const Form& form) {
    const Sweep& sweep = TheSweep();
    DecodedInstruction decoded;
    DecodeInstruction(sweep.Table, sweep.Examination, form.Address, decoded);
    const auto at = static_cast<std::size_t>(form.Address);
    const std::vector<std::uint8_t> slot(sweep.Examination.Rom.Bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                         sweep.Examination.Rom.Bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
    SCOPED_TRACE("entry $" + std::to_string(form.Index >> 8) + HexBytes({static_cast<std::uint8_t>(form.Index)}) +
                 " bytes " + HexBytes(slot) + ": template \"" +
                 sweep.Table.Templates[static_cast<std::size_t>(form.Index)] + "\" decodes to \"" + decoded.Text +
                 "\"");
    EXPECT_EQ(decoded.TableIndex, form.Index);

    const OracleLine* oracle = LineAt(form.Address);
    ASSERT_NE(oracle, nullptr) << "objdump fell out of step before this slot";
    SCOPED_TRACE("objdump: \"" + oracle->Text + "\" (" + HexBytes(oracle->Bytes) + ")");

    if (form.IndexPrefix != 0 && oracle->Bytes.size() == 1) {
      CheckPrefixWithoutEffect(form, decoded, *oracle);
      return;
    }
    const auto mirror = std::ranges::find(EdMirrors, form.Index, &EdMirror::Index);
    if (mirror != EdMirrors.end()) {
      // objdump knows only the documented encoding; the mirror must read
      // like the instruction it executes.
      const int original = mirror->Original;
      EXPECT_EQ(decoded.Length, static_cast<int>(oracle->Bytes.size()));
      EXPECT_EQ(sweep.Table.Templates[static_cast<std::size_t>(form.Index)],
                sweep.Table.Templates[static_cast<std::size_t>(original)]);
      return;
    }
    EXPECT_EQ(decoded.Length, static_cast<int>(oracle->Bytes.size()));
    EXPECT_EQ(Normalise(decoded.Text), NormaliseOracle(*oracle, form.Address));
    CheckTarget(decoded, *oracle, 0);
  }

  // What the tracer follows must be what the processor follows.
  static void CheckTarget(const DecodedInstruction& decoded, const OracleLine& oracle, std::int32_t shortBy) {
    const auto target = OracleTarget(oracle);
    const auto [mnemonic, operands] = SplitMnemonic(oracle.Text);
    if (!target) {
      EXPECT_EQ(decoded.Kind, TargetKind::NoTarget);
    } else if (IsRelativeJump(mnemonic)) {
      EXPECT_EQ(decoded.Kind, TargetKind::RelativeTarget);
      EXPECT_EQ(decoded.Target, *target - shortBy);
    } else {
      EXPECT_EQ(decoded.Kind, TargetKind::AbsoluteTarget);
      EXPECT_EQ(decoded.Target, *target);
    }
  }

  // objdump shows the prefix as a byte of its own and decodes what follows
  // as a fresh instruction; the table makes both one instruction.
  static void CheckPrefixWithoutEffect(const Form& form, const DecodedInstruction& decoded, const OracleLine& prefix) {
    ASSERT_EQ(prefix.Bytes.front(), form.IndexPrefix);
    const OracleLine* rest = LineAt(form.Address + 1);
    ASSERT_NE(rest, nullptr);
    SCOPED_TRACE("then objdump: \"" + rest->Text + "\" (" + HexBytes(rest->Bytes) + ")");

    const std::string& text = decoded.Text;
    const auto semicolon = text.find(';');
    ASSERT_NE(semicolon, std::string::npos) << "a prefix without effect must be marked";
    const std::string instruction = text.substr(0, semicolon);
    const std::string note = text.substr(semicolon);
    EXPECT_NE(note.find(form.IndexPrefix == 0xDD ? "ix" : "iy"), std::string::npos)
        << "the note must tell which prefix it was";

    const auto secondByte = static_cast<std::uint8_t>(form.Index & 0xFF);
    if (secondByte == 0xDD || secondByte == 0xED || secondByte == 0xFD) {
      // Two prefix bytes in a row make one 2-byte instruction for the
      // decoder; the byte list can only spell the first as $DD.
      EXPECT_EQ(decoded.Length, 2);
      EXPECT_EQ(Normalise(instruction), Normalise("defb 0xdd, 0x" + HexBytes({secondByte})));
      EXPECT_EQ(decoded.Kind, TargetKind::NoTarget);
      return;
    }
    EXPECT_EQ(decoded.Length, 1 + static_cast<int>(rest->Bytes.size()));
    EXPECT_EQ(Normalise(instruction), NormaliseOracle(*rest, form.Address + 1));
    CheckTarget(decoded, *rest, 1);
  }
};

TEST_F(OpcodeOracleTest, BasePageAgreesWithObjdump) { CheckPage(0); }
TEST_F(OpcodeOracleTest, CbPageAgreesWithObjdump) { CheckPage(1); }
TEST_F(OpcodeOracleTest, EdPageAgreesWithObjdump) { CheckPage(2); }
TEST_F(OpcodeOracleTest, IndexPageAgreesWithObjdumpForIxAndIy) { CheckPage(3); }
TEST_F(OpcodeOracleTest, IndexBitPageAgreesWithObjdumpForIxAndIy) { CheckPage(4); }

// The oracle compares texts after normalising, so blanks and line ends that
// would reach the written source unseen are checked on the file itself.
TEST(OpcodeTableFile, KeepsToItsColumnsAndLineEnds) {
  const auto bytes = platform::ReadFileBytes(TablePath());
  ASSERT_TRUE(bytes.has_value()) << TablePath();
  const std::string file(bytes->begin(), bytes->end());
  ASSERT_TRUE(file.ends_with("\r\n"));

  int entries = 0;
  std::size_t start = 0;
  while (start < file.size()) {
    const auto end = file.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    const std::string line = file.substr(start, end - start);
    start = end + 2;
    SCOPED_TRACE("line \"" + line + "\"");
    EXPECT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
    if (line.starts_with(';')) continue;
    ++entries;
    EXPECT_LE(line.size(), static_cast<std::size_t>(TemplateColumnStart + TemplateColumnWidth));
    EXPECT_FALSE(line.ends_with(' ')) << "a trailing blank would reach the written source";
  }
  EXPECT_EQ(entries, OpcodeTableSize) << "lines past the last entry are never read";
}

}  // namespace
}  // namespace bytegleaner::opcodes
