// Untraced bytes are read as the straight run of instructions a routine
// would be, and every way that run could betray data is looked for: forms
// no assembler writes, instructions the console has no use for, values
// loaded and never used, text and tile shapes, tables of addresses.
#include "analysis/thorough/code_plausibility.h"

#include "analysis/examination.h"
#include "analysis/thorough/inline_arguments.h"
#include "analysis/thorough/instruction_steps.h"
#include "analysis/thorough/register_use.h"
#include "analysis/thorough/step_plausibility.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace bytegleaner::thorough {

namespace {

using analysis::BankSize;

// The test cartridges' routines end within 40 instructions; longer straight
// runs are mostly data that happens to decode.
constexpr std::int32_t MaxInstructions = 64;
constexpr std::int32_t MaxBytes = 256;
constexpr std::int32_t LongestPrintableRun = 8;
constexpr std::int32_t LongestRepeat = 5;
constexpr std::int32_t LongestFillRun = 3;  // of $00 or $FF
constexpr std::size_t MinStepsBeforeJumpAway = 3;
constexpr int NearbyEntries = 0x100;

// Text, tiles and fill bytes decode too; their shape gives them away.
bool IsShapedLikeData(const analysis::RomImage& rom, std::int32_t start, std::int32_t end) {
  std::int32_t printable = 0;
  std::int32_t repeat = 0;
  for (std::int32_t at = start; at < end; ++at) {
    const std::uint8_t byte = rom.ByteAt(at);
    printable = byte >= 0x20 && byte < 0x7F ? printable + 1 : 0;
    repeat = at > start && rom.ByteAt(at - 1) == byte ? repeat + 1 : 1;
    if (printable >= LongestPrintableRun || repeat >= LongestRepeat) return true;
    if ((byte == 0x00 || byte == 0xFF) && repeat >= LongestFillRun) return true;
  }
  return false;
}

// A table of code addresses reads as code too (a low byte, then a page
// number that often decodes as `ld bc,nn`): two words that lead to known
// code, or to two places close together that could begin routines.
bool IsShapedLikeCodeAddresses(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                               std::int32_t offset) {
  if (!examination.Rom.Contains(offset + 3)) return false;
  const std::uint16_t first = examination.Rom.WordAt(offset);
  const std::uint16_t second = examination.Rom.WordAt(offset + 2);
  const std::int32_t targets[] = {OffsetOfAddress(examination, offset, first),
                                  OffsetOfAddress(examination, offset, second)};
  const auto known = [&](std::int32_t target) {
    return (examination.Map[static_cast<std::size_t>(target)] & (analysis::CodeStart | analysis::HasLabel)) != 0;
  };
  if (targets[0] < 0 || targets[1] < 0) return false;
  if (known(targets[0]) && known(targets[1])) return true;
  const bool near = first != second && std::abs(first - second) <= NearbyEntries;
  return near && IsPlausibleEntry(table, examination, targets[0]) && IsPlausibleEntry(table, examination, targets[1]);
}

// How many bytes after a call its routine takes as inline data; nothing
// when it goes on to the words there as a jump table and never returns.
std::optional<std::int32_t> InlineBytesAfter(const opcodes::OpcodeTable& table,
                                             const analysis::Examination& examination, const Step& call) {
  if (call.Op != Mnemonic::Call && call.Op != Mnemonic::Rst) return 0;
  const std::int32_t routine = call.Op == Mnemonic::Rst
                                   ? call.Target
                                   : OffsetOfAddress(examination, call.Offset, static_cast<std::uint16_t>(call.Target));
  if (routine < 0) return 0;
  const InlineArguments arguments = ClassifyRoutine(table, examination, routine);
  std::int32_t count = arguments.ByteCount;
  switch (arguments.Kind) {
    case InlineKind::None:
    case InlineKind::FixedBytes: return count;
    case InlineKind::WordTableDispatch: return std::nullopt;
    case InlineKind::ZeroTerminated: break;
  }
  const std::int32_t start = call.Offset + call.Length;
  while (start + count < examination.Rom.RomSize && count < MaxBytes && examination.Rom.ByteAt(start + count) != 0) {
    ++count;
  }
  return count + 1;
}

std::int32_t JumpTarget(const analysis::Examination& examination, const Step& step) {
  if (step.RelativeTarget) return step.Target;
  return OffsetOfAddress(examination, step.Offset, static_cast<std::uint16_t>(step.Target));
}

bool IsJumpAway(const Step& step) {
  return (step.Op == Mnemonic::Jp || step.Op == Mnemonic::Jr) && step.First.Kind == OperandKind::Target;
}

// `jp (hl)`, or `push hl / ret`, with a register the run never set.
bool DispatchesThroughUnsetRegister(const Step& step, const std::vector<Step>& before, RegisterSet written) {
  std::uint8_t pair = 0;
  if (step.Op == Mnemonic::Jp && step.First.Kind == OperandKind::Memory) {
    pair = step.First.Code;
  } else if (step.Op == Mnemonic::Ret && step.First.Kind == OperandKind::None && !before.empty() &&
             before.back().Op == Mnemonic::Push) {
    pair = before.back().First.Code;
  } else {
    return false;
  }
  return (written & PairBits(pair)) != PairBits(pair);
}

// A run of instructions from an untraced offset to its first unconditional
// end, or nothing when it stops being plausible on the way.
struct Run {
  std::vector<Step> Steps;
  std::int32_t End = 0;
  std::int32_t JumpsAwayTo = -1;  // untraced code outside the run it jumps on to
};

class RunReader {
 public:
  RunReader(const opcodes::OpcodeTable& table, const analysis::Examination& examination)
      : Table(table), Examination(examination), Rom(examination.Rom) {}

