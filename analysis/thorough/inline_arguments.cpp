// A routine is followed along every path from its start, with the caller's
// return address on the stack as a value of its own, until each path
// leaves. What the paths leave for (a return, `jp (hl)`, a jump to another
// routine that returns for it) says how far past the call site execution
// goes on; the paths must agree, or the routine counts as ordinary.
#include "analysis/thorough/inline_arguments.h"

#include "analysis/examination.h"
#include "analysis/thorough/instruction_steps.h"
#include "analysis/thorough/register_values.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace bytegleaner::thorough {

namespace {

constexpr std::int32_t StepBudget = 256;
constexpr std::int32_t FirstStepsToReachReturnAddress = 4;
constexpr std::int32_t MaxFixedBytes = 64;
constexpr std::int32_t NearJump = 128;
constexpr std::size_t MaxVisits = 96;
constexpr std::int32_t NotAPointer = std::numeric_limits<std::int32_t>::min();

// Where each pointer register points after the return address, to compare
// the state a loop comes back with to the one it started with.
using Pointers = std::array<std::int32_t, 5>;

Pointers PointersOf(const RegisterState& state) {
  Pointers pointers{};
  const std::array<std::uint8_t, 5> pairs{PairBC, PairDE, PairHL, PairIX, PairIY};
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const Value value = PairValue(state, pairs[i]);
    const bool pointer = value.Form == Shape::Linear && value.Part == Half::Whole && value.Scale == 0 &&
                         value.From == Base::ReturnAddress;
    pointers[i] = pointer ? value.Constant : NotAPointer;
  }
  return pointers;
}

struct Path {
  RegisterState State;
  std::int32_t Offset = 0;
  std::int32_t LastNonzeroByte = -1;  // the inline byte a zero test last found nonzero
  std::vector<std::pair<std::int32_t, Pointers>> Visits;
};

struct Exits {
  bool Conflict = false;
  bool Any = false;
  InlineArguments Result;

  void Add(const InlineArguments& found) {
    if (Any && (found.Kind != Result.Kind || found.ByteCount != Result.ByteCount)) Conflict = true;
    Any = true;
    Result = found;
  }
};

// What execution going on at `value` means for the bytes after the call.
InlineArguments Classify(const Value& value, const RegisterState& state, std::int32_t prefix) {
  InlineArguments none;
  InlineArguments found;
  if (value.Part != Half::Whole || state.StackLost) return {InlineKind::None, -1};
  if (value.Form == Shape::Linear && value.Scale == 0 && value.From == Base::ReturnAddress) {
    if (value.Constant == 0) return none;
    if (value.Constant < 0 || value.Constant > MaxFixedBytes || state.ReturnBytesRead > value.Constant) {
      return {InlineKind::None, -1};
    }
    found.Kind = InlineKind::FixedBytes;
    found.ByteCount = value.Constant;
  } else if (value.Form == Shape::Linear && value.Scale == 0 && value.From == Base::PastTerminator &&
             value.Constant == 0) {
    found.Kind = InlineKind::ZeroTerminated;
    found.ByteCount = prefix;
  } else if (value.Form == Shape::Word && value.From == Base::ReturnAddress && value.Constant == 0 &&
             (value.Scale == 1 || value.Scale == 2)) {
    found.Kind = InlineKind::WordTableDispatch;
  } else {
    return {InlineKind::None, -1};
  }
  return found;
}

// The state past a zero byte at `position` after the return address:
// pointers after the return address now count from past that byte.
RegisterState PastTerminator(RegisterState state, std::int32_t position) {
  const auto rebase = [position](Value& value) {
    if (value.Form == Shape::Linear && value.From == Base::ReturnAddress && value.Scale == 0) {
      value.From = Base::PastTerminator;
      value.Constant -= position + 1;
    }
  };
  for (Value& value : state.Registers) rebase(value);
  rebase(state.IX);
  rebase(state.IY);
  for (Value& value : state.Stack) rebase(value);
  return state;
}

bool QuicklyOrdinary(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                     std::int32_t offset) {
  for (std::int32_t count = 0; count < FirstStepsToReachReturnAddress; ++count) {
    if (!examination.Rom.Contains(offset)) return true;
    const Step step = ReadStep(table, examination, offset);
    if (step.Op == Mnemonic::Pop) return false;
    if (step.Op == Mnemonic::Ex && step.First.Kind == OperandKind::Memory) return false;
    if (step.Op == Mnemonic::Push || step.Op == Mnemonic::Call || step.Op == Mnemonic::Rst || EndsRun(step) ||
        IsConditional(step) || !step.Documented) {
      return true;
    }
    offset += step.Length;
  }
  return true;
}

struct Explorer {
  const opcodes::OpcodeTable& Table;
  const analysis::Examination& Examination;
  std::int32_t Start;
  std::vector<Path> Pending;
  Exits Found;
  std::int32_t Prefix = -1;
  std::int32_t Budget = StepBudget;
  bool Failed = false;

  void Leave(const Value& value, const RegisterState& state) {
    if (state.Depth != 0) {
      Failed = true;
      return;
    }
    const InlineArguments result = Classify(value, state, std::max(Prefix, 0));
    if (result.ByteCount < 0) Failed = true;
    Found.Add(result);
  }

  void GoTo(Path path, std::int32_t offset) {
    path.Offset = offset;
    Pending.push_back(std::move(path));
  }

