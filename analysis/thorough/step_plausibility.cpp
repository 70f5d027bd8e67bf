#include "analysis/thorough/step_plausibility.h"

#include "analysis/examination.h"
#include "opcodes/opcode_table.h"

namespace bytegleaner::thorough {

namespace {

constexpr std::int32_t FirstRamAddress = 0xC000;
constexpr std::int32_t EntryInstructions = 4;

// The ports a Master System or Game Gear program talks to: the Game Gear's
// own, the sound chip and VDP counters, the VDP, the pads and the FM unit.
bool IsKnownPort(std::uint16_t port) {
  return port <= 0x06 || port == 0x3E || port == 0x3F || port == 0x7E || port == 0x7F || port == 0xBE ||
         port == 0xBF || port == 0xC0 || port == 0xC1 || port == 0xDC || port == 0xDD || port == 0xDE ||
         port == 0xDF || (port >= 0xF0 && port <= 0xF2);
}

// Writes to ROM addresses only make sense as mapper writes, which some
// cartridges take at the start of each slot.
bool IsWritableAddress(std::uint16_t address) {
  return address >= FirstRamAddress || address == 0x0000 || address == 0x4000 || address == 0x8000;
}

bool IsSameRegisterLoad(const Step& step) {
  return step.Op == Mnemonic::Ld && step.First.Kind == OperandKind::Register &&
         step.Second.Kind == OperandKind::Register && step.First.Code == step.Second.Code;
}

}  // namespace

bool IsTracedStart(const analysis::Examination& examination, std::int32_t offset) {
  return (examination.Map[static_cast<std::size_t>(offset)] & analysis::CodeStart) != 0;
}

bool IsPlausibleEntry(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                      std::int32_t target) {
  if (!examination.Rom.Contains(target) || InsideTracedInstruction(table, examination, target)) return false;
  for (std::int32_t count = 0; count < EntryInstructions; ++count) {
    if (IsTracedStart(examination, target)) return true;
    const Step step = ReadStep(table, examination, target);
    if (!step.Documented || step.Op == Mnemonic::Nop || step.Op == Mnemonic::Halt || IsSameRegisterLoad(step)) {
      return false;
    }
    if (EndsRun(step)) return true;
    target += step.Length;
    if (!examination.Rom.Contains(target)) return false;
  }
  return true;
}

bool IsPlausibleStep(const opcodes::OpcodeTable& table, const analysis::Examination& examination, const Step& step) {
  if (!step.Documented || IsSameRegisterLoad(step)) return false;
  // Parity tests follow block instructions and `ld a,i` in programs, and
  // any byte in data.
  if (step.First.Kind == OperandKind::Condition && (step.First.Code == ConditionPO || step.First.Code == ConditionPE)) {
    return false;
  }
  const Operand& to = step.First;
  const Operand& from = step.Second;
  switch (step.Op) {
    case Mnemonic::Ld:
      if (to.Kind == OperandKind::Other) return false;  // ld i,a and ld r,a: set once at start-up
      if (to.Kind == OperandKind::Absolute && !IsWritableAddress(step.Value)) return false;
      if (from.Kind == OperandKind::Absolute && step.Value < FirstRamAddress) return false;
      if (to.Kind == OperandKind::Pair && to.Code == PairSP) {
        return from.Kind == OperandKind::Immediate && step.Value >= FirstRamAddress;  // not `ld sp,hl`
      }
      return true;
    case Mnemonic::Cp: return to.Kind != OperandKind::Register || to.Code != RegisterA;  // always equal
    case Mnemonic::Nop: return false;  // timing delays sit in traced code; data has zeros everywhere
    case Mnemonic::Halt:  // waits in loops of their own, which are traced anyway
    case Mnemonic::Reti:
    case Mnemonic::Retn: return false;  // interrupt handlers are entry points
    case Mnemonic::Rst:
      return step.Target != 0x00 && step.Target != 0x38 && IsPlausibleEntry(table, examination, step.Target);
    case Mnemonic::Out: return to.Kind != OperandKind::Port || IsKnownPort(step.Value);
    case Mnemonic::In: return from.Kind != OperandKind::Port || IsKnownPort(step.Value);
    case Mnemonic::Im: return step.TableIndex == opcodes::EdPage + 0x56;  // im 1, the only mode the console uses
    case Mnemonic::Jr: return step.Target != step.Offset + step.Length;
    case Mnemonic::Jp:
    case Mnemonic::Call: {
      if (step.RelativeTarget || to.Kind == OperandKind::Memory) return true;
      if (step.Target >= FirstRamAddress) return false;
      const std::int32_t target = OffsetOfAddress(examination, step.Offset, static_cast<std::uint16_t>(step.Target));
      return target >= 0 && IsPlausibleEntry(table, examination, target);
    }
    default: return true;
  }
}

}  // namespace bytegleaner::thorough
