#pragma once

#include "opcodes/opcode_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::opcodes {

enum class TargetKind : std::uint8_t { NoTarget = 0, RelativeTarget = 1, AbsoluteTarget = 2 };

// The result of one decoding. Callers keep one and let every decoding
// overwrite it; Target keeps an earlier value when TargetKind is NoTarget.
struct DecodedInstruction {
  std::string Text;
  std::int16_t TableIndex = 0;
  std::uint16_t PrefixCode = 0;
  std::int8_t Length = 0;
  TargetKind Kind = TargetKind::NoTarget;
  std::int32_t Target = 0;
  // The target's label name or number as it appears in Text; kept here so
  // its buffer is reused from one decoding to the next.
  std::string TargetText;

  [[nodiscard]] std::uint8_t Opcode() const { return static_cast<std::uint8_t>(TableIndex & 0xFF); }
};

// Decodes the instruction at an image offset (0 to RomSize - 1): text,
// table index, prefix, length and code target.
void DecodeInstruction(const OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset,
                       DecodedInstruction& decoded);

// The same, appending the text to `out` and leaving Text empty, for a
// writer that would only copy it there.
void DecodeInstructionInto(const OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset,
                           DecodedInstruction& decoded, std::string& out);

// The same without the text, for callers that only need to know where the
// instruction ends and where it leads.
void MeasureInstruction(const OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset,
                        DecodedInstruction& decoded);

// The text with the first occurrence of placeholder replaced.
std::string ReplaceFirst(std::string_view text, std::string_view placeholder, std::string_view replacement);

}  // namespace bytegleaner::opcodes
