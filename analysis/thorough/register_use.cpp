#include "analysis/thorough/register_use.h"

namespace bytegleaner::thorough {

namespace {

constexpr RegisterSet Bit(int index) { return static_cast<RegisterSet>(1u << index); }
constexpr RegisterSet A = Bit(RegisterA);

}  // namespace

RegisterSet PairBits(std::uint8_t pair) {
  switch (pair) {
    case PairBC: return Bit(0) | Bit(1);
    case PairDE: return Bit(2) | Bit(3);
    case PairHL: return Bit(4) | Bit(5);
    case PairAF: return A | FlagsBit;
    case PairIX: return Bit(8);
    case PairIY: return Bit(9);
    default: return 0;
  }
}

namespace {

// The registers an operand's value or address comes from.
RegisterSet OperandBits(const Operand& operand) {
  switch (operand.Kind) {
    case OperandKind::Register: return Bit(operand.Code);
    case OperandKind::Pair:
    case OperandKind::Memory:
    case OperandKind::Indexed: return PairBits(operand.Code);
    case OperandKind::IndexHalf: return AllRegisters;
    default: return 0;
  }
}

RegisterUse Use(RegisterSet reads, RegisterSet writes, bool setsFlags) {
  RegisterUse use;
  use.Reads = reads;
  use.Writes = writes;
  use.SetsFlags = use.SetsCarry = setsFlags;
  return use;
}

RegisterUse TakingCarry(RegisterUse use) {
  use.Reads |= FlagsBit;
  use.TestsFlags = use.TestsCarry = true;
  return use;
}

RegisterUse Compute(RegisterSet reads, RegisterSet computes) {
  RegisterUse use = Use(reads, 0, true);
  use.Computes = computes;
  return use;
}

RegisterUse Load(const Step& step) {
  const Operand& to = step.First;
  if (to.Kind == OperandKind::Register || (to.Kind == OperandKind::Pair && to.Code != PairSP)) {
    return Use(OperandBits(step.Second), OperandBits(to), false);
  }
  return Use(OperandBits(step.Second) | OperandBits(to), 0, false);  // a store reads its address
}

RegisterUse Arithmetic(const Step& step) {
  const Operand& first = step.First;
  const bool onAccumulator = first.Kind == OperandKind::Register && first.Code == RegisterA;
  if ((step.Op == Mnemonic::Xor || step.Op == Mnemonic::Sub) && onAccumulator) return Use(0, A, true);
  const bool withCarry = step.Op == Mnemonic::Adc || step.Op == Mnemonic::Sbc;
  if (first.Kind == OperandKind::Pair) {
    const RegisterUse use = Compute(OperandBits(first) | OperandBits(step.Second), OperandBits(first));
    return withCarry ? TakingCarry(use) : use;
  }
  RegisterUse use = Compute(A | OperandBits(first) | OperandBits(step.Second), A);
  if (withCarry) use = TakingCarry(use);
  const bool test = step.Op == Mnemonic::Cp || ((step.Op == Mnemonic::Or || step.Op == Mnemonic::And) && onAccumulator);
  if (test) {
    use.Computes = 0;
    use.OnlyFlags = true;
  }
  return use;
}

}  // namespace

RegisterUse UseOf(const Step& step) {
  switch (step.Op) {
    case Mnemonic::Ld: return Load(step);
    case Mnemonic::Pop: return Use(0, PairBits(step.First.Code) & ~FlagsBit, step.First.Code == PairAF);
    case Mnemonic::Push: return Use(PairBits(step.First.Code), 0, false);
    case Mnemonic::Out: return Use(A | OperandBits(step.Second), 0, false);
    case Mnemonic::In:
      if (step.Second.Kind == OperandKind::Port) return Use(0, A, false);
      return RegisterUse{};
    case Mnemonic::Add: case Mnemonic::Adc: case Mnemonic::Sub: case Mnemonic::Sbc: case Mnemonic::And:
    case Mnemonic::Xor: case Mnemonic::Or: case Mnemonic::Cp:
      return Arithmetic(step);
    case Mnemonic::Inc:
    case Mnemonic::Dec: {
      const bool wide = step.First.Kind == OperandKind::Pair;
      const RegisterSet target = step.First.Kind == OperandKind::Register || wide ? OperandBits(step.First) : 0;
      if (wide) return Use(target, target, false);
      RegisterUse use = Compute(OperandBits(step.First), target);
      use.SetsCarry = false;
      return use;
    }
    case Mnemonic::Bit: {
      RegisterUse use = Use(OperandBits(step.Second), 0, true);
      use.OnlyFlags = true;
      use.SetsCarry = false;
      return use;
    }
    case Mnemonic::Set:
    case Mnemonic::Res: {
      const RegisterSet changed = step.Second.Kind == OperandKind::Register ? OperandBits(step.Second) : 0;
      RegisterUse use = Compute(OperandBits(step.Second), changed);
      use.SetsFlags = use.SetsCarry = false;
      return use;
    }
    case Mnemonic::Jp:
    case Mnemonic::Jr:
    case Mnemonic::Ret:
    case Mnemonic::Call: {
      const bool conditional = step.First.Kind == OperandKind::Condition;
      const bool leavesRegisters =
          step.Op == Mnemonic::Jr || (step.Op == Mnemonic::Jp && step.First.Kind != OperandKind::Memory);
      RegisterUse use = leavesRegisters ? Use(conditional ? FlagsBit : 0, 0, false) : RegisterUse{};
      use.SetsFlags = use.SetsCarry = step.Op == Mnemonic::Call;
      use.TestsFlags = conditional;
      use.TestsCarry = conditional && (step.First.Code == ConditionC || step.First.Code == ConditionNC);
      return use;
    }
    case Mnemonic::Nop: case Mnemonic::Di: case Mnemonic::Ei: case Mnemonic::Im: return Use(0, 0, false);
    case Mnemonic::Djnz: return Use(Bit(0), 0, false);
    case Mnemonic::Ex:
      if (step.First.Kind == OperandKind::Pair && step.First.Code == PairDE) {
        RegisterUse use = Compute(PairBits(PairDE) | PairBits(PairHL), PairBits(PairDE) | PairBits(PairHL));
        use.SetsFlags = use.SetsCarry = false;
        return use;
      }
      return RegisterUse{};
    case Mnemonic::Rlca: return Compute(A, A);
    case Mnemonic::Rla: return TakingCarry(Compute(A, A));
    default: return RegisterUse{};
  }
}

bool UnusedResults::Follow(const RegisterUse& use) {
  const bool readsFlags = (use.Reads & FlagsBit) != 0;
  if ((use.TestsFlags && !FlagsSet) || (use.TestsCarry && !CarrySet)) return false;
  if (use.SetsFlags && CompareUnread && !readsFlags) return false;
  Unread &= static_cast<RegisterSet>(~use.Reads);
  if (readsFlags) Unread &= static_cast<RegisterSet>(~UnreadUnlessFlagsRead);
  if ((use.Writes & Unread) != 0) return false;
  Unread |= use.Writes | use.Computes;
  UnreadUnlessFlagsRead = static_cast<RegisterSet>((UnreadUnlessFlagsRead & ~use.Writes) | use.Computes);
  Written |= use.Writes | use.Computes;
  FlagsSet = FlagsSet || use.SetsFlags;
  CarrySet = CarrySet || use.SetsCarry;
  CompareUnread = use.OnlyFlags || (CompareUnread && !readsFlags);
  return true;
}

}  // namespace bytegleaner::thorough
