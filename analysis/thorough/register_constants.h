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

// The common unprefixed forms the tracer carries out without a call:
// those that change no tracked register and write no memory (nop, relative
// jumps but djnz, scf, ccf, halt, cp, returns, jumps, calls, RSTs,
// out (n),a, di, ei), `ld r,n`, `ld r,r'` and `ld bc/de/hl,nn`.
enum class SimpleKind : std::uint8_t { Other, Nothing, LoadByte, CopyRegister, LoadPair };
struct SimpleForm {
  SimpleKind Kind = SimpleKind::Other;
  std::uint8_t Target = 0;  // a register, or for LoadPair the high half
  std::uint8_t Source = 0;
};

inline constexpr std::array<SimpleForm, 256> SimpleForms = [] {
  std::array<SimpleForm, 256> table{};
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
    SimpleForm& form = table[static_cast<std::size_t>(opcode)];
    if (nothing) {
      form.Kind = SimpleKind::Nothing;
    } else if (x == 0 && z == 6 && y != 6) {
      form = {SimpleKind::LoadByte, static_cast<std::uint8_t>(y), 0};
    } else if (x == 1 && y != 6 && z != 6) {
      form = {SimpleKind::CopyRegister, static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(z)};
    } else if (x == 0 && z == 1 && !q && y < 6) {
      form = {SimpleKind::LoadPair, static_cast<std::uint8_t>(y), 0};
    }
  }
  return table;
}();

// StepRegisters with the common forms done in line.
inline void StepRegistersQuickly(const std::uint8_t* bytes, const Paging& paging, KnownRegisters& registers,
                                 MapperWrites& writes) {
  writes.Count = 0;
  const SimpleForm form = SimpleForms[bytes[0]];
  auto& known = registers.Registers;
  switch (form.Kind) {
    case SimpleKind::Nothing: return;
    case SimpleKind::LoadByte: known[form.Target] = {bytes[1], Knowledge::Constant}; return;
    case SimpleKind::CopyRegister: known[form.Target] = known[form.Source]; return;
    case SimpleKind::LoadPair:
      known[form.Target] = {bytes[2], Knowledge::Constant};
      known[form.Target + 1U] = {bytes[1], Knowledge::Constant};
      return;
    case SimpleKind::Other: StepRegisters(bytes, paging, registers, writes); return;
  }
}

}  // namespace bytegleaner::thorough
