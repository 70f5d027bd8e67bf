#pragma once

#include "analysis/thorough/paging.h"

#include <array>
#include <cstdint>

namespace bytegleaner::thorough {

// What a straight run of code knows of one 8-bit register: nothing, a
// constant, or (while a routine is summarised for its callers) whatever
// the caller had in A.
enum class Knowledge : std::uint8_t { Unknown, Constant, CallersA };

struct RegisterValue {
  std::uint8_t Value = 0;
  Knowledge Kind = Knowledge::Unknown;

  [[nodiscard]] bool IsConstant() const { return Kind == Knowledge::Constant; }
};

// Register numbers as the instruction encoding has them; 6 is (hl).
inline constexpr int RegB = 0, RegC = 1, RegD = 2, RegE = 3, RegH = 4, RegL = 5, RegA = 7;

struct KnownRegisters {
  std::array<RegisterValue, 8> Registers{};
  // The pairs pushed in this run and not yet popped, so that a bank saved
  // with `push af` and restored with `pop af` stays known.
  std::array<std::array<RegisterValue, 2>, 4> Stack{};
  std::uint8_t StackDepth = 0;

  [[nodiscard]] const RegisterValue& A() const { return Registers[RegA]; }
  // At a label, where other paths join.
  void Forget() { *this = {}; }
  // After a call: the callee may change any register but keeps the stack.
  void ForgetRegisters() { Registers = {}; }
};

// A write to a mapper register that one instruction makes.
struct MapperWrite {
  std::uint16_t Address = 0;
  RegisterValue Value;
};

struct MapperWrites {
  std::array<MapperWrite, 2> Writes{};
  std::uint8_t Count = 0;
};

// Carries the registers over the instruction at `bytes` (at least four
// readable bytes) and lists the writes it makes to $FFFC-$FFFF. Registers an
// instruction may change in ways not modelled become unknown; control flow
// is the caller's business.
void StepRegisters(const std::uint8_t* bytes, const Paging& paging, KnownRegisters& registers, MapperWrites& writes);

// Unprefixed instructions that change no tracked register and write no
// memory: nop, relative jumps but djnz, scf, ccf, halt, cp, returns, jumps,
// calls, RSTs, out (n),a, di and ei. The tracer skips them without a call.
inline constexpr std::array<bool, 256> ChangesNothing = [] {
  std::array<bool, 256> table{};
  for (int opcode = 0; opcode < 256; ++opcode) {
    const int x = opcode >> 6, y = (opcode >> 3) & 7, z = opcode & 7;
    const bool q = (y & 1) != 0;
    bool nothing = false;
    if (x == 0) nothing = (z == 0 && y != 1 && y != 2) || (z == 7 && y >= 6);
    if (x == 1) nothing = opcode == 0x76;
    if (x == 2) nothing = y == 7;
    if (x == 3) {
      nothing = z == 0 || z == 2 || z == 4 || z == 7 || (z == 1 && q && (y == 1 || y == 5)) ||
                (z == 3 && (y == 0 || y == 2 || y >= 6)) || (z == 5 && y == 1) || (z == 6 && y == 7);
    }
    table[static_cast<std::size_t>(opcode)] = nothing;
  }
  return table;
}();

}  // namespace bytegleaner::thorough
