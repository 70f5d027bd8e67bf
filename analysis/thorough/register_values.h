#pragma once

#include "analysis/thorough/instruction_steps.h"

#include <array>
#include <cstdint>
#include <optional>

namespace bytegleaner::thorough {

// What a register holds along one path through a few instructions, in the
// terms the idioms are stated in: a table base plus a scaled index, a byte
// or a word read from such an address, or something unknown.
enum class Shape : std::uint8_t {
  Unknown,  // Id names the instruction that made it
  Linear,   // Constant + Scale * (the unknown named by Index), from Base
  Byte,     // the byte read at the Linear address the other fields describe
  Word,     // the word read there
  HalfSum,  // the low half plus the high half of the Linear value described,
            // which `sub l` turns into the high half (carry-add idiom)
};
enum class Half : std::uint8_t { Whole, Low, High };
enum class Base : std::uint8_t { Absolute, ReturnAddress, PastTerminator };

struct Value {
  Shape Form = Shape::Unknown;
  Half Part = Half::Whole;
  Base From = Base::Absolute;
  std::int32_t Scale = 0;
  std::int32_t Constant = 0;
  std::int32_t Index = 0;    // the unknown that is scaled
  std::int32_t Id = 0;       // of an Unknown or a Byte: where it was made
  std::int32_t Origin = -1;  // the instruction that loaded the constant
  bool operator==(const Value&) const = default;
};

Value UnknownValue(std::int32_t id);
Value ConstantValue(std::int32_t constant, std::int32_t origin);
Value WithPart(Value value, Half part);
bool IsConstant(const Value& value);
// The number an 8-bit register holds, when it is known.
std::optional<std::int32_t> KnownByte(const Value& value);
// An 8-bit register's value as base plus scaled index; a byte nothing more
// is known of is taken as the index itself.
std::optional<Value> AsLinear8(const Value& value);
// Sums that stay a base plus one scaled index; nothing otherwise.
std::optional<Value> Sum(const Value& a, const Value& b);
Value Scaled(const Value& value, std::int32_t factor, std::int32_t id);

// An index is known to stay below a count (a compare or a mask bounds it).
struct Bound {
  std::int32_t Index = 0;
  std::int32_t Count = 0;
};

enum class CallEffect : std::uint8_t { ClobbersAll, ClobbersAccumulator };

struct RegisterState {
  std::array<Value, 8> Registers;  // b c d e h l (unused) a
  Value IX;
  Value IY;
  std::array<Value, 8> Stack;
  std::int32_t Depth = 0;
  bool StackLost = false;  // popped below what is known, pushed too deep, or moved

  // What the flags say: the compare `cp n` last made (carry set while the
  // subject is below the limit), the byte whose zero the zero flag shows,
  // and the 16-bit sum whose carry out of the low byte the carry holds.
  Value CompareSubject;
  std::int32_t CompareLimit = -1;
  Value ZeroOf;
  bool ZeroKnown = false;
  Value CarryOf;
  bool CarryKnown = false;
  bool CarryIsSet = false;  // and it is known to be set
  std::int32_t ShiftPending = -1;  // the pair whose low half `sla` just shifted
  Value ShiftedPair;

  std::array<Bound, 4> Bounds{};
  std::int32_t BoundCount = 0;
  // One past the last byte read after the return address (-1 for none).
  std::int32_t ReturnBytesRead = -1;
};

// Every register unknown and the stack empty, or holding the caller's
// return address on top.
RegisterState FreshState(bool returnAddressOnStack);

Value PairValue(const RegisterState& state, std::uint8_t pair);
void SetPair(RegisterState& state, std::uint8_t pair, const Value& value);
void PushValue(RegisterState& state, const Value& value);
Value PopValue(RegisterState& state, std::int32_t id);
// The byte at an address: known as "the byte there" when the address is a
// table's entry or lies after the return address, unknown otherwise.
Value ReadByte(RegisterState& state, const Value& address, std::int32_t id);
void AddBound(RegisterState& state, std::int32_t index, std::int32_t count);

// Carries the state over one instruction. For a conditional branch,
// `taken` says which way the path goes.
void Apply(RegisterState& state, const Step& step, bool taken, CallEffect callEffect);

// The count of index values a bound allows, or 0 when unbounded.
std::int32_t BoundFor(const RegisterState& state, std::int32_t index);

}  // namespace bytegleaner::thorough
