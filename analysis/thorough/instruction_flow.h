#pragma once

#include "opcodes/decoder.h"
#include "opcodes/opcode_table.h"

#include <array>
#include <cstdint>

namespace bytegleaner::thorough {

// Where the CPU goes after an instruction, as far as the trace cares. An
// index prefix that the table lists on a page of its own changes none of
// these (`jp (ix)` is an indirect jump like `jp (hl)`).
enum class Flow : std::uint8_t { Next, End, IndirectJump, Call, ConditionalCall, Restart, ConditionalReturn };

// What the tracer asks of every instruction, in one lookup.
struct InstructionTraits {
  Flow Goes = Flow::Next;
  bool PlainReturn = false;  // ret, which after a push jumps to the pushed address
  bool Push = false;
  // Where the word of `ld bc/de/hl/ix/iy,nn` sits in the instruction; 0
  // for any other instruction.
  std::uint8_t WordConstantAt = 0;
};

inline constexpr std::array<InstructionTraits, 256> UnprefixedTraits = [] {
  std::array<InstructionTraits, 256> table{};
  for (int opcode = 0; opcode < 256; ++opcode) {
    InstructionTraits& traits = table[static_cast<std::size_t>(opcode)];
    if (opcode == 0xC9 || opcode == 0xC3 || opcode == 0x18) traits.Goes = Flow::End;  // ret, jp nn, jr e
    if (opcode == 0xE9) traits.Goes = Flow::IndirectJump;
    if (opcode == 0xCD) traits.Goes = Flow::Call;
    if ((opcode & 0xC7) == 0xC4) traits.Goes = Flow::ConditionalCall;
    if ((opcode & 0xC7) == 0xC7) traits.Goes = Flow::Restart;
    if ((opcode & 0xC7) == 0xC0) traits.Goes = Flow::ConditionalReturn;
    traits.PlainReturn = opcode == 0xC9;
    traits.Push = (opcode & 0xCF) == 0xC5;
    traits.WordConstantAt = opcode == 0x01 || opcode == 0x11 || opcode == 0x21 ? 1 : 0;
  }
  return table;
}();

inline InstructionTraits TraitsOf(const opcodes::DecodedInstruction& decoded) {
  const std::uint8_t opcode = decoded.Opcode();
  if (decoded.PrefixCode == 0) {
    InstructionTraits traits = UnprefixedTraits[opcode];
    if (traits.WordConstantAt != 0 && decoded.TableIndex >= opcodes::IndexPage) traits.WordConstantAt = 2;
    return traits;
  }
  InstructionTraits traits;
  if (decoded.PrefixCode == 0xED && (opcode == 0x45 || opcode == 0x4D)) traits.Goes = Flow::End;  // retn, reti
  return traits;
}

}  // namespace bytegleaner::thorough
