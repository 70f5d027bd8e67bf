// Examines images with bytegleaner-cli, assembles the source with WLA DX
// and compares the rebuilt image with the input byte for byte. WLA DX is
// found in the folder named by BYTEGLEANER_WLA_DX or on PATH; without it
// these tests skip.

#include "analysis/entry_points.h"
#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "output/rebuildable_text.h"
#include "shell/file_bytes.h"
#include "shell/number_text.h"
#include "shell/user_interface.h"
#include "tests/rom_generator.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <regex>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <vector>

namespace bytegleaner::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::int32_t BankSize = 0x4000;

std::string Hex(std::uint32_t value) { return "$" + shell::HexText(value); }

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    shell::AppendHexByte(text, byte);
  }
  return text;
}

// --- Finding and running the tools ---------------------------------------------

struct WlaDx {
  std::string Assembler;
  std::string Linker;
  std::string Missing;  // why the tests skip
};

std::optional<fs::path> ExecutableIn(const fs::path& folder, std::string_view name) {
  std::error_code error;
  const fs::path candidate = folder / name;
  if (!fs::is_regular_file(candidate, error)) return std::nullopt;
  const auto permissions = fs::status(candidate, error).permissions();
  if ((permissions & fs::perms::owner_exec) == fs::perms::none) return std::nullopt;
  return candidate;
}

std::optional<fs::path> FindTool(std::string_view name) {
  if (const char* folder = std::getenv("BYTEGLEANER_WLA_DX"); folder != nullptr && *folder != '\0') {
    return ExecutableIn(folder, name);
  }
  const char* path = std::getenv("PATH");
  std::stringstream folders{path == nullptr ? "" : path};
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    if (auto found = ExecutableIn(folder, name)) return found;
  }
  return std::nullopt;
}

