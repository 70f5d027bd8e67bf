#include "output/bank_writer.h"

#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "output/data_lines.h"
#include "output/data_stretch.h"
#include "output/raw_instruction.h"
#include "output/rebuildable_text.h"
#include "output/source_job.h"
#include "text/number_text.h"
#include "reporting/user_interface.h"

#include <algorithm>

namespace bytegleaner::output {

namespace {

using analysis::BankSize;

std::int32_t BankEnd(std::int32_t offset) { return (offset / BankSize + 1) * BankSize; }

void WriteBankHeader(std::string& out, std::int32_t offset) {
  const std::int32_t bank = offset / BankSize;
  out += "\r\n.BANK ";
  text::AppendDecimal(out, bank);
  if (bank < 3) {
    out += " SLOT ";
    text::AppendDecimal(out, bank);
  }
  out += "\r\n.ORG $0000\r\n\r\n";
}

// The rebuildable spelling of an instruction's text where it differs.
void MakeTextRebuildable(const SourceJob& job, std::int32_t offset, opcodes::DecodedInstruction& decoded) {
  SignIndexDisplacements(decoded.Text);
  if (decoded.Kind == opcodes::TargetKind::NoTarget) return;
  const bool relative = decoded.Kind == opcodes::TargetKind::RelativeTarget;
  const std::string label = analysis::FindLabel(job.Examination.Labels, decoded.Target);
  if (label.empty() || LabelReferenceAssemblesExactly(relative, offset, decoded.Target)) return;
  std::string number;
  text::AppendDollarHex(number, relative ? static_cast<std::uint32_t>((decoded.Target - offset - 2) & 0xFF)
                                          : static_cast<std::uint32_t>(decoded.Target));
  decoded.Text.replace(decoded.Text.find(label), label.size(), number);
}

// Writes the data stretch from start up to the next flagged offset or the
// end given, and returns where the stretch ends.
std::int32_t WriteDataFrom(SourceJob& job, std::int32_t start, std::int32_t end) {
  const analysis::Examination& examination = job.Examination;
  std::int32_t stop = start + 1;
  while (stop < end && examination.Map[static_cast<std::size_t>(stop)] == 0) ++stop;
  const DataStretch stretch = MakeDataStretch(job, start, stop);
  WriteDataHeading(job, stretch);
  WriteDataStretch(job, stretch);
  job.Source.Text += "\r\n";
  return stop;
}

}  // namespace

bool EndsStraightRun(const opcodes::DecodedInstruction& decoded) {
  const std::uint8_t opcode = decoded.Opcode();
  if (decoded.PrefixCode == 0) return opcode == 0xC9 || opcode == 0xC3 || opcode == 0xE9 || opcode == 0x18;
  return decoded.PrefixCode == 0xED && (opcode == 0x45 || opcode == 0x4D);
}

void WriteRawInstruction(std::string& out, const analysis::RomImage& rom, std::int32_t offset, std::int32_t length,
                         const std::string& text) {
  out += "  .db ";
  for (std::int32_t i = 0; i < length; ++i) {
    if (i > 0) out += ", ";
    AppendByteItem(out, rom.ByteAt(offset + i));
  }
  out += " ; ";
  out += text;
  out += "\r\n";
}

std::int32_t WriteCodeLine(SourceJob& job, std::int32_t offset) {
  const analysis::Examination& examination = job.Examination;
  opcodes::DecodedInstruction& decoded = job.Decoded;
  std::string& out = job.Source.Text;
  if ((examination.Map[static_cast<std::size_t>(offset)] & analysis::HasLabel) != 0) {
    analysis::AppendLabelName(out, examination.Labels, offset);
    out += ":\r\n";
  }

  // The usual line goes straight into the output; the rare ones that need
  // the text itself take it back out.
  const std::size_t lineStart = out.size();
  out += "  ";
  opcodes::DecodeInstructionInto(job.Table, examination, offset, decoded, out);

  // An instruction is cut short where the bank or the image ends, or where
  // another traced instruction or label starts inside it, so that every
  // section begins on its bank and every label is defined.
  const std::int32_t limit = std::min(BankEnd(offset), examination.Rom.RomSize);
  std::int32_t written = std::min(offset + decoded.Length, limit) - offset;
  for (std::int32_t inside = 1; inside < written; ++inside) {
    if (examination.Map[static_cast<std::size_t>(offset + inside)] != 0) {
      written = inside;
      break;
    }
  }
  const bool raw = written < decoded.Length ||
                   (job.Options.Rebuildable && HasNoExactSpelling(examination.Rom.ByteAt(offset), decoded.TableIndex));

  if (!raw && !job.Options.Rebuildable) {
    out += "\r\n";
  } else {
    decoded.Text.assign(out, lineStart + 2);
    out.resize(lineStart);
    if (raw) {
      WriteRawInstruction(out, examination.Rom, offset, written, decoded.Text);
    } else {
      MakeTextRebuildable(job, offset, decoded);
      out += "  ";
      out += decoded.Text;
      out += "\r\n";
    }
  }
  if (EndsStraightRun(decoded)) out += "\r\n";
  return written;
}

void WriteBanks(SourceJob& job) {
  reporting::AddStatusLine(job.Ui, "Creating ASM file...");
  const analysis::Examination& examination = job.Examination;
  const std::int32_t romSize = examination.Rom.RomSize;
  for (std::int32_t position = 0; position < romSize;) {
    if (position % BankSize == 0) WriteBankHeader(job.Source.Text, position);
    if ((examination.Map[static_cast<std::size_t>(position)] & analysis::CodeStart) != 0) {
      position += WriteCodeLine(job, position);
    } else {
      position = WriteDataFrom(job, position, std::min(BankEnd(position), romSize));
    }
    job.Source.FlushIfFull();
  }
}

}  // namespace bytegleaner::output
