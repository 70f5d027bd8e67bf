#include "output/examine_rom.h"

#include "analysis/entry_points.h"
#include "analysis/examination.h"
#include "output/bank_writer.h"
#include "output/refined_examination.h"
#include "output/source_header.h"
#include "platform/file_bytes.h"
#include "text/number_text.h"
#include "reporting/user_interface.h"

#include <string_view>

namespace bytegleaner::output {

namespace {
// Offsets are signed 32-bit; leave room for an instruction past the end.
constexpr std::size_t LargestRom = 0x7FFF0000;
}

bool LoadRomFile(const std::string& chosenRomPath, analysis::Examination& examination,
                 const reporting::UserInterface& ui) {
  auto fileBytes = platform::ReadFileBytes(chosenRomPath);
  if (!fileBytes || fileBytes->size() > LargestRom) {
    reporting::ShowError(ui, "Can't load ROM file.");
    return false;
  }
  reporting::ClearStatusLog(ui);
  analysis::LoadRom(examination, std::move(*fileBytes));
  return true;
}

ExamineResult ExamineRom(const std::string& chosenRomPath, const opcodes::OpcodeTable& table,
                         const ExamineOptions& options, analysis::Examination& examination,
                         const reporting::UserInterface& ui) {
  if (!LoadRomFile(chosenRomPath, examination, ui)) return {};

  OutputFile source;
  if (!source.Create(chosenRomPath + ".asm")) {
    reporting::ShowError(ui, "Can't create ASM file.");
    return {};
  }
  source.Text.reserve(OutputFile::FlushSize + OutputFile::LargestPiece);
  reporting::EnableButtons(ui, false);
  const std::int32_t romSize = examination.Rom.RomSize;
  WriteSourceHeader(source.Text, romSize);
  reporting::AddStatusLine(ui, "Filename: " + chosenRomPath);
  reporting::AddStatusLine(ui, "Size: " + text::DecimalText(romSize) + " bytes");

  analysis::ExamineEntryPoints(table, examination, options.BreakAtIndirectJump, ui);
  SourceJob job{table, examination, ui, chosenRomPath, options, source, 0, false, {}};
  WriteBanks(job);

  const std::int32_t labelCount = examination.Labels.LabelCount;
  reporting::AddStatusLine(ui, "Finished.");
  reporting::AddStatusLine(ui, "Found " + text::DecimalText(labelCount) + " labels.");
  reporting::AddStatusLine(ui, "Created " + text::DecimalText(job.BinaryFileCount) + " binaries.");
  reporting::EnableButtons(ui, true);
  const bool sourceWritten = source.Close();
  return {true, !sourceWritten || job.BinaryWriteFailed, labelCount, job.BinaryFileCount};
}

ExamineResult ExamineRomThoroughly(const std::string& chosenRomPath, const opcodes::OpcodeTable& table,
                                   analysis::Examination& examination, const reporting::UserInterface& ui) {
  return ExamineRomThoroughly(chosenRomPath, table, HintsOptions{}, examination, ui);
}

}  // namespace bytegleaner::output
