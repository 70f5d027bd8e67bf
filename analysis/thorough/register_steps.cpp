// What each instruction does to the register values: the loads, the
// arithmetic the table idioms use, the stack, and what branches on the
// flags tell about the index and the carry.
#include "analysis/thorough/register_values.h"

#include <optional>

namespace bytegleaner::thorough {

namespace {

constexpr std::size_t A = RegisterA;

// The value an operand names, reading memory when it is one.
Value Read(RegisterState& state, const Step& step, const Operand& operand) {
  switch (operand.Kind) {
    case OperandKind::Register: return state.Registers[operand.Code];
    case OperandKind::Immediate: return ConstantValue(step.Value, step.Offset);
    case OperandKind::Pair: return PairValue(state, operand.Code);
    case OperandKind::Memory: return ReadByte(state, PairValue(state, operand.Code), step.Offset);
    case OperandKind::Indexed: {
      Value address = PairValue(state, operand.Code);
      if (const auto moved = Sum(address, ConstantValue(step.Displacement, -1))) address = *moved;
      return ReadByte(state, address, step.Offset);
    }
    default: return UnknownValue(step.Offset);
  }
}

void Write(RegisterState& state, const Operand& operand, const Value& value) {
  if (operand.Kind == OperandKind::Register) state.Registers[operand.Code] = value;
  if (operand.Kind == OperandKind::Pair) SetPair(state, operand.Code, value);
  if (operand.Kind == OperandKind::IndexHalf) SetPair(state, operand.Code, UnknownValue(-1));
}

// `add a,x`; adding the low half of a table's address to a scaled index
// keeps the carry into the high half, which the carry-add idiom then adds.
void AddToAccumulator(RegisterState& state, const Value& operand, std::int32_t id) {
  const auto accumulator = AsLinear8(state.Registers[A]);
  if (accumulator && accumulator->Scale > 0 && operand.Part == Half::Low && IsConstant(operand)) {
    Value sum = *accumulator;
    sum.Constant += operand.Constant;
    sum.Origin = operand.Origin;
    state.CarryOf = sum;
    state.CarryKnown = true;
    state.Registers[A] = WithPart(sum, Half::Low);
    return;
  }
  const auto other = AsLinear8(operand);
  std::optional<Value> sum;
  if (accumulator && other) sum = Sum(*accumulator, *other);
  state.Registers[A] = sum ? *sum : UnknownValue(id);
}

bool IsHighOfCarriedBase(const RegisterState& state, const Value& value) {
  return state.CarryKnown && value.Part == Half::High && IsConstant(value) && value.Origin == state.CarryOf.Origin;
}

void AddWithCarry(RegisterState& state, const Value& operand, std::int32_t id) {
  const Value& accumulator = state.Registers[A];
  Value result = UnknownValue(id);
  if (state.CarryKnown && accumulator.Part == Half::Low && WithPart(accumulator, Half::Whole) == state.CarryOf &&
      IsHighOfCarriedBase(state, operand)) {
    result = state.CarryOf;
    result.Form = Shape::HalfSum;
  } else if ((KnownByte(accumulator) == 0 && IsHighOfCarriedBase(state, operand)) ||
             (IsHighOfCarriedBase(state, accumulator) && KnownByte(operand) == 0)) {
    result = WithPart(state.CarryOf, Half::High);
  }
  state.Registers[A] = result;
}

void Subtract(RegisterState& state, const Value& operand, std::int32_t id) {
  const Value& accumulator = state.Registers[A];
  Value result = UnknownValue(id);
  if (accumulator.Form == Shape::HalfSum && operand.Part == Half::Low) {
    Value low = accumulator;
    low.Form = Shape::Linear;
    if (WithPart(operand, Half::Whole) == low) result = WithPart(low, Half::High);
  } else if (const auto a = KnownByte(accumulator), b = KnownByte(operand); a && b) {
    result = ConstantValue((*a - *b) & 0xFF, -1);
  }
  state.Registers[A] = result;
}

void ClobberRegisters(RegisterState& state, std::int32_t id, bool indexRegistersToo) {
  for (Value& value : state.Registers) value = UnknownValue(id);
  if (indexRegistersToo) state.IX = state.IY = UnknownValue(id);
}

bool ChangesCarry(const Step& step) {
  switch (step.Op) {
    case Mnemonic::Add: case Mnemonic::Adc: case Mnemonic::Sub: case Mnemonic::Sbc: case Mnemonic::And:
    case Mnemonic::Xor: case Mnemonic::Or: case Mnemonic::Cp: case Mnemonic::Rlca: case Mnemonic::Rla:
    case Mnemonic::Sla: case Mnemonic::Rl: case Mnemonic::Scf: case Mnemonic::Ccf: case Mnemonic::Other:
    case Mnemonic::Call: case Mnemonic::Rst:
      return true;
    case Mnemonic::Ex: return step.First.Code == PairAF;
    default: return false;
  }
}

bool ChangesZero(const Step& step) {
  const bool wide = step.First.Kind == OperandKind::Pair;
  switch (step.Op) {
    case Mnemonic::Add:
    case Mnemonic::Inc:
    case Mnemonic::Dec: return !wide;
    case Mnemonic::Adc: case Mnemonic::Sub: case Mnemonic::Sbc: case Mnemonic::And: case Mnemonic::Xor:
    case Mnemonic::Or: case Mnemonic::Cp: case Mnemonic::Sla: case Mnemonic::Rl: case Mnemonic::Other:
    case Mnemonic::Bit: case Mnemonic::In: case Mnemonic::Call: case Mnemonic::Rst:
      return true;
    case Mnemonic::Ex: return step.First.Code == PairAF;
    default: return false;
  }
}

void ForgetFlags(RegisterState& state, const Step& step) {
  if (ChangesZero(step)) state.ZeroKnown = false;
  if (ChangesCarry(step)) {
    state.CompareLimit = -1;
    state.CarryKnown = state.CarryIsSet = false;
  }
  if (step.Op != Mnemonic::Rl) state.ShiftPending = -1;
}

// A branch on the carry: below the compared limit when it is set, and the
// high half of a carried base is exact when it is clear.
void LearnFromBranch(RegisterState& state, const Step& step, bool taken) {
  if (step.First.Kind != OperandKind::Condition) return;
  const std::uint8_t condition = step.First.Code;
  if (condition != ConditionC && condition != ConditionNC) return;
  const bool carry = (condition == ConditionC) == taken;
  if (carry && state.CompareLimit >= 0) {
    if (const auto subject = AsLinear8(state.CompareSubject); subject && subject->Scale > 0) {
      AddBound(state, subject->Index, (state.CompareLimit - subject->Constant + subject->Scale - 1) / subject->Scale);
    }
  }
  if (!state.CarryKnown) return;
  if (carry) {
    state.CarryIsSet = true;  // the `inc` the branch did not skip completes the high half
    return;
  }
  for (Value& value : state.Registers) {
    if (IsHighOfCarriedBase(state, value)) value = WithPart(state.CarryOf, Half::High);
  }
  state.CarryKnown = false;
}

void Step8(RegisterState& state, std::uint8_t code, std::int32_t delta, std::int32_t id) {
  Value& value = state.Registers[code];
  if (state.CarryIsSet && delta == 1 && IsHighOfCarriedBase(state, value)) {
    value = WithPart(state.CarryOf, Half::High);
    return;
  }
  const auto linear = AsLinear8(value);
  const auto moved = linear ? Sum(*linear, ConstantValue(delta, -1)) : std::nullopt;
  value = moved ? *moved : UnknownValue(id);
}

void Copy(RegisterState& state, const Step& step) {
  const Value source = PairValue(state, PairHL);
  std::int32_t count = 1;
  if (step.Op == Mnemonic::Ldir) {
    const Value counter = PairValue(state, PairBC);
    count = IsConstant(counter) ? counter.Constant : 0;
  }
  std::optional<Value> moved;
  if (count > 0) {
    if (const auto last = Sum(source, ConstantValue(count - 1, -1))) {
      static_cast<void>(ReadByte(state, *last, step.Offset));  // counts the bytes read after the return address
    }
    moved = Sum(source, ConstantValue(count, -1));
  }
  ClobberRegisters(state, step.Offset, false);
  if (moved) SetPair(state, PairHL, *moved);
}

}  // namespace

void Apply(RegisterState& state, const Step& step, bool taken, CallEffect callEffect) {
  const std::int32_t id = step.Offset;
  const Operand& first = step.First;
  const Operand& second = step.Second;
  auto& r = state.Registers;
  const Value before = r[A];
  const bool carryKnown = state.CarryKnown;
  ForgetFlags(state, step);
  switch (step.Op) {
    case Mnemonic::Ld: {
      const bool plainSource = second.Kind != OperandKind::Absolute && second.Kind != OperandKind::Pair;
      Write(state, first, plainSource ? Read(state, step, second) : UnknownValue(id));  // `ld sp,...` loses the stack
      break;
    }
    case Mnemonic::Add:
      if (first.Kind == OperandKind::Pair) {
        const Value a = PairValue(state, first.Code);
        const auto sum = first.Code == second.Code ? std::optional<Value>(Scaled(a, 2, id))
                                                   : Sum(a, PairValue(state, second.Code));
        SetPair(state, first.Code, sum ? *sum : UnknownValue(id));
      } else {
        AddToAccumulator(state, Read(state, step, second), id);
      }
      break;
    case Mnemonic::Adc:
      state.CarryKnown = carryKnown;
      if (first.Kind == OperandKind::Pair) {
        SetPair(state, first.Code, UnknownValue(id));
      } else {
        AddWithCarry(state, Read(state, step, second), id);
      }
      state.CarryKnown = false;
      break;
    case Mnemonic::Sub: Subtract(state, Read(state, step, first), id); break;
    case Mnemonic::And:
    case Mnemonic::Or:
      if (first.Kind == OperandKind::Register && first.Code == A) {
        state.ZeroOf = before;
        state.ZeroKnown = true;
      } else if (const auto index = AsLinear8(before); step.Op == Mnemonic::And &&
                                                        first.Kind == OperandKind::Immediate && index &&
                                                        index->Scale == 1 && index->Constant == 0) {
        if (((step.Value + 1) & step.Value) == 0) AddBound(state, index->Index, step.Value + 1);
      } else {
        r[A] = UnknownValue(id);
      }
      break;
    case Mnemonic::Xor:
      r[A] = first.Kind == OperandKind::Register && first.Code == A ? ConstantValue(0, -1) : UnknownValue(id);
      break;
    case Mnemonic::Cp:
      if (first.Kind == OperandKind::Immediate) {
        state.CompareSubject = before;
        state.CompareLimit = step.Value;
        state.ZeroOf = before;
        state.ZeroKnown = step.Value == 0;
      }
      break;
    case Mnemonic::Inc:
    case Mnemonic::Dec: {
      const std::int32_t delta = step.Op == Mnemonic::Inc ? 1 : -1;
      if (first.Kind == OperandKind::Register) Step8(state, first.Code, delta, id);
      if (first.Kind == OperandKind::Pair) {
        const auto moved = Sum(PairValue(state, first.Code), ConstantValue(delta, -1));
        SetPair(state, first.Code, moved ? *moved : UnknownValue(id));
      }
      break;
    }
    case Mnemonic::Push: PushValue(state, PairValue(state, first.Code)); break;
    case Mnemonic::Pop: SetPair(state, first.Code, PopValue(state, id)); break;
    case Mnemonic::Ex:
      if (first.Kind == OperandKind::Memory && first.Code == PairSP) {
        const Value top = PopValue(state, id);
        PushValue(state, PairValue(state, second.Code));
        SetPair(state, second.Code, top);
      } else if (first.Kind == OperandKind::Pair && first.Code == PairDE) {
        const Value de = PairValue(state, PairDE);
        SetPair(state, PairDE, PairValue(state, PairHL));
        SetPair(state, PairHL, de);
      } else {
        r[A] = UnknownValue(id);
      }
      break;
    case Mnemonic::Rlca:
    case Mnemonic::Rla: r[A] = Scaled(AsLinear8(before).value_or(UnknownValue(id)), 2, id); break;
    case Mnemonic::Sla:
      if (first.Kind != OperandKind::Register) break;
      if (first.Code == 1 || first.Code == 3 || first.Code == 5) {  // c, e, l: the low half of a pair
        state.ShiftPending = first.Code / 2;
        state.ShiftedPair = PairValue(state, static_cast<std::uint8_t>(first.Code / 2));
      }
      r[first.Code] = Scaled(AsLinear8(r[first.Code]).value_or(UnknownValue(id)), 2, id);
      break;
    case Mnemonic::Rl:
      if (first.Kind == OperandKind::Register && state.ShiftPending >= 0 && first.Code == state.ShiftPending * 2) {
        SetPair(state, static_cast<std::uint8_t>(state.ShiftPending), Scaled(state.ShiftedPair, 2, id));
      } else {
        Write(state, first, UnknownValue(id));
      }
      state.ShiftPending = -1;
      break;
    case Mnemonic::Djnz: Step8(state, 0, -1, id); break;
    case Mnemonic::Call:
    case Mnemonic::Rst:
      if (callEffect == CallEffect::ClobbersAll) ClobberRegisters(state, id, true);
      r[A] = UnknownValue(id);
      break;
    case Mnemonic::Exx: ClobberRegisters(state, id, false); break;
    case Mnemonic::Ldi:
    case Mnemonic::Ldir: Copy(state, step); break;
    case Mnemonic::In:
    case Mnemonic::Sbc: Write(state, first, UnknownValue(id)); break;
    case Mnemonic::Set:
    case Mnemonic::Res: Write(state, second, UnknownValue(id)); break;
    case Mnemonic::Other:
      if (first.Kind == OperandKind::None) ClobberRegisters(state, id, false);
      Write(state, first, UnknownValue(id));
      break;
    default: break;
  }
  if (IsConditional(step)) LearnFromBranch(state, step, taken);
}

}  // namespace bytegleaner::thorough
