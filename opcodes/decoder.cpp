#include "opcodes/decoder.h"

#include "analysis/examination.h"
#include "opcodes/template_text.h"
#include "text/number_text.h"

namespace bytegleaner::opcodes {

namespace {

// Operand values that the text needs beyond the shared record.
struct Operands {
  char IndexRegisterLetter = 0;
  std::uint8_t Displacement = 0;
  std::uint16_t Value = 0;
  std::uint8_t RelativeByte = 0;
};

// Reads image bytes; a damaged table can ask for more bytes than the spare
// bytes after the image hold, and those read as zero too.
struct ByteCursor {
  const std::vector<std::uint8_t>& Bytes;
  std::int32_t Position;

  std::uint8_t Read() {
    const auto at = static_cast<std::size_t>(Position++);
    return at < Bytes.size() ? Bytes[at] : 0;
  }
  std::uint16_t ReadWord() {
    const std::uint8_t low = Read();
    return static_cast<std::uint16_t>(low | (Read() << 8));
  }
};

void ReadInstruction(const OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset,
                     DecodedInstruction& decoded, Operands& operands) {
  ByteCursor cursor{examination.Rom.Bytes, offset};
  decoded.Kind = TargetKind::NoTarget;
  decoded.PrefixCode = 0;

  int index = cursor.Read();
  if (index == 0xCB) {
    decoded.PrefixCode = 0xCB;
    index = CbPage + cursor.Read();
  } else if (index == 0xED) {
    decoded.PrefixCode = 0xED;
    index = EdPage + cursor.Read();
  } else if (index == 0xDD || index == 0xFD) {
    operands.IndexRegisterLetter = index == 0xDD ? 'x' : 'y';
    const std::uint8_t next = cursor.Read();
    index = IndexPage + next;
    if (next == 0xCB) {
      decoded.PrefixCode = 0xCB;
      operands.Displacement = cursor.Read();
      index = IndexBitPage + cursor.Read();
    }
  }
  decoded.TableIndex = static_cast<std::int16_t>(index);

  const TemplateShape& shape = table.Shapes[static_cast<std::size_t>(index)];
  if (shape.HasIndexedOperand && decoded.PrefixCode != 0xCB) operands.Displacement = cursor.Read();
  if (shape.HasWord) {
    operands.Value = cursor.ReadWord();
  } else if (shape.HasByte) {
    operands.Value = cursor.Read();
  }
  if (shape.HasAbsoluteTarget) {
    decoded.Kind = TargetKind::AbsoluteTarget;
    decoded.Target = cursor.ReadWord();
  } else if (shape.HasRelativeTarget) {
    operands.RelativeByte = cursor.Read();
    decoded.Kind = TargetKind::RelativeTarget;
    decoded.Target = offset + 2 + static_cast<std::int8_t>(operands.RelativeByte);
  }
  decoded.Length = static_cast<std::int8_t>(cursor.Position - offset);
}

// Appends the instruction's text to `text`.
void AppendText(const OpcodeTable& table, const analysis::Examination& examination, DecodedInstruction& decoded,
                const Operands& operands, std::string& text) {
  std::string& targetText = decoded.TargetText;
  targetText.clear();
  if (decoded.Kind != TargetKind::NoTarget &&
      !analysis::AppendLabelName(targetText, examination.Labels, decoded.Target)) {
    text::AppendDollarHex(targetText, decoded.Kind == TargetKind::AbsoluteTarget
                                           ? static_cast<std::uint32_t>(decoded.Target)
                                           : operands.RelativeByte);
  }
  const TemplateOperands filling{operands.IndexRegisterLetter, operands.Displacement, operands.Value, targetText};
  const int index = decoded.TableIndex;
  const auto at = static_cast<std::size_t>(index);
  if (CompiledTemplateIsExact(table, index, operands.IndexRegisterLetter)) {
    AppendCompiledTemplate(text, table.Compiled[at], filling);
  } else {
    std::string filled;
    FillTemplate(filled, table.Templates[at], table.Shapes[at], filling);
    text += filled;
  }
}

}  // namespace

void MeasureInstruction(const OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset,
                        DecodedInstruction& decoded) {
  Operands operands;
  ReadInstruction(table, examination, offset, decoded, operands);
}

void DecodeInstruction(const OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset,
                       DecodedInstruction& decoded) {
  Operands operands;
  ReadInstruction(table, examination, offset, decoded, operands);
  decoded.Text.clear();
  AppendText(table, examination, decoded, operands, decoded.Text);
}

void DecodeInstructionInto(const OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset,
                           DecodedInstruction& decoded, std::string& out) {
  Operands operands;
  ReadInstruction(table, examination, offset, decoded, operands);
  decoded.Text.clear();
  AppendText(table, examination, decoded, operands, out);
}

std::string ReplaceFirst(std::string_view text, std::string_view placeholder, std::string_view replacement) {
  std::string result(text);
  const auto at = result.find(placeholder);
  if (at != std::string::npos) result.replace(at, placeholder.size(), replacement);
  return result;
}

}  // namespace bytegleaner::opcodes