const WlaDx& Tools() {
  static const WlaDx tools = [] {
    WlaDx found;
    const auto assembler = FindTool("wla-z80");
    const auto linker = FindTool("wlalink");
    if (!assembler || !linker) {
      const char* folder = std::getenv("BYTEGLEANER_WLA_DX");
      found.Missing = folder != nullptr && *folder != '\0'
                          ? std::string("wla-z80 and wlalink are not both in BYTEGLEANER_WLA_DX (") + folder + ")"
                          : "wla-z80 and wlalink are not on PATH; set BYTEGLEANER_WLA_DX to their folder";
      return found;
    }
    found.Assembler = assembler->string();
    found.Linker = linker->string();
    return found;
  }();
  return tools;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct Outcome {
  bool Succeeded = false;
  std::string Output;  // standard output and error together
};

// Runs a command in a folder; its output goes to a file there.
Outcome Run(const std::string& folder, const std::string& command, const std::string& outputName) {
  const std::string outputPath = folder + "/" + outputName;
  const std::string line =
      "cd " + ShellQuoted(folder) + " && " + command + " > " + ShellQuoted(outputPath) + " 2>&1 < /dev/null";
  const int status = std::system(line.c_str());
  return {WIFEXITED(status) && WEXITSTATUS(status) == 0, ReadText(outputPath)};
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream{text};
  std::string line;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// --- Naming the source line behind a byte -------------------------------------------

// WLA DX's listing has one row per ten bytes: source line, bank, slot, PC,
// offset in the bank, the bytes, then (on the first row) the source text.
struct ListedRow {
  int SourceLine = 0;
  std::int32_t Start = 0;
  std::int32_t Count = 0;
};

std::vector<ListedRow> ParseListing(const std::string& listing) {
  const auto isHexByte = [](const std::string& token) {
    return token.size() == 2 && std::all_of(token.begin(), token.end(),
                                            [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
  };
  std::vector<ListedRow> rows;
  for (const std::string& text : SplitLines(listing)) {
    std::stringstream fields{text};
    ListedRow row;
    std::string bank, slot, pc, inBank;
    if (!(fields >> row.SourceLine >> bank >> slot >> pc >> inBank)) continue;
    std::string token;
    while (fields >> token && isHexByte(token)) ++row.Count;
    row.Start = static_cast<std::int32_t>(std::stol(bank, nullptr, 16) * BankSize + std::stol(inBank, nullptr, 16));
    rows.push_back(row);
  }
  return rows;
}

std::optional<int> SourceLineAt(const std::vector<ListedRow>& rows, std::int32_t offset) {
  for (const ListedRow& row : rows) {
    if (offset >= row.Start && offset < row.Start + row.Count) return row.SourceLine;
  }
  return std::nullopt;
}

// The line, and the nearest label or data comment above it for orientation.
std::string DescribeSourceLine(const std::vector<std::string>& source, int lineNumber, const std::string& fileName) {
  const auto at = static_cast<std::size_t>(lineNumber - 1);
  if (at >= source.size()) return "line " + std::to_string(lineNumber) + " of " + fileName + " (past its end)";
  std::string text = "line " + std::to_string(lineNumber) + " of " + fileName + ": \"" + source[at] + "\"";
  for (std::size_t above = at; above-- > 0;) {
    const std::string& line = source[above];
    if (line.starts_with("_") || line.starts_with("; Data from") || line.starts_with(".BANK")) {
      text += ", below line " + std::to_string(above + 1) + ": \"" + line + "\"";
      break;
    }
  }
  return text;
}

// Lines that name a place ("  at game.sms.asm:123") get the source text.
std::string WithSourceTextOfErrors(const std::string& output, const std::vector<std::string>& source) {
  static const std::regex located{R"(\.asm:(\d+))"};
  std::string annotated;
  int shown = 0;
  for (const std::string& line : SplitLines(output)) {
    if (++shown > 20) {
      annotated += "...\n";
      break;
    }
    annotated += line + "\n";
    std::smatch match;
    if (std::regex_search(line, match, located)) {
      const auto at = static_cast<std::size_t>(std::stoul(match[1].str()) - 1);
      if (at < source.size()) annotated += "    source: \"" + source[at] + "\"\n";
    }
  }
  return annotated;
}

// --- One round trip ---------------------------------------------------------------

const std::string LinkFile = "link.txt";

// Assembles `source` in the folder into rebuilt.rom; empty on success, else
// what the tools said.
std::string Assemble(const std::string& folder, const std::string& source, bool listing) {
  const std::string flag = listing ? " -i" : "";
  WriteFile(folder + "/" + LinkFile, std::string("[objects]\nrom.o\n"));
  const Outcome assembled =
      Run(folder, ShellQuoted(Tools().Assembler) + flag + " -o rom.o " + ShellQuoted(source), "assembler.txt");
  if (!assembled.Succeeded) {
    return "wla-z80 rejected " + source + ":\n" +
           WithSourceTextOfErrors(assembled.Output, SplitLines(ReadText(folder + "/" + source)));
  }
  const Outcome linked =
      Run(folder, ShellQuoted(Tools().Linker) + flag + " -r " + LinkFile + " rebuilt.rom", "linker.txt");
  if (!linked.Succeeded) return "wlalink failed:\n" + linked.Output;
  return {};
}

// The first differing offset from which the rebuilt bytes go on as the
// input's moved by a few bytes, and by how many: there a line assembled
// shorter or longer. Windows of few distinct values (zero runs) prove nothing.
std::optional<std::pair<std::int32_t, int>> FindShift(const std::vector<std::uint8_t>& image,
                                                      const std::vector<std::uint8_t>& rebuilt,
                                                      const std::vector<std::int32_t>& differing) {
  constexpr std::size_t Window = 32;
  const auto matches = [&](std::size_t at, int shift) {
    const auto from = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(at) + shift);
    if (at + Window > rebuilt.size() || from + Window > image.size()) return false;
    std::array<bool, 256> seen{};
    int distinct = 0;
    for (std::size_t i = 0; i < Window; ++i) {
      if (rebuilt[at + i] != image[from + i]) return false;
      if (!seen[rebuilt[at + i]]) ++distinct;
      seen[rebuilt[at + i]] = true;
    }
    return distinct >= 4;
  };
  for (std::size_t i = 0; i < std::min<std::size_t>(differing.size(), 1 << 16); ++i) {
    const auto at = static_cast<std::size_t>(differing[i]);
    for (const int shift : {1, 2, 3, -1, -2, -3}) {
      if (static_cast<std::ptrdiff_t>(at) + shift >= 0 && matches(at, shift)) return std::pair{differing[i], shift};
    }
  }
  return std::nullopt;
}

// Names the first differing offset and the line that produced it. A line
// that assembles shorter moves every label after it, so the first
// difference may be a reference to such a label: the line where the bytes
// start to run moved is named as well.
std::string DescribeMismatch(const std::string& folder, const std::string& romName,
                             const std::vector<std::uint8_t>& image, const std::vector<std::uint8_t>& rebuilt) {
  std::vector<std::int32_t> differing;
  const std::size_t longer = std::max(image.size(), rebuilt.size());
  for (std::size_t at = 0; at < longer; ++at) {
    if (at >= image.size() || at >= rebuilt.size() || image[at] != rebuilt[at])
      differing.push_back(static_cast<std::int32_t>(at));
  }
  const std::int32_t offset = differing.front();
  const auto byteAt = [](const std::vector<std::uint8_t>& bytes, std::int32_t at) {
    return static_cast<std::size_t>(at) < bytes.size() ? Hex(bytes[static_cast<std::size_t>(at)])
                                                       : std::string("nothing");
  };
  std::string text = "the rebuilt image (" + std::to_string(rebuilt.size()) + " bytes) differs from the input (" +
                     std::to_string(image.size()) + " bytes) in " + std::to_string(differing.size()) +
                     " bytes, first at offset " + Hex(static_cast<std::uint32_t>(offset)) + " (bank " +
                     std::to_string(offset / BankSize) + "): input " + byteAt(image, offset) + ", rebuilt " +
                     byteAt(rebuilt, offset) + "\n";

  const std::string sourceName = romName + ".asm";
  const std::string failure = Assemble(folder, sourceName, true);
  const std::string listingPath = folder + "/" + romName + ".lst";
  if (!failure.empty() || !fs::exists(listingPath)) return text + "(no listing to name the source line)";
  const std::vector<ListedRow> rows = ParseListing(ReadText(listingPath));
  const std::vector<std::string> source = SplitLines(ReadText(folder + "/" + sourceName));
  const auto line = SourceLineAt(rows, offset);
  if (!line) return text + "no source line emits this offset";
  text += "produced by " + DescribeSourceLine(source, *line, sourceName);

  if (const auto shift = FindShift(image, rebuilt, differing); shift && shift->first != offset) {
    const auto [at, by] = *shift;
    const std::string bytes = std::to_string(std::abs(by)) + (std::abs(by) == 1 ? " byte" : " bytes");
    text +=
        "\nfrom " + Hex(static_cast<std::uint32_t>(at)) + " on, the rebuilt bytes run " + bytes +
        (by > 0 ? " early, as after a line that assembled shorter" : " late, as after a line that assembled longer");
    if (const auto moved = SourceLineAt(rows, at); moved && *moved != *line) {
      text += "; there: " + DescribeSourceLine(source, *moved, sourceName);
    }
  }
  return text;
}

// Empty when the image survives examination and reassembly unchanged.
std::string RoundTripFailure(const std::string& romName, const std::vector<std::uint8_t>& image, bool rebuildable) {
  TempFolder folder;
  WriteFile(folder.File(romName), image);
  const std::string options = rebuildable ? "--rebuildable " : "";
  const Outcome examined =
      Run(folder.Path, ShellQuoted(BYTEGLEANER_CLI) + " " + options + ShellQuoted(romName), "cli.txt");
  if (!examined.Succeeded) return "bytegleaner-cli failed:\n" + examined.Output;
  if (const std::string failure = Assemble(folder.Path, romName + ".asm", false); !failure.empty()) return failure;
  const auto rebuilt = shell::ReadFileBytes(folder.File("rebuilt.rom"));
  if (!rebuilt) return "wlalink wrote no image";
  if (*rebuilt == image) return {};
  return DescribeMismatch(folder.Path, romName, image, *rebuilt);
}

// --- The images -----------------------------------------------------------------

struct ImageCase {
  std::string Name;
  std::function<std::vector<std::uint8_t>()> Make;
};

std::vector<std::uint8_t> SampleRom() {
  const std::string path = std::string(BYTEGLEANER_SOURCE_DIR) + "/samples/sample.sms";
  const auto bytes = shell::ReadFileBytes(path);
  if (!bytes) throw std::runtime_error("cannot read " + path);
  return *bytes;
}

// Images that rebuild in the default output too.
std::vector<ImageCase> GameShapedCases() {
  std::vector<ImageCase> cases = {{"Sample", SampleRom}};
  const std::vector<std::pair<std::string, std::int32_t>> sizes = {
      {"Game16K", 16 << 10},   {"Game32K", 32 << 10},   {"Game48K", 48 << 10},   {"Game64K", 64 << 10},
      {"Game128K", 128 << 10}, {"Game512K", 512 << 10}, {"Game1000Bytes", 1000}, {"Game40000Bytes", 40000}};
  for (const auto& [name, size] : sizes) {
    cases.push_back({name, [size = size] { return GameImage(size, static_cast<std::uint32_t>(size)); }});
  }
  cases.push_back({"InstructionsAcrossBankEnds", BankStraddleImage});
  return cases;
}

// Images that rebuild only with --rebuildable.
std::vector<ImageCase> RebuildableCases() {
  std::vector<ImageCase> cases = GameShapedCases();
  const std::vector<std::pair<std::string, std::int32_t>> sizes = {
      {"Random1000Bytes", 1000}, {"Random32K", 32 << 10}, {"Random40000Bytes", 40000}, {"Random4M", 4 << 20}};
  for (const auto& [name, size] : sizes) {
    cases.push_back(
        {name, [size = size] { return RandomImage(size, 0x5EED0000u + static_cast<std::uint32_t>(size)); }});
  }
  cases.push_back({"DenseCode4M", [] { return DenseCodeImage(ShippedTable(), 4 << 20, 0xC0DE); }});
  cases.push_back({"EveryTableForm", [] { return AllFormsImage(ShippedTable()).Bytes; }});
  return cases;
}

std::string CaseName(const ::testing::TestParamInfo<ImageCase>& info) { return info.param.Name; }
void PrintTo(const ImageCase& imageCase, std::ostream* out) { *out << imageCase.Name; }

// Skips the test where WLA DX is missing.
template <typename Base>
class NeedsWlaDx : public Base {
 protected:
  void SetUp() override {
    if (!Tools().Missing.empty()) GTEST_SKIP() << Tools().Missing;
  }
};

class DefaultOutput : public NeedsWlaDx<::testing::TestWithParam<ImageCase>> {};
class RebuildableOutput : public NeedsWlaDx<::testing::TestWithParam<ImageCase>> {};

TEST_P(DefaultOutput, RebuildsTheImage) {
  const std::string failure = RoundTripFailure(GetParam().Name + ".sms", GetParam().Make(), false);
  if (!failure.empty()) ADD_FAILURE() << failure;
}

TEST_P(RebuildableOutput, RebuildsTheImage) {
  const std::string failure = RoundTripFailure(GetParam().Name + ".sms", GetParam().Make(), true);
  if (!failure.empty()) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Images, DefaultOutput, ::testing::ValuesIn(GameShapedCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Images, RebuildableOutput, ::testing::ValuesIn(RebuildableCases()), CaseName);

// --- The list of encodings without an exact spelling ---------------------------

// Each form's usual text alone in an 8-byte slot of its own: the form has
// an exact spelling when its slot comes back as its bytes and zeros.
using NoExactSpellingList = NeedsWlaDx<::testing::Test>;

TEST_F(NoExactSpellingList, NamesExactlyTheFormsTheAssemblerWritesDifferently) {
  constexpr std::int32_t SlotSize = 8;
  const FormsImage forms = AllFormsImage(ShippedTable());
  analysis::Examination examination;  // without labels, targets stay numbers
  analysis::LoadRom(examination, forms.Bytes);

  struct Slot {
    PlacedForm Form;
    opcodes::DecodedInstruction Decoded;
    bool Assembles = true;
  };
  std::vector<Slot> slots;
  for (const PlacedForm& form : forms.Forms) {
    if (form.HighOperands) continue;
    Slot slot{form, {}, true};
    opcodes::DecodeInstruction(ShippedTable(), examination, form.Offset, slot.Decoded);
    slots.push_back(std::move(slot));
  }
  ASSERT_LE(static_cast<std::int32_t>(slots.size()) * SlotSize, BankSize);

  TempFolder folder;
  std::string failure;
  for (;;) {
    std::string source =
        ".MEMORYMAP\r\nSLOTSIZE $4000\r\nDEFAULTSLOT 0\r\nSLOT 0 $0000\r\n.ENDME\r\n"
        ".ROMBANKMAP\r\nBANKSTOTAL 1\r\nBANKSIZE $4000\r\nBANKS 1\r\n.ENDRO\r\n.BANK 0 SLOT 0\r\n";
    int lineNumber = 11;  // the lines above
    std::vector<std::size_t> slotOfLine(static_cast<std::size_t>(lineNumber) + 2 * slots.size() + 1, slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
      if (!slots[i].Assembles) continue;
      source += ".ORG " + Hex(static_cast<std::uint32_t>(i) * SlotSize) + "\r\n  " + slots[i].Decoded.Text + "\r\n";
      lineNumber += 2;
      slotOfLine[static_cast<std::size_t>(lineNumber)] = i;
    }
    WriteFile(folder.File("forms.asm"), source);
    failure = Assemble(folder.Path, "forms.asm", false);
    if (failure.empty()) break;
    // Texts the assembler rejects have no exact spelling either; take them
    // out and try again.
    static const std::regex located{R"(forms\.asm:(\d+))"};
    bool removed = false;
    for (auto match = std::sregex_iterator(failure.begin(), failure.end(), located); match != std::sregex_iterator();
         ++match) {
      const auto line = std::stoul((*match)[1].str());
      if (line < slotOfLine.size() && slotOfLine[line] < slots.size()) {
        slots[slotOfLine[line]].Assembles = false;
        removed = true;
      }
    }
    if (!removed) break;
  }
  ASSERT_EQ(failure, "");
  const auto rebuilt = shell::ReadFileBytes(folder.File("rebuilt.rom"));
  ASSERT_TRUE(rebuilt.has_value());

  std::string wrong;
  int inexact = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const Slot& slot = slots[i];
    const auto start = forms.Bytes.begin() + slot.Form.Offset;
    std::vector<std::uint8_t> expected(start, start + slot.Decoded.Length);
    expected.resize(SlotSize, 0);
    const auto slotStart = rebuilt->begin() + static_cast<std::ptrdiff_t>(i * SlotSize);
    const std::vector<std::uint8_t> built(slotStart, slotStart + SlotSize);
    const bool exact = slot.Assembles && built == expected;
    inexact += exact ? 0 : 1;
    const std::uint8_t firstByte = forms.Bytes[static_cast<std::size_t>(slot.Form.Offset)];
    if (output::HasNoExactSpelling(firstByte, slot.Form.TableIndex) == !exact) continue;
    const std::span<const std::uint8_t> formBytes(expected.data(), static_cast<std::size_t>(slot.Decoded.Length));
    wrong += "  entry " + Hex(static_cast<std::uint32_t>(slot.Form.TableIndex)) + " (" + HexBytes(formBytes) + ", \"" +
             slot.Decoded.Text + "\"): ";
    if (!slot.Assembles) {
      wrong += "rejected by the assembler, but not listed\n";
    } else if (exact) {
      wrong += "listed, but assembles exactly\n";
    } else {
      wrong += "assembles to " + HexBytes(built) + ", but not listed\n";
    }
  }
  if (!wrong.empty()) {
    ADD_FAILURE() << "HasNoExactSpelling disagrees with WLA DX on these forms (" << inexact << " of " << slots.size()
                  << " have no exact spelling):\n"
                  << wrong;
  }
}

// --- The generator keeps its promises -------------------------------------------

// Traced as bytegleaner-cli traces by default.
analysis::Examination Traced(const std::vector<std::uint8_t>& image) {
  analysis::Examination examination;
  analysis::LoadRom(examination, image);
  analysis::ExamineEntryPoints(ShippedTable(), examination, true, shell::UserInterface{});
  return examination;
}

bool IsCodeStart(const analysis::Examination& examination, std::int32_t offset) {
  return (examination.Map[static_cast<std::size_t>(offset)] & analysis::CodeStart) != 0;
}

// Offsets where a traced instruction has another one starting inside it,
// other than where a bank's end cuts it.
std::vector<std::int32_t> OverlappingInstructions(const analysis::Examination& examination) {
  std::vector<std::int32_t> overlapping;
  opcodes::DecodedInstruction decoded;
  for (std::int32_t offset = 0; offset < examination.Rom.RomSize; ++offset) {
    if (!IsCodeStart(examination, offset)) continue;
    opcodes::MeasureInstruction(ShippedTable(), examination, offset, decoded);
    const std::int32_t end =
        std::min({offset + decoded.Length, (offset / BankSize + 1) * BankSize, examination.Rom.RomSize});
    for (std::int32_t inside = offset + 1; inside < end; ++inside) {
      if (IsCodeStart(examination, inside)) overlapping.push_back(offset);
    }
  }
  return overlapping;
}

TEST(GeneratedImages, GameImagesHaveCodeInEveryDirectlyAddressedBankAndNoOverlaps) {
  for (const std::int32_t size : {1000, 16 << 10, 40000, 48 << 10, 512 << 10}) {
    SCOPED_TRACE(size);
    const std::vector<std::uint8_t> image = GameImage(size, static_cast<std::uint32_t>(size));
    ASSERT_EQ(static_cast<std::int32_t>(image.size()), size);
    EXPECT_EQ(image, GameImage(size, static_cast<std::uint32_t>(size)));
    const analysis::Examination examination = Traced(image);
    for (const std::int32_t entry : {0x00, 0x08, 0x10, 0x18, 0x20, 0x28, 0x30, 0x38, 0x66}) {
      EXPECT_TRUE(IsCodeStart(examination, entry)) << "entry " << entry;
    }
    for (std::int32_t bank = 0; bank < std::min(3, (size + BankSize - 1) / BankSize); ++bank) {
      const auto first = examination.Map.begin() + bank * BankSize;
      const auto last = examination.Map.begin() + std::min((bank + 1) * BankSize, size);
      EXPECT_GT(std::count_if(first, last, [](std::uint8_t flags) { return (flags & analysis::CodeStart) != 0; }), 20)
          << "bank " << bank;
    }
    EXPECT_EQ(OverlappingInstructions(examination), std::vector<std::int32_t>{});
  }
}

TEST(GeneratedImages, EveryTableFormIsTracedAsItself) {
  const FormsImage forms = AllFormsImage(ShippedTable());
  const analysis::Examination examination = Traced(forms.Bytes);
  int checked = 0;
  opcodes::DecodedInstruction decoded;
  for (const PlacedForm& form : forms.Forms) {
    SCOPED_TRACE("entry " + Hex(static_cast<std::uint32_t>(form.TableIndex)) + " at " +
                 Hex(static_cast<std::uint32_t>(form.Offset)));
    ASSERT_TRUE(IsCodeStart(examination, form.Offset));
    opcodes::MeasureInstruction(ShippedTable(), examination, form.Offset, decoded);
    ASSERT_EQ(decoded.TableIndex, form.TableIndex);
    ++checked;
  }
  EXPECT_EQ(checked, 2 * (256 * 3 - 4 + 2 * (256 * 2 - 1)));
  EXPECT_EQ(OverlappingInstructions(examination), std::vector<std::int32_t>{});
}

TEST(GeneratedImages, DenseCodeIsTracedAlmostWhole) {
  const std::vector<std::uint8_t> image = DenseCodeImage(ShippedTable(), 256 << 10, 0xC0DE);
  const analysis::Examination examination = Traced(image);
  std::int32_t covered = 0;
  opcodes::DecodedInstruction decoded;
  for (std::int32_t offset = 0; offset < examination.Rom.RomSize; ++offset) {
    if (!IsCodeStart(examination, offset)) continue;
    opcodes::MeasureInstruction(ShippedTable(), examination, offset, decoded);
    covered += decoded.Length;
  }
  EXPECT_GT(covered, examination.Rom.RomSize * 9 / 10);
  EXPECT_TRUE(IsCodeStart(examination, examination.Rom.RomSize - 1));
  EXPECT_EQ(OverlappingInstructions(examination), std::vector<std::int32_t>{});
}

}  // namespace
}  // namespace bytegleaner::testing
