#include "output/examine_rom.h"

#include "analysis/entry_points.h"
#include "analysis/examination.h"
#include "output/bank_writer.h"
#include "output/source_header.h"
#include "shell/file_bytes.h"
#include "shell/number_text.h"
#include "shell/user_interface.h"

namespace bytegleaner::output {

namespace {
// Offsets are signed 32-bit; leave room for an instruction past the end.
constexpr std::size_t LargestRom = 0x7FFF0000;
}

ExamineResult ExamineRom(const std::string& chosenRomPath, const opcodes::OpcodeTable& table,
                         const ExamineOptions& options, analysis::Examination& examination,
                         const shell::UserInterface& ui) {
  auto fileBytes = shell::ReadFileBytes(chosenRomPath);
  if (!fileBytes || fileBytes->size() > LargestRom) {
    shell::ShowError(ui, "Can't load ROM file.");
    return {};
  }
  shell::ClearStatusLog(ui);
  analysis::LoadRom(examination, std::move(*fileBytes));

  OutputFile source;
  if (!source.Create(chosenRomPath + ".asm")) {
    shell::ShowError(ui, "Can't create ASM file.");
    return {};
  }
  source.Text.reserve(OutputFile::FlushSize + OutputFile::LargestPiece);
  shell::EnableButtons(ui, false);
  const std::int32_t romSize = examination.Rom.RomSize;
  WriteSourceHeader(source.Text, romSize);
  shell::AddStatusLine(ui, "Filename: " + chosenRomPath);
  shell::AddStatusLine(ui, "Size: " + shell::DecimalText(romSize) + " bytes");

  analysis::ExamineEntryPoints(table, examination, options.BreakAtIndirectJump, ui);
  SourceJob job{table, examination, ui, chosenRomPath, options, source, 0, false, {}};
  WriteBanks(job);

  const std::int32_t labelCount = examination.Labels.LabelCount;
  shell::AddStatusLine(ui, "Finished.");
  shell::AddStatusLine(ui, "Found " + shell::DecimalText(labelCount) + " labels.");
  shell::AddStatusLine(ui, "Created " + shell::DecimalText(job.BinaryFileCount) + " binaries.");
  shell::EnableButtons(ui, true);
  const bool sourceWritten = source.Close();
  return {true, !sourceWritten || job.BinaryWriteFailed, labelCount, job.BinaryFileCount};
}

}  // namespace bytegleaner::output
