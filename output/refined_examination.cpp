#include "output/refined_examination.h"

#include "analysis/examination.h"
#include "analysis/thorough/thorough_examination.h"
#include "hints/hints_reader.h"
#include "hints/hints_writer.h"
#include "output/examine_rom.h"
#include "output/hint_decisions.h"
#include "output/paged_source.h"
#include "output/source_header.h"
#include "platform/file_bytes.h"
#include "reporting/user_interface.h"
#include "text/number_text.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace bytegleaner::output {

namespace {

constexpr std::array<std::string_view, thorough::FinderCount> FinderLines = {
    " runs from the entry points.", " runs through jump tables.", " runs through code addresses.",
    " runs after inline data.",     " runs through the mapper.",  " runs from the hints."};

// Reads the hints file the options name, or the one beside the ROM; false
// (with the messages shown) when it cannot be read or holds bad lines.
bool ReadGivenHints(const std::string& chosenRomPath, const HintsOptions& options, std::int32_t romSize,
                    std::string& path, hints::HintsReading& reading, const reporting::UserInterface& ui) {
  path = options.HintsPath;
  if (path.empty()) {
    std::error_code error;
    if (!std::filesystem::exists(hints::HintsPathFor(chosenRomPath), error)) return true;
    path = hints::HintsPathFor(chosenRomPath);
  }
  std::optional<hints::HintsReading> read = hints::ReadHintsFile(path, romSize);
  if (!read) {
    reporting::ShowError(ui, "Can't read hints file " + path + ".");
    return false;
  }
  reading = std::move(*read);
  for (const std::string& message : reading.Errors) reporting::ShowError(ui, message);
  return reading.Errors.empty();
}

// Writes the hints file from the analysis's decisions; false when it fails.
bool WriteDecisions(const std::string& chosenRomPath, const HintsOptions& options, const thorough::Findings& findings,
                    const hints::HintsReading& reading, const reporting::UserInterface& ui) {
  const std::string path = hints::HintsPathFor(chosenRomPath);
  const std::string text = hints::HintsFileText(DecisionsOf(findings, reading.Hints),
                                                std::filesystem::path(chosenRomPath).filename().string());
  const hints::HintsFileStatus status = hints::WriteHintsFile(path, text, options.ReplaceHints);
  if (status == hints::HintsFileStatus::Written) {
    reporting::AddStatusLine(ui, hints::HintsFileMessage(status, path));
    return true;
  }
  reporting::ShowError(ui, hints::HintsFileMessage(status, path));
  return false;
}

}  // namespace

ExamineResult ExamineRomThoroughly(const std::string& chosenRomPath, const opcodes::OpcodeTable& table,
                                   const HintsOptions& options, analysis::Examination& examination,
                                   const reporting::UserInterface& ui) {
  if (!LoadRomFile(chosenRomPath, examination, ui)) return {};
  const std::int32_t romSize = examination.Rom.RomSize;
  // Nothing is written before the hints are known to be good.
  if (options.WriteHints && !options.ReplaceHints) {
    std::error_code error;
    const std::string written = hints::HintsPathFor(chosenRomPath);
    if (std::filesystem::exists(std::filesystem::symlink_status(written, error))) {
      reporting::ShowError(ui, hints::HintsFileMessage(hints::HintsFileStatus::AlreadyExists, written));
      return {};
    }
  }
  std::string hintsPath;
  hints::HintsReading reading;
  if (!ReadGivenHints(chosenRomPath, options, romSize, hintsPath, reading, ui)) return {};

  reporting::EnableButtons(ui, false);
  reporting::AddStatusLine(ui, "Filename: " + chosenRomPath);
  reporting::AddStatusLine(ui, "Size: " + text::DecimalText(romSize) + " bytes");
  if (!hintsPath.empty()) reporting::AddStatusLine(ui, hints::HintsReadMessage(hintsPath, reading));
  // The entry points are traced first, as in the exact analysis.
  for (const char* pass : {"Examining code...", "Examining IRQ handler...", "Examining NMI handler..."}) {
    reporting::AddStatusLine(ui, pass);
  }
  thorough::Findings findings;
  thorough::Guidance guidance{reading.Hints, hintsPath, {}};
  thorough::ExamineThoroughly(table, examination, findings, thorough::Recognizers{}, guidance);
  for (const std::string& message : guidance.Errors) reporting::ShowError(ui, message);

  OutputFile source;
  if (!guidance.Errors.empty() || !source.Create(chosenRomPath + ".asm")) {
    if (guidance.Errors.empty()) reporting::ShowError(ui, "Can't create ASM file.");
    reporting::EnableButtons(ui, true);
    return {};
  }
  source.Text.reserve(OutputFile::FlushSize + OutputFile::LargestPiece);
  WriteSourceHeader(source.Text, romSize);
  SourceJob job{table, examination, ui, chosenRomPath, ExamineOptions{true, true}, source, 0, false, {}};
  WritePagedBanks(job, findings, reading.Hints);

  const std::int32_t labelCount = examination.Labels.LabelCount;
  reporting::AddStatusLine(ui, "Finished.");
  reporting::AddStatusLine(ui, "Found " + text::DecimalText(labelCount) + " labels.");
  reporting::AddStatusLine(ui, "Created " + text::DecimalText(job.BinaryFileCount) + " binaries.");
  // The hints' line only where there were hints.
  const std::size_t finders = hintsPath.empty() ? thorough::FinderCount - 1 : thorough::FinderCount;
  for (std::size_t finder = 0; finder < finders; ++finder) {
    reporting::AddStatusLine(ui, "Found " + text::DecimalText(findings.RunsFound[finder]) +
                                     std::string(FinderLines[finder]));
  }
  const bool sourceWritten = source.Close();
  const bool hintsWritten = !options.WriteHints || WriteDecisions(chosenRomPath, options, findings, reading, ui);
  reporting::EnableButtons(ui, true);
  return {true, !sourceWritten || job.BinaryWriteFailed || !hintsWritten, labelCount, job.BinaryFileCount};
}

}  // namespace bytegleaner::output
