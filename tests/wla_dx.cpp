// Runs bytegleaner-cli and WLA DX on an image and explains any difference
// between the rebuilt image and the input.
#include "tests/wla_dx.h"

#include "platform/file_bytes.h"
#include "text/number_text.h"
#include "tests/test_support.h"

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

namespace fs = std::filesystem;

std::string Hex(std::uint32_t value) { return "$" + text::HexText(value); }

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text::AppendHexByte(text, byte);
  }
  return text;
}

namespace {

constexpr std::int32_t BankSize = 0x4000;

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

}  // namespace

std::string WlaDxMissing() { return Tools().Missing; }

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

namespace {

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

}  // namespace

// Empty when the image survives examination and reassembly unchanged.
std::string RoundTripFailure(const std::string& romName, const std::vector<std::uint8_t>& image, bool rebuildable) {
  TempFolder folder;
  WriteFile(folder.File(romName), image);
  const std::string options = rebuildable ? "--rebuildable " : "";
  const Outcome examined =
      Run(folder.Path, ShellQuoted(BYTEGLEANER_CLI) + " " + options + ShellQuoted(romName), "cli.txt");
  if (!examined.Succeeded) return "bytegleaner-cli failed:\n" + examined.Output;
  if (const std::string failure = Assemble(folder.Path, romName + ".asm", false); !failure.empty()) return failure;
  const auto rebuilt = platform::ReadFileBytes(folder.File("rebuilt.rom"));
  if (!rebuilt) return "wlalink wrote no image";
  if (*rebuilt == image) return {};
  return DescribeMismatch(folder.Path, romName, image, *rebuilt);
}

}  // namespace bytegleaner::testing