  std::optional<Run> Read(std::int32_t offset) const {
    if (!Rom.Contains(offset) || InsideTracedInstruction(Table, Examination, offset) ||
        IsShapedLikeCodeAddresses(Table, Examination, offset)) {
      return std::nullopt;
    }
    Run run;
    std::int32_t segmentStart = offset;
    std::int32_t position = offset;
    bool ended = false;
    UnusedResults unused;
    while (!ended && static_cast<std::int32_t>(run.Steps.size()) < MaxInstructions && position - offset < MaxBytes) {
      if (!run.Steps.empty() && IsTracedStart(Examination, position)) break;  // it runs into known code
      const Step step = ReadStep(Table, Examination, position);
      std::int32_t end = position + step.Length;
      if (!Fits(position, end) || !IsPlausibleStep(Table, Examination, step) || !unused.Follow(UseOf(step))) {
        return std::nullopt;
      }
      if (DispatchesThroughUnsetRegister(step, run.Steps, unused.Written)) return std::nullopt;
      run.Steps.push_back(step);
      ended = EndsRun(step);
      const auto inlineBytes = InlineBytesAfter(Table, Examination, step);
      if (!inlineBytes || *inlineBytes > 0) {
        if (IsShapedLikeData(Rom, segmentStart, end)) return std::nullopt;
        ended = ended || !inlineBytes;
        end += inlineBytes.value_or(0);
        segmentStart = end;
      }
      position = end;
    }
    run.End = position;
    const bool joinsTracedCode = Rom.Contains(position) && IsTracedStart(Examination, position);
    if ((!ended && !joinsTracedCode) || IsShapedLikeData(Rom, segmentStart, position) || !BranchesFit(run, offset)) {
      return std::nullopt;
    }
    const Step& last = run.Steps.back();
    if (IsJumpAway(last)) {
      const std::int32_t target = JumpTarget(Examination, last);
      if (target < offset || target >= position) run.JumpsAwayTo = IsTracedStart(Examination, target) ? -1 : target;
    }
    if (run.Steps.size() == 1 && last.Op != Mnemonic::Ret && run.JumpsAwayTo >= 0) return std::nullopt;
    if (run.Steps.size() == 1 && last.Op != Mnemonic::Ret && !IsJumpAway(last)) return std::nullopt;
    if (run.Steps.size() < MinStepsBeforeJumpAway && run.JumpsAwayTo >= 0) return std::nullopt;
    return run;
  }

 private:
  const opcodes::OpcodeTable& Table;
  const analysis::Examination& Examination;
  const analysis::RomImage& Rom;

  // Inside the image, no traced instruction entered mid-way, and within
  // its bank: code runs on from bank 0 into bank 1, which the console pages
  // together at power-on; other banks end at their slot's end.
  bool Fits(std::int32_t position, std::int32_t end) const {
    if (end > Rom.RomSize) return false;
    for (std::int32_t inner = position + 1; inner < end; ++inner) {
      if (IsTracedStart(Examination, inner)) return false;
    }
    return position / BankSize == (end - 1) / BankSize || position < BankSize;
  }

  // Relative branches land on the run's own instructions or on what could
  // begin a routine.
  bool BranchesFit(const Run& run, std::int32_t offset) const {
    for (const Step& step : run.Steps) {
      if (!step.RelativeTarget) continue;
      const bool inside = step.Target >= offset && step.Target < run.End;
      if (inside && std::none_of(run.Steps.begin(), run.Steps.end(),
                                 [&](const Step& other) { return other.Offset == step.Target; })) {
        return false;
      }
      if (!inside && !IsPlausibleEntry(Table, Examination, step.Target)) return false;
    }
    return true;
  }
};

}  // namespace

bool LooksLikeCode(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                   std::int32_t offset) {
  if (!examination.Rom.Contains(offset)) return false;
  if (IsTracedStart(examination, offset)) return true;
  const RunReader reader(table, examination);
  const auto run = reader.Read(offset);
  if (!run) return false;
  if (run->JumpsAwayTo < 0) return true;
  // The code it jumps on to must hold up too, and end on its own.
  const auto next = reader.Read(run->JumpsAwayTo);
  return next && next->JumpsAwayTo < 0;
}

}  // namespace bytegleaner::thorough
