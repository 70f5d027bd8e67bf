#include "analysis/thorough/register_values.h"

#include <algorithm>
#include <optional>

namespace bytegleaner::thorough {

namespace {

constexpr std::int32_t MaxDepth = 8;
// Beyond these no idiom goes; loops that keep doubling a value stop here.
constexpr std::int32_t LargestConstant = 0x20000;
constexpr std::int32_t LargestScale = 0x100;

bool InRange(const Value& value) {
  return value.Constant >= -LargestConstant && value.Constant <= LargestConstant && value.Scale <= LargestScale;
}

}  // namespace

Value WithPart(Value value, Half part) {
  value.Part = part;
  return value;
}

bool IsConstant(const Value& value) {
  return value.Form == Shape::Linear && value.Scale == 0 && value.From == Base::Absolute;
}

std::optional<std::int32_t> KnownByte(const Value& value) {
  if (!IsConstant(value)) return std::nullopt;
  return value.Part == Half::High ? (value.Constant >> 8) & 0xFF : value.Constant & 0xFF;
}

std::optional<Value> AsLinear8(const Value& value) {
  if (const auto number = KnownByte(value)) return ConstantValue(*number, value.Origin);
  if (value.Part != Half::Whole) return std::nullopt;
  if (value.Form == Shape::Linear) return value;
  if (value.Form != Shape::Unknown && value.Form != Shape::Byte) return std::nullopt;
  Value index;
  index.Form = Shape::Linear;
  index.Scale = 1;
  index.Index = value.Id;
  return index;
}

std::optional<Value> Sum(const Value& a, const Value& b) {
  if (a.Form != Shape::Linear || b.Form != Shape::Linear || a.Part != Half::Whole || b.Part != Half::Whole) {
    return std::nullopt;
  }
  if (a.From != Base::Absolute && b.From != Base::Absolute) return std::nullopt;
  if (a.Scale != 0 && b.Scale != 0 && a.Index != b.Index) return std::nullopt;
  Value sum = a;
  sum.From = a.From != Base::Absolute ? a.From : b.From;
  sum.Scale = a.Scale + b.Scale;
  sum.Index = a.Scale != 0 ? a.Index : b.Index;
  sum.Constant = a.Constant + b.Constant;
  // The larger constant is the table's address, the smaller an adjustment.
  if (b.Origin >= 0 && (a.Origin < 0 || b.Constant > a.Constant)) sum.Origin = b.Origin;
  if (!InRange(sum)) return std::nullopt;
  return sum;
}

Value Scaled(const Value& value, std::int32_t factor, std::int32_t id) {
  if (value.Form != Shape::Linear || value.Part != Half::Whole || value.From != Base::Absolute) return UnknownValue(id);
  Value scaled = value;
  scaled.Scale *= factor;
  scaled.Constant *= factor;
  return InRange(scaled) ? scaled : UnknownValue(id);
}

namespace {

Value Compose(const Value& high, const Value& low, std::int32_t id) {
  const auto highNumber = KnownByte(high);
  const auto lowNumber = KnownByte(low);
  if (highNumber && lowNumber) {
    return ConstantValue(*highNumber << 8 | *lowNumber, high.Origin >= 0 ? high.Origin : low.Origin);
  }
  if (high.Part == Half::High && low.Part == Half::Low && WithPart(high, Half::Whole) == WithPart(low, Half::Whole)) {
    return WithPart(low, Half::Whole);
  }
  if (highNumber == 0 && low.Part == Half::Whole) {
    if (const auto index = AsLinear8(low); index && index->From == Base::Absolute) return *index;
  }
  if (high.Form == Shape::Byte && low.Form == Shape::Byte && high.Part == Half::Whole && low.Part == Half::Whole) {
    Value next = low;
    next.Constant += 1;
    next.Id = high.Id;
    if (next == high) {
      Value word = low;
      word.Form = Shape::Word;
      return word;
    }
  }
  return UnknownValue(id);
}

}  // namespace

void PushValue(RegisterState& state, const Value& value) {
  if (state.Depth == MaxDepth) {
    state.StackLost = true;
    return;
  }
  state.Stack[static_cast<std::size_t>(state.Depth++)] = value;
}

Value PopValue(RegisterState& state, std::int32_t id) {
  if (state.Depth == 0) {
    state.StackLost = true;
    return UnknownValue(id);
  }
  return state.Stack[static_cast<std::size_t>(--state.Depth)];
}

Value ReadByte(RegisterState& state, const Value& address, std::int32_t id) {
  if (address.Form != Shape::Linear || address.Part != Half::Whole) return UnknownValue(id);
  if (address.From == Base::Absolute && address.Scale == 0) return UnknownValue(id);  // a variable
  if (address.From == Base::ReturnAddress && address.Scale == 0) {
    state.ReturnBytesRead = std::max(state.ReturnBytesRead, address.Constant + 1);
  }
  Value byte = address;
  byte.Form = Shape::Byte;
  byte.Id = id;
  return byte;
}

void AddBound(RegisterState& state, std::int32_t index, std::int32_t count) {
  if (count <= 0 || state.BoundCount == static_cast<std::int32_t>(state.Bounds.size())) return;
  state.Bounds[static_cast<std::size_t>(state.BoundCount++)] = Bound{index, count};
}

Value UnknownValue(std::int32_t id) {
  Value value;
  value.Id = id;
  return value;
}

Value ConstantValue(std::int32_t constant, std::int32_t origin) {
  Value value;
  value.Form = Shape::Linear;
  value.Constant = constant;
  value.Origin = origin;
  return value;
}

RegisterState FreshState(bool returnAddressOnStack) {
  RegisterState state;
  for (std::size_t r = 0; r < state.Registers.size(); ++r) state.Registers[r] = UnknownValue(-2 - static_cast<int>(r));
  state.IX = UnknownValue(-20);
  state.IY = UnknownValue(-21);
  if (returnAddressOnStack) {
    Value returnAddress = ConstantValue(0, -1);
    returnAddress.From = Base::ReturnAddress;
    PushValue(state, returnAddress);
  }
  return state;
}

Value PairValue(const RegisterState& state, std::uint8_t pair) {
  const auto& r = state.Registers;
  switch (pair) {
    case PairBC: return Compose(r[0], r[1], -30);
    case PairDE: return Compose(r[2], r[3], -31);
    case PairHL: return Compose(r[4], r[5], -32);
    case PairIX: return state.IX;
    case PairIY: return state.IY;
    default: return UnknownValue(-33);
  }
}

void SetPair(RegisterState& state, std::uint8_t pair, const Value& value) {
  auto& r = state.Registers;
  const Value high = WithPart(value, Half::High);
  const Value low = WithPart(value, Half::Low);
  switch (pair) {
    case PairBC: r[0] = high, r[1] = low; break;
    case PairDE: r[2] = high, r[3] = low; break;
    case PairHL: r[4] = high, r[5] = low; break;
    case PairIX: state.IX = value; break;
    case PairIY: state.IY = value; break;
    case PairAF: r[RegisterA] = high; break;
    case PairSP: state.StackLost = true; break;
    default: break;
  }
}

std::int32_t BoundFor(const RegisterState& state, std::int32_t index) {
  std::int32_t count = 0;
  for (std::int32_t i = 0; i < state.BoundCount; ++i) {
    const Bound& bound = state.Bounds[static_cast<std::size_t>(i)];
    if (bound.Index == index && (count == 0 || bound.Count < count)) count = bound.Count;
  }
  return count;
}

}  // namespace bytegleaner::thorough