  // A loop is not followed round again when it comes back with the same
  // pointers, or one byte further along an inline string it tests for 0.
  bool LoopsBack(const Path& path, std::int32_t target) const {
    const Pointers now = PointersOf(path.State);
    for (auto visit = path.Visits.rbegin(); visit != path.Visits.rend(); ++visit) {
      if (visit->first != target) continue;
      const Pointers& before = visit->second;
      if (now == before) return true;
      for (std::size_t i = 0; i < now.size(); ++i) {
        if (before[i] != NotAPointer && before[i] == path.LastNonzeroByte && now[i] == before[i] + 1) return true;
      }
      return false;
    }
    return false;
  }

  void Follow(Path path, const Step& step, bool taken) {
    Apply(path.State, step, taken, CallEffect::ClobbersAccumulator);
    const std::int32_t next = step.Offset + step.Length;
    if (step.Op == Mnemonic::Ret) {
      if (!taken) return GoTo(std::move(path), next);
      const Value top = path.State.Depth > 0 ? path.State.Stack[static_cast<std::size_t>(--path.State.Depth)]
                                             : UnknownValue(-1);
      return Leave(top, path.State);
    }
    if (step.Op == Mnemonic::Jp && step.First.Kind == OperandKind::Memory) {
      return Leave(PairValue(path.State, step.First.Code), path.State);
    }
    const bool branch = step.Op == Mnemonic::Jr || step.Op == Mnemonic::Jp || step.Op == Mnemonic::Djnz;
    if (!branch || !taken) return GoTo(std::move(path), next);
    std::int32_t target = step.Target;
    if (!step.RelativeTarget) {
      target = OffsetOfAddress(Examination, step.Offset, static_cast<std::uint16_t>(step.Target));
      if (target < Start || target >= Start + NearJump) {
        // A jump to another routine, which returns for this one.
        if (path.State.Depth == 0) return Leave(UnknownValue(-1), path.State);
        --path.State.Depth;
        return Leave(path.State.Stack[static_cast<std::size_t>(path.State.Depth)], path.State);
      }
    }
    if (target <= step.Offset && LoopsBack(path, target)) return;
    GoTo(std::move(path), target);
  }

  void Run() {
    while (!Pending.empty() && !Failed && !Found.Conflict) {
      Path path = std::move(Pending.back());
      Pending.pop_back();
      if (--Budget < 0 || !Examination.Rom.Contains(path.Offset)) {
        Failed = true;
        return;
      }
      const Step step = ReadStep(Table, Examination, path.Offset);
      if (!step.Documented || step.Op == Mnemonic::Reti || step.Op == Mnemonic::Retn || step.Op == Mnemonic::Halt ||
          path.State.StackLost) {
        Failed = true;
        return;
      }
      if (path.Visits.size() == MaxVisits) {
        Failed = true;
        return;
      }
      path.Visits.emplace_back(path.Offset, PointersOf(path.State));
      const RegisterState& state = path.State;
      if (!IsConditional(step) || step.Op == Mnemonic::Call) {
        Follow(std::move(path), step, EndsRun(step));
        continue;
      }
      if (step.Op == Mnemonic::Djnz) {
        if (const auto counter = KnownByte(state.Registers[0])) {
          Follow(std::move(path), step, ((*counter - 1) & 0xFF) != 0);
          continue;
        }
      }
      const std::uint8_t condition = step.First.Code;
      const bool zeroTest = step.First.Kind == OperandKind::Condition &&
                            (condition == ConditionZ || condition == ConditionNZ) && state.ZeroKnown &&
                            state.ZeroOf.Form == Shape::Byte && state.ZeroOf.From == Base::ReturnAddress &&
                            state.ZeroOf.Scale == 0 && state.ZeroOf.Part == Half::Whole;
      if (zeroTest) {
        const std::int32_t position = state.ZeroOf.Constant;
        if (Prefix >= 0 && Prefix != position) {
          Failed = true;
          return;
        }
        Prefix = position;
        Path zero{PastTerminator(state, position), path.Offset, -1, path.Visits};
        Follow(std::move(zero), step, condition == ConditionZ);
        path.LastNonzeroByte = position;
        Follow(std::move(path), step, condition == ConditionNZ);
        continue;
      }
      Follow(path, step, true);
      Follow(std::move(path), step, false);
    }
    if (!Pending.empty()) Failed = true;
  }
};

}  // namespace

InlineArguments ClassifyRoutine(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                                std::int32_t routineOffset) {
  // An rst vector or a routine's public entry is often a jump to its body.
  for (int hop = 0; hop < 2 && examination.Rom.Contains(routineOffset); ++hop) {
    const Step first = ReadStep(table, examination, routineOffset);
    if (first.Op != Mnemonic::Jp || first.First.Kind != OperandKind::Target) break;
    routineOffset = OffsetOfAddress(examination, routineOffset, static_cast<std::uint16_t>(first.Target));
  }
  if (!examination.Rom.Contains(routineOffset) || QuicklyOrdinary(table, examination, routineOffset)) return {};
  Explorer explorer{table, examination, routineOffset, {}, {}};
  explorer.Pending.push_back(Path{FreshState(true), routineOffset, -1, {}});
  explorer.Run();
  if (explorer.Failed || explorer.Found.Conflict || !explorer.Found.Any) return {};
  return explorer.Found.Result;
}

}  // namespace bytegleaner::thorough
