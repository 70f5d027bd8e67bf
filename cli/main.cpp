// The headless front end: examines each ROM named on the command line as
// the desktop program's "Examine ROM" would, for scripts and batch work.
#include "analysis/examination.h"
#include "opcodes/opcode_table.h"
#include "output/examine_rom.h"
#include "output/refined_examination.h"
#include "platform/program_folder.h"
#include "reporting/user_interface.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace bytegleaner;

constexpr int ExitExamined = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

constexpr std::string_view Usage =
    "Usage: bytegleaner-cli [--hints FILE] [--write-hints [--force]] ROM...\n"
    "       bytegleaner-cli --exact [--rebuildable] [--no-break-at-indirect-jump] ROM...\n"
    "Traces the Z80 code of each Sega Master System or Game Gear ROM and writes WLA DX\n"
    "source beside it (ROM.asm, and ROM.dat.<offset> for long data stretches).\n"
    "\n"
    "By default the thorough analysis follows, beyond the entry points, jump tables, code\n"
    "addresses used as values, calls followed by inline data and the Sega mapper's paging,\n"
    "and writes source that assembles back into the same ROM.\n"
    "\n"
    "  --hints FILE                 read the hints from FILE (with one ROM only); without it,\n"
    "                               ROM.hints beside the ROM is read where it exists\n"
    "  --write-hints                also write ROM.hints: the analysis's decisions as\n"
    "                               hints to edit, each with its reason\n"
    "  --force                      with --write-hints: replace an existing ROM.hints\n"
    "  --exact                      trace from the entry points alone and write what the\n"
    "                               desktop program writes\n"
    "  --rebuildable                with --exact (which it implies): where the usual text\n"
    "                               would not assemble back to the same bytes, write a\n"
    "                               form that does\n"
    "  --no-break-at-indirect-jump  with --exact (which it implies): keep tracing after\n"
    "                               JP (HL), JP (IX) and JP (IY)\n"
    "  --help                       show this text\n"
    "  --version                    show the program's name and version\n";

void PrintLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

struct CommandLine {
  bool Exact = false;
  output::ExamineOptions Options;
  output::HintsOptions Hints;
  bool Force = false;
  std::vector<std::string> Roms;
};

// Returns an exit code when the command line is handled without examining.
std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& commandLine) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (optionsEnded || argument.empty() || argument.front() != '-' || argument == "-") {
      commandLine.Roms.emplace_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--exact") {
      commandLine.Exact = true;
    } else if (argument == "--no-break-at-indirect-jump") {
      // Options of the exact analysis select it, so that commands written
      // before the thorough analysis existed keep their output.
      commandLine.Exact = true;
      commandLine.Options.BreakAtIndirectJump = false;
    } else if (argument == "--rebuildable") {
      commandLine.Exact = true;
      commandLine.Options.Rebuildable = true;
    } else if (argument == "--hints") {
      if (i + 1 == argc || std::string_view(argv[i + 1]).empty()) {
        std::fprintf(stderr, "bytegleaner-cli: --hints needs a file\n");
        return ExitUsage;
      }
      commandLine.Hints.HintsPath = argv[++i];
    } else if (argument == "--write-hints") {
      commandLine.Hints.WriteHints = true;
    } else if (argument == "--force") {
      commandLine.Force = true;
    } else if (argument == "--help" || argument == "-h") {
      std::fwrite(Usage.data(), 1, Usage.size(), stdout);
      return ExitExamined;
    } else if (argument == "--version") {
      std::printf("%.*s %.*s\n", static_cast<int>(platform::ProgramName.size()), platform::ProgramName.data(),
                  static_cast<int>(platform::ProgramVersion.size()), platform::ProgramVersion.data());
      return ExitExamined;
    } else {
      std::fprintf(stderr, "bytegleaner-cli: unknown option %s\n", argv[i]);
      std::fwrite(Usage.data(), 1, Usage.size(), stderr);
      return ExitUsage;
    }
  }
  commandLine.Hints.ReplaceHints = commandLine.Force;
  // The hints belong to the thorough analysis, and one file to one image.
  const bool hintsUsed = !commandLine.Hints.HintsPath.empty() || commandLine.Hints.WriteHints || commandLine.Force;
  const char* misuse = commandLine.Exact && hintsUsed ? "the hints options do not go with --exact"
                       : commandLine.Force && !commandLine.Hints.WriteHints ? "--force goes with --write-hints"
                       : !commandLine.Hints.HintsPath.empty() && commandLine.Roms.size() > 1
                           ? "--hints takes one ROM"
                           : nullptr;
  if (misuse != nullptr) std::fprintf(stderr, "bytegleaner-cli: %s\n", misuse);
  if (commandLine.Roms.empty() || misuse != nullptr) {
    std::fwrite(Usage.data(), 1, Usage.size(), stderr);
    return ExitUsage;
  }
  return std::nullopt;
}

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine commandLine;
  if (const auto handled = ParseCommandLine(argc, argv, commandLine)) return *handled;

  opcodes::OpcodeTable table;
  const std::string tablePath = platform::ProgramFile("opcodes.dat");
  const opcodes::OpcodeTableStatus tableStatus = opcodes::LoadOpcodeTableFrom(tablePath, table);
  if (tableStatus != opcodes::OpcodeTableStatus::Loaded) {
    PrintLine(stderr, opcodes::OpcodeTableMessage(tableStatus));
    return ExitFailed;
  }

  reporting::UserInterface ui;
  ui.AddStatusLine = [](std::string_view text) { PrintLine(stdout, text); };
  bool failed = false;
  std::string currentRom;
  ui.ShowError = [&](std::string_view text) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %.*s\n", currentRom.c_str(), static_cast<int>(text.size()), text.data());
  };

  analysis::Examination examination;
  for (const std::string& rom : commandLine.Roms) {
    currentRom = AbsolutePath(rom);
    const output::ExamineResult result =
        commandLine.Exact ? output::ExamineRom(currentRom, table, commandLine.Options, examination, ui)
                          : output::ExamineRomThoroughly(currentRom, table, commandLine.Hints, examination, ui);
    if (!result.Examined) {
      failed = true;
    } else if (result.WriteFailed) {
      ui.ShowError("Not all of the output could be written.");
      failed = true;
    }
  }
  if (std::fflush(stdout) != 0) failed = true;
  return failed ? ExitFailed : ExitExamined;
}
