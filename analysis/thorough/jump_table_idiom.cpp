// The instructions before an indirect jump are read as one path: the traced
// instructions that fall through into it, evaluated forwards with register
// values that name a table's base, a scaled index and the words read from
// the two, so the order of the idiom's parts and unrelated instructions in
// between do not matter.
#include "analysis/thorough/jump_table_idiom.h"

#include "analysis/examination.h"
#include "analysis/thorough/instruction_steps.h"
#include "analysis/thorough/record_loops.h"
#include "analysis/thorough/register_values.h"

#include <algorithm>
#include <vector>

namespace bytegleaner::thorough {

namespace {

constexpr std::size_t MaxStepsBefore = 16;
constexpr std::size_t MaxCalleeSteps = 16;
constexpr std::int32_t FirstRamAddress = 0xC000;
constexpr std::int32_t MaxEntrySize = 16;
// A table of `jr` (2 bytes), `jp` (3) or `jp` and a spare byte (4).
constexpr std::int32_t MinJumpEntrySize = 2;
constexpr std::int32_t MaxJumpEntrySize = 4;
// The unknown that counts a record loop's rounds.
constexpr std::int32_t LoopRound = -40;

bool IsBranchBack(const Step& step) { return step.RelativeTarget && step.Target <= step.Offset; }

// The traced instructions that fall through to `offset`, oldest first. The
// path stops where nothing falls through (a jump or return before it) and
// before a loop, whose body the path would count once. It crosses labels:
// falling through is a way the program goes, so a table found along it is
// one the jump uses; other paths that join at a label go unread.
std::vector<Step> StepsBefore(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                              std::int32_t offset) {
  std::vector<Step> steps;
  std::int32_t current = offset;
  while (steps.size() < MaxStepsBefore) {
    const auto previous = PreviousTracedStart(table, examination, current);
    if (!previous) break;
    const Step step = ReadStep(table, examination, *previous);
    if (EndsRun(step) || IsBranchBack(step)) break;
    steps.push_back(step);
    current = *previous;
  }
  std::reverse(steps.begin(), steps.end());
  return steps;
}

bool IsJumpThroughRegister(const Step& step) {
  return step.Op == Mnemonic::Jp && step.First.Kind == OperandKind::Memory;
}

bool IsPlainReturn(const Step& step) { return step.Op == Mnemonic::Ret && step.First.Kind == OperandKind::None; }

// Where the dispatch step itself sends the path, or nothing when it does
// not take its address from the registers or the stack.
std::optional<Value> DispatchTarget(RegisterState& state, const Step& step) {
  if (IsJumpThroughRegister(step)) return PairValue(state, step.First.Code);
  if (IsPlainReturn(step) && state.Depth > 0 && !state.StackLost) {
    return state.Stack[static_cast<std::size_t>(state.Depth - 1)];
  }
  return std::nullopt;
}

// `jp nn`, which a routine's straight line follows like a fall-through
// (an entry jumping to its body, a trampoline behind a vector).
bool IsPlainJump(const Step& step) {
  return step.Op == Mnemonic::Jp && step.First.Kind == OperandKind::Target && !step.RelativeTarget;
}

// Where the straight line through a routine goes after `inner`: on past
// it, to a plain jump's target, or nowhere (-1) where it leaves the line.
std::int32_t NextInLine(const analysis::Examination& examination, const Step& inner) {
  if (IsPlainJump(inner)) return OffsetOfAddress(examination, inner.Offset, static_cast<std::uint16_t>(inner.Target));
  if (EndsRun(inner) || inner.Op == Mnemonic::Call || inner.Op == Mnemonic::Rst || !inner.Documented) return -1;
  return inner.Offset + inner.Length;
}

// A call or jump into a routine that ends in a dispatch without leaving
// straight-line code: `call CallHL` whose body is `jp (hl)`, or a shared
// dispatcher that scales the index and reads the table its caller names.
std::optional<Value> TargetThroughCallee(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                                         RegisterState& state, const Step& step) {
  if ((step.Op != Mnemonic::Call && step.Op != Mnemonic::Jp) || step.RelativeTarget ||
      step.First.Kind == OperandKind::Memory) {
    return std::nullopt;
  }
  std::int32_t offset = OffsetOfAddress(examination, step.Offset, static_cast<std::uint16_t>(step.Target));
  if (offset < 0) return std::nullopt;
  if (step.Op == Mnemonic::Call) PushValue(state, UnknownValue(step.Offset));
  for (std::size_t count = 0; count < MaxCalleeSteps && examination.Rom.Contains(offset); ++count) {
    const Step inner = ReadStep(table, examination, offset);
    if (IsJumpThroughRegister(inner)) return DispatchTarget(state, inner);
    if (IsPlainReturn(inner)) {
      // Only a return into an address pushed inside the callee dispatches.
      return step.Op == Mnemonic::Call && state.Depth < 2 ? std::nullopt : DispatchTarget(state, inner);
    }
    offset = NextInLine(examination, inner);
    if (offset < 0) return std::nullopt;
    if (!IsPlainJump(inner)) Apply(state, inner, false, CallEffect::ClobbersAll);
  }
  return std::nullopt;
}

// At the head of a loop over records, each pointer the loop moves by a
// stride holds its first value plus the stride times the round, a bound
// by B's count where `djnz` ends the loop.
void EnterRecordLoop(RegisterState& state, const RecordLoop& loop) {
  for (std::uint8_t pair = 0; pair < loop.Strides.size(); ++pair) {
    Value pointer = PairValue(state, pair);
    const bool fixed = pointer.Form == Shape::Linear && pointer.Part == Half::Whole &&
                       pointer.From == Base::Absolute && pointer.Scale == 0;
    if (loop.Strides[pair] == 0 || !fixed) continue;
    pointer.Scale = loop.Strides[pair];
    pointer.Index = LoopRound;
    SetPair(state, pair, pointer);
  }
  if (const auto rounds = KnownByte(state.Registers[0]); loop.CountedByB && rounds && *rounds > 0) {
    AddBound(state, LoopRound, *rounds);
  }
}

// The register values along the straight path into the dispatch.
RegisterState Evaluate(const std::vector<Step>& steps, const Step& dispatch, const RecordLoop& loop) {
  RegisterState state = FreshState(false);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].Offset == loop.Head) EnterRecordLoop(state, loop);
    const std::int32_t next = i + 1 < steps.size() ? steps[i + 1].Offset : dispatch.Offset;
    const bool taken = steps[i].Target == next && steps[i].Offset + steps[i].Length != next;
    Apply(state, steps[i], taken, CallEffect::ClobbersAll);
  }
  if (dispatch.Offset == loop.Head) EnterRecordLoop(state, loop);
  return state;
}

