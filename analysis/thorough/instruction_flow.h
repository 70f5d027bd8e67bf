#pragma once

#include "opcodes/decoder.h"
#include "opcodes/opcode_table.h"

#include <cstdint>

namespace bytegleaner::thorough {

// Where the CPU goes after an instruction, as far as the trace cares. An
// index prefix that the table lists on a page of its own changes none of
// these (`jp (ix)` is an indirect jump like `jp (hl)`).
enum class Flow : std::uint8_t { Next, End, IndirectJump, Call, ConditionalCall, Restart, ConditionalReturn };

inline Flow FlowOf(const opcodes::DecodedInstruction& decoded) {
  const std::uint8_t opcode = decoded.Opcode();
  if (decoded.PrefixCode == 0xED) return opcode == 0x45 || opcode == 0x4D ? Flow::End : Flow::Next;
  if (decoded.PrefixCode != 0) return Flow::Next;
  switch (opcode) {
    case 0xC9:  // ret
    case 0xC3:  // jp nn
    case 0x18:  // jr e
      return Flow::End;
    case 0xE9: return Flow::IndirectJump;
    case 0xCD: return Flow::Call;
    default: break;
  }
  if ((opcode & 0xC7) == 0xC4) return Flow::ConditionalCall;
  if ((opcode & 0xC7) == 0xC7) return Flow::Restart;
  if ((opcode & 0xC7) == 0xC0) return Flow::ConditionalReturn;
  return Flow::Next;
}

inline bool IsPlainReturn(const opcodes::DecodedInstruction& decoded) {
  return decoded.PrefixCode == 0 && decoded.Opcode() == 0xC9;
}

inline bool IsPush(const opcodes::DecodedInstruction& decoded) {
  return decoded.PrefixCode == 0 && (decoded.Opcode() & 0xCF) == 0xC5;
}

// `ld bc,nn`, `ld de,nn`, `ld hl,nn`, `ld ix,nn` and `ld iy,nn`; the offset
// of the word inside the instruction, or 0 for any other instruction.
inline int WordConstantAt(const opcodes::DecodedInstruction& decoded) {
  if (decoded.PrefixCode != 0) return 0;
  const std::uint8_t opcode = decoded.Opcode();
  if (opcode != 0x01 && opcode != 0x11 && opcode != 0x21) return 0;
  return decoded.TableIndex >= opcodes::IndexPage ? 2 : 1;
}

}  // namespace bytegleaner::thorough
