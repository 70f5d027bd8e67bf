#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "output/data_lines.h"
#include "output/paged_writer.h"
#include "output/raw_instruction.h"
#include "output/rebuildable_text.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>

namespace bytegleaner::output {

namespace {

using thorough::Reason;

constexpr std::int32_t LongestInstruction = 4;

void WriteRunComment(std::string& out, const thorough::FoundRun& run) {
  out += "; ";
  switch (run.Why) {
    case Reason::JumpTableEntry: out += "jump table at "; break;
    case Reason::IndirectJump: out += "indirect jump at "; break;
    case Reason::CodeAddress: out += "code address loaded at "; break;
    case Reason::CodeAddressInTable: out += "code address in the table at "; break;
    case Reason::PagedIn:
      out += "bank ";
      text::AppendDecimal(out, thorough::BankOf(run.Offset));
      out += " paged into slot ";
      text::AppendDecimal(out, run.Slot);
      out += ", reached from ";
      break;
    case Reason::Hint: out += "code hint\r\n"; return;
    case Reason::HintedTableEntry: out += "words hint at "; break;
    case Reason::Traced:
    case Reason::EntryPoint: break;
  }
  text::AppendDollarHex(out, static_cast<std::uint32_t>(run.From));
  out += "\r\n";
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// `ld hl,$8123` becomes `ld hl,_Label_14123_9` where the constant was found
// to be that label's address.
void NameImmediate(const PagedWriter& writer, const thorough::OperandTarget& operand, std::string& text) {
  std::string number;
  text::AppendDollarHex(number, operand.Value);
  const std::size_t at = text.rfind(number);
  if (at == std::string::npos) return;
  const std::size_t after = at + number.size();
  if (after < text.size() && IsHexDigit(text[after])) return;
  std::string label;
  if (!writer.AppendLabelFor(label, operand.Target, operand.Value)) return;
  text.replace(at, number.size(), label);
}

// The target of a jump or call is named by the label of the offset it
// resolves to, where that label assembles to the operand; otherwise by
// the operand's number, as the image holds it.
void ReferToTarget(PagedWriter& writer, std::int32_t offset, const thorough::OperandTarget* operand,
                   opcodes::DecodedInstruction& decoded) {
  if (decoded.Kind == opcodes::TargetKind::NoTarget) {
    if (operand != nullptr) NameImmediate(writer, *operand, decoded.Text);
    return;
  }
  const std::int32_t target = operand != nullptr ? operand->Target : decoded.Target;
  std::string& reference = writer.Reference;
  reference.clear();
  if (decoded.Kind == opcodes::TargetKind::RelativeTarget) {
    const std::int32_t displacement = decoded.Target - offset - 2;
    if (!writer.AppendLabelFor(reference, target, writer.AssembledAddress(offset) + 2 + displacement)) {
      text::AppendDollarHex(reference, static_cast<std::uint32_t>(displacement & 0xFF));
    }
  } else if (!writer.AppendLabelFor(reference, target, decoded.Target)) {
    text::AppendDollarHex(reference, static_cast<std::uint32_t>(decoded.Target));
  }
  if (reference == decoded.TargetText) return;
  const std::size_t at = decoded.Text.find(decoded.TargetText);
  if (at != std::string::npos) decoded.Text.replace(at, decoded.TargetText.size(), reference);
}

// An (ix+d) operand with d from $80, which the text shows unsigned.
bool HasNegativeDisplacement(const SourceJob& job, std::int32_t offset, const opcodes::DecodedInstruction& decoded) {
  if (decoded.TableIndex < opcodes::IndexPage) return false;
  if (!job.Table.Shapes[static_cast<std::size_t>(decoded.TableIndex)].HasIndexedOperand) return false;
  return job.Examination.Rom.ByteAt(offset + 2) >= 0x80;
}

// Whether the decoder named a label that does not assemble to the operand.
bool NamesMisplacedLabel(const PagedWriter& writer, std::int32_t offset, const opcodes::DecodedInstruction& decoded) {
  if (decoded.Kind == opcodes::TargetKind::NoTarget) return false;
  const std::int32_t target = decoded.Target;
  const analysis::Examination& examination = writer.Job.Examination;
  if (!examination.Rom.Contains(target) || (examination.Map[static_cast<std::size_t>(target)] & analysis::HasLabel) == 0) {
    return false;
  }
  if (decoded.Kind == opcodes::TargetKind::RelativeTarget) {
    return writer.AssembledAddress(target) - writer.AssembledAddress(offset) != target - offset;
  }
  return writer.AssembledAddress(target) != target;
}

// HasNoExactSpelling for every table entry, after any first byte (bit 0)
// and after $FD (bit 1): the walk asks for every instruction.
const std::array<std::uint8_t, opcodes::OpcodeTableSize> InexactSpellings = [] {
  std::array<std::uint8_t, opcodes::OpcodeTableSize> marks{};
  for (int index = 0; index < opcodes::OpcodeTableSize; ++index) {
    marks[static_cast<std::size_t>(index)] =
        static_cast<std::uint8_t>((HasNoExactSpelling(0x00, index) ? 1 : 0) | (HasNoExactSpelling(0xFD, index) ? 2 : 0));
  }
  return marks;
}();

bool HasNoExactSpellingAt(const analysis::RomImage& rom, std::int32_t offset, int tableIndex) {
  return (InexactSpellings[static_cast<std::size_t>(tableIndex)] & (rom.ByteAt(offset) == 0xFD ? 2 : 1)) != 0;
}

// How many of the instruction's bytes its line holds: it is cut short where
// the bank or the image ends, or where another traced instruction or a
// label starts inside, so every label is defined.
std::int32_t WrittenLength(const analysis::Examination& examination, std::int32_t offset, std::int32_t length) {
  const std::int32_t limit = std::min((thorough::BankOf(offset) + 1) * thorough::SlotSize, examination.Rom.RomSize);
  std::int32_t written = std::min(offset + length, limit) - offset;
  for (std::int32_t inside = 1; inside < written; ++inside) {
    if (examination.Map[static_cast<std::size_t>(offset + inside)] != 0) return inside;
  }
  return written;
}

}  // namespace

std::int32_t PagedWriter::AssembledAddress(std::int32_t offset) const {
  const std::uint8_t slot = Found.BankSlots[static_cast<std::size_t>(thorough::BankOf(offset))];
  return slot * thorough::SlotSize + (offset & (thorough::SlotSize - 1));
}

bool PagedWriter::AppendLabelFor(std::string& out, std::int32_t target, std::int32_t value) const {
  if (!Job.Examination.Rom.Contains(target) || AssembledAddress(target) != value) return false;
  return analysis::AppendLabelName(out, Job.Examination.Labels, target);
}

std::int32_t WritePagedCodeLine(PagedWriter& writer, std::int32_t offset) {
  SourceJob& job = writer.Job;
  const analysis::Examination& examination = job.Examination;
  std::string& out = job.Source.Text;
  if (const thorough::FoundRun* run = writer.RunAt(offset)) WriteRunComment(out, *run);
  // Only a comment on the instruction's later bytes needs its length first.
  std::int32_t covered = 1;
  if (CommentBefore(writer, offset + LongestInstruction)) {
    opcodes::MeasureInstruction(job.Table, examination, offset, job.Decoded);
    covered = WrittenLength(examination, offset, job.Decoded.Length);
  }
  WriteLineHead(writer, offset, covered);
  // The usual line goes straight into the output; the few that need their
  // text changed take it back out.
  const std::size_t lineStart = out.size();
  out += "  ";
  opcodes::DecodedInstruction& decoded = job.Decoded;
  opcodes::DecodeInstructionInto(job.Table, examination, offset, decoded, out);

  const std::int32_t written = WrittenLength(examination, offset, decoded.Length);
  const thorough::OperandTarget* operand = writer.OperandAt(offset);
  const bool raw =
      written < decoded.Length || HasNoExactSpellingAt(examination.Rom, offset, decoded.TableIndex);
  if (!raw && operand == nullptr && !HasNegativeDisplacement(job, offset, decoded) &&
      !NamesMisplacedLabel(writer, offset, decoded)) {
    AppendHardwareComment(out, examination.Rom, offset, written);
    out += "\r\n";
  } else {
    decoded.Text.assign(out, lineStart + 2);
    out.resize(lineStart);
    if (raw) {
      WriteRawInstruction(out, examination.Rom, offset, written, decoded.Text);
    } else {
      SignIndexDisplacements(decoded.Text);
      ReferToTarget(writer, offset, operand, decoded);
      out += "  ";
      out += decoded.Text;
      AppendHardwareComment(out, examination.Rom, offset, written);
      out += "\r\n";
    }
  }
  if (EndsStraightRun(decoded)) out += "\r\n";
  return written;
}

}  // namespace bytegleaner::output