std::optional<JumpTableIdiom> IdiomFor(const RegisterState& state, const Value& target) {
  if (target.Part != Half::Whole || target.From != Base::Absolute || target.Origin < 0) return std::nullopt;
  const std::int32_t address = target.Constant & 0xFFFF;
  if (address >= FirstRamAddress) return std::nullopt;
  JumpTableIdiom idiom;
  idiom.TableAddress = static_cast<std::uint16_t>(address);
  idiom.BaseLoadOffset = target.Origin;
  if (target.Form == Shape::Linear && target.Scale == 0) {
    idiom.DirectTarget = true;
    return idiom;
  }
  if (target.Form == Shape::Linear && target.Scale >= MinJumpEntrySize && target.Scale <= MaxJumpEntrySize) {
    idiom.JumpsIntoTable = true;
    idiom.EntrySize = target.Scale;
    idiom.EntryCount = BoundFor(state, target.Index);
    return idiom;
  }
  // An index scaled by the entry's size, or one the program keeps doubled
  // already (a state that steps by 2).
  const bool wholeEntries = target.Scale == 1 || (target.Scale % 2 == 0 && target.Scale > 0);
  if (target.Form != Shape::Word || !wholeEntries || target.Scale > MaxEntrySize) return std::nullopt;
  const std::int32_t count = BoundFor(state, target.Index);
  idiom.EntrySize = std::max(target.Scale, 2);
  idiom.EntryCount = target.Scale == 1 ? (count + 1) / 2 : count;
  return idiom;
}

}  // namespace

std::optional<JumpTableIdiom> FindJumpTableIdiom(const opcodes::OpcodeTable& table,
                                                 const analysis::Examination& examination, std::int32_t jumpOffset) {
  if (!examination.Rom.Contains(jumpOffset)) return std::nullopt;
  const Step dispatch = ReadStep(table, examination, jumpOffset);
  const bool direct = IsJumpThroughRegister(dispatch) || IsPlainReturn(dispatch);
  const bool throughCallee = (dispatch.Op == Mnemonic::Call || dispatch.Op == Mnemonic::Jp) &&
                             dispatch.First.Kind != OperandKind::Memory && !dispatch.RelativeTarget;
  if (!direct && !throughCallee) return std::nullopt;

  const std::vector<Step> steps = StepsBefore(table, examination, jumpOffset);
  RegisterState state = Evaluate(steps, dispatch, {});
  auto target = direct ? DispatchTarget(state, dispatch) : TargetThroughCallee(table, examination, state, dispatch);
  if (target && target->Form != Shape::Unknown) return IdiomFor(state, *target);
  // A handler read through a pointer that a loop around the call moves on
  // by a record each round: a table of records.
  const RecordLoop loop = FindRecordLoop(table, examination, steps, dispatch);
  if (loop.Head < 0) return std::nullopt;
  state = Evaluate(steps, dispatch, loop);
  target = TargetThroughCallee(table, examination, state, dispatch);
  if (!target || target->Form != Shape::Word) return std::nullopt;
  return IdiomFor(state, *target);
}

bool MayDispatchForCaller(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                          std::int32_t routine) {
  bool pushed = false;
  std::int32_t offset = routine;
  for (std::size_t count = 0; count < MaxCalleeSteps && examination.Rom.Contains(offset); ++count) {
    const Step inner = ReadStep(table, examination, offset);
    if (IsJumpThroughRegister(inner)) return true;
    if (IsPlainReturn(inner)) return pushed;
    const bool exchange = inner.Op == Mnemonic::Ex && inner.First.Kind == OperandKind::Memory;
    pushed = pushed || inner.Op == Mnemonic::Push || exchange;
    offset = NextInLine(examination, inner);
    if (offset < 0) return false;
  }
  return false;
}

}  // namespace bytegleaner::thorough
