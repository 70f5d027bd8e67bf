// The tracer of the thorough analysis: runs carry the banks paged into
// slots 1 and 2 and the register constants of their straight stretches, so
// that calls into $4000-$BFFF are traced in the bank the mapper holds there.
// Runs wait on a heap-allocated stack and each offset is traced once.
#include "analysis/examination.h"
#include "analysis/thorough/instruction_flow.h"
#include "analysis/thorough/thorough_state.h"

#include <algorithm>

namespace bytegleaner::thorough {

namespace {

using analysis::CodeStart;
using analysis::HasLabel;

// As far back as the jump-table recognizer reads before a dispatch.
constexpr std::int32_t NeverPushed = 16;

struct Run {
  std::int32_t Position = 0;
  int Slot = 0;
  Paging Pages;
  KnownRegisters Registers;
  // Instructions since the run's last push or `ex (sp),rr`: a `ret` soon
  // after one may jump to a computed address.
  std::int32_t SincePush = NeverPushed;
};

// `ex (sp),hl`, `ex (sp),ix` or `ex (sp),iy`, which put an address on the
// stack as a push does.
bool IsExchangeWithStack(const opcodes::DecodedInstruction& decoded) {
  return decoded.TableIndex == 0xE3 || decoded.TableIndex == opcodes::IndexPage + 0xE3;
}

void Vote(ThoroughState& state, std::int32_t offset, int slot) {
  const auto bank = static_cast<std::size_t>(BankOf(offset));
  ++state.SlotVotes[bank][static_cast<std::size_t>(slot)];
  if (state.FirstSlot[bank] < 0) state.FirstSlot[bank] = static_cast<std::int8_t>(slot);
}

RoutineFacts FactsOf(ThoroughState& state, std::int32_t routine) {
  std::uint16_t& marks = state.Marks[static_cast<std::size_t>(routine)];
  if ((marks & FactsKnown) != 0) {
    const auto known = state.Routines.find(routine);
    return known != state.Routines.end() ? known->second : RoutineFacts{};
  }
  marks |= FactsKnown;
  const RoutineFacts facts{state.Recognize.Classify(state.Table, state.Target, routine),
                           SummarizePaging(state.Table, state.Target, routine, state.BankCount)};
  const auto changes = facts.Paging.Changes;
  const bool plain = facts.Inline.Kind == InlineKind::None &&
                     std::all_of(changes.begin(), changes.end(), [](SlotChange c) { return c == SlotChange::None; });
  if (!plain) state.Routines.emplace(routine, facts);
  return facts;
}

// Marks `length` bytes from `start` as the inline data of the call at
// `callAt`; false, marking nothing, where they would leave the bank or
// touch traced code, a label or other data.
bool MarkInlineData(ThoroughState& state, std::int32_t start, std::int32_t length, std::int32_t callAt) {
  const std::int32_t end = start + length;
  if (end > std::min((BankOf(start) + 1) * SlotSize, state.Target.Rom.RomSize)) return false;
  for (std::int32_t at = start; at < end; ++at) {
    if (state.Target.Map[static_cast<std::size_t>(at)] != 0 ||
        (state.Marks[static_cast<std::size_t>(at)] & (InsideInstruction | DataMarks)) != 0) {
      return false;
    }
  }
  for (std::int32_t at = start; at < end; ++at) state.Marks[static_cast<std::size_t>(at)] |= InlineDataByte;
  state.Found.InlineStretches.push_back({start, length, callAt});
  ++state.Found.RunsFound[static_cast<std::size_t>(Finder::InlineData)];
  return true;
}

// The length of the inline data after a call, or -1 where there is none to
// skip or the run should end. A string may follow fixed bytes.
std::int32_t InlineLength(ThoroughState& state, const InlineArguments& inline_, std::int32_t start) {
  if (inline_.Kind == InlineKind::FixedBytes) return inline_.ByteCount;
  const std::int32_t end = std::min((BankOf(start) + 1) * SlotSize, state.Target.Rom.RomSize);
  for (std::int32_t at = start + inline_.ByteCount; at < end; ++at) {
    if (state.Target.Rom.ByteAt(at) == 0) return at - start + 1;
  }
  return -1;
}

// What a call or RST does to the caller: the callee may dispatch through
// a table the caller names, it may page banks, and inline data after the
// call site is skipped (resumeAt moves past it). False when the run ends at
// the call.
bool FollowCall(ThoroughState& state, Run& run, std::int32_t callAt, std::int32_t returnAt, std::int32_t callee,
                Flow flow, std::int32_t& resumeAt) {
  if (flow != Flow::Restart && DispatchesForCaller(state, callee)) state.JumpSites.push_back({callAt, -1, run.Pages});
  const RoutineFacts facts = FactsOf(state, callee);
  ApplyPagingEffect(facts.Paging, run.Registers.A(), run.Pages, state.BankCount);
  run.Registers.ForgetRegisters();
  if (flow == Flow::ConditionalCall || facts.Inline.Kind == InlineKind::None) return true;
  // Data after a call that ends its bank lies wherever the next slot points.
  if (BankOf(returnAt) != BankOf(callAt)) return false;
  if (facts.Inline.Kind == InlineKind::WordTableDispatch) {
    state.JumpSites.push_back({callAt, returnAt, run.Pages});
    return false;
  }
  const std::int32_t length = InlineLength(state, facts.Inline, returnAt);
  if (length < 0) return false;
  if (length > 0 && MarkInlineData(state, returnAt, length, callAt)) resumeAt = returnAt + length;
  return true;
}

// The CPU address an instruction at `at`, itself at `address`, leads to;
// false for an instruction that leads nowhere else.
bool TargetAddressOf(const opcodes::DecodedInstruction& decoded, Flow flow, std::int32_t at, std::uint32_t address,
                     std::uint32_t& targetAddress) {
  if (flow == Flow::Restart) {
    targetAddress = decoded.Opcode() & 0x38U;
  } else if (decoded.Kind == opcodes::TargetKind::AbsoluteTarget) {
    targetAddress = static_cast<std::uint32_t>(decoded.Target);
  } else if (decoded.Kind == opcodes::TargetKind::RelativeTarget) {
    targetAddress = (address + static_cast<std::uint32_t>(decoded.Target - at)) & 0xFFFFU;
  } else {
    return false;
  }
  return true;
}

void TraceRun(ThoroughState& state, Run run) {
  analysis::Examination& examination = state.Target;
  const analysis::RomImage& rom = examination.Rom;
  opcodes::DecodedInstruction& decoded = state.Decoded;
  MapperWrites writes;
  // Neither the image nor the per-byte arrays change size while tracing;
  // held here, they need not be read again after every byte written.
  std::uint8_t* const map = examination.Map.data();
  std::uint16_t* const marks = state.Marks.data();
  const std::uint8_t* const image = rom.Bytes.data();
  const std::int32_t romSize = rom.RomSize;
  for (;;) {
    const std::int32_t at = run.Position;
    std::uint8_t& flags = map[at];
    if ((flags & CodeStart) != 0 || (marks[at] & NoCodeMarks) != 0) return;
    if ((flags & HasLabel) != 0) run.Registers.Forget();
    flags |= CodeStart;
    opcodes::MeasureInstruction(state.Table, examination, at, decoded);
    const std::int32_t length = decoded.Length;
    // The marks reach past the image as far as an instruction can.
    for (std::int32_t inside = 1; inside < length; ++inside) marks[at + inside] |= InsideInstruction;
    const std::uint32_t address = AddressIn(at, run.Slot);
    const InstructionTraits traits = TraitsOf(decoded);
    const Flow flow = traits.Goes;

    const std::uint8_t* bytes = image + at;
    StepRegistersQuickly(bytes, run.Pages, run.Registers, writes);
    for (std::size_t i = 0; i < writes.Count; ++i) {
      const RegisterValue& value = writes.Writes[i].Value;
      WriteMapper(run.Pages, writes.Writes[i].Address, value.IsConstant(), value.Value, state.BankCount);
    }
    bool ends = flow == Flow::End || flow == Flow::IndirectJump;
    if (traits.WordConstantAt != 0) {
      state.Candidates.push_back({at, rom.WordAt(at + traits.WordConstantAt), run.Pages});
    }
    if (flow == Flow::IndirectJump || (traits.PlainReturn && run.SincePush < NeverPushed)) {
      state.JumpSites.push_back({at, -1, run.Pages});
    }
    run.SincePush = traits.Push || IsExchangeWithStack(decoded) ? 0 : std::min(run.SincePush + 1, NeverPushed);

    std::int32_t next = at + length;
    const bool call = flow == Flow::Call || flow == Flow::ConditionalCall || flow == Flow::Restart;
    std::uint32_t targetAddress = 0;
    const std::int32_t target = TargetAddressOf(decoded, flow, at, address, targetAddress)
                                    ? ImageOffsetOf(targetAddress, run.Pages, romSize)
                                    : -1;
    if (target >= 0) {
      const bool mapped = flow != Flow::Restart && target != decoded.Target;
      const bool paged = mapped && BankOf(target) != BankOf(at);
      QueueRun(state, target, at, run.Pages, SlotOf(targetAddress), paged ? Reason::PagedIn : Reason::Traced);
      if (mapped) state.Found.OperandTargets.push_back({at, target, static_cast<std::uint16_t>(targetAddress)});
      if (call) {
        if (!FollowCall(state, run, at, next, target, flow, next)) ends = true;
      } else if (decoded.Kind == opcodes::TargetKind::AbsoluteTarget && DispatchesForCaller(state, target)) {
        state.JumpSites.push_back({at, -1, run.Pages});
      }
    } else if (call) {
      run.Registers.ForgetRegisters();
    }
    // Code that pages another bank over itself goes on in that bank, which
    // the trace cannot know to be code.
    if (run.Slot != 0 && (writes.Count != 0 || call) &&
        (!run.Pages.Knows(run.Slot) || run.Pages.BankIn(run.Slot) != BankOf(at))) {
      return;
    }
    if (ends || next >= romSize) return;
    if (BankOf(next) != BankOf(at)) {
      // Past its slot's end the CPU reads the next slot, whatever bank it holds.
      const std::uint32_t nextAddress = address + static_cast<std::uint32_t>(next - at);
      const std::int32_t resolved = ImageOffsetOf(nextAddress, run.Pages, romSize);
      if (resolved < 0 || (resolved != next && next % SlotSize != 0)) return;
      run.Slot = SlotOf(nextAddress);
      Vote(state, resolved, run.Slot);
      next = resolved;
    }
    run.Position = next;
  }
}

}  // namespace

bool DispatchesForCaller(ThoroughState& state, std::int32_t routine) {
  std::uint16_t& marks = state.Marks[static_cast<std::size_t>(routine)];
  if ((marks & DispatchKnown) == 0) {
    const bool dispatches = MayDispatchForCaller(state.Table, state.Target, routine);
    marks |= DispatchKnown | (dispatches ? DispatchesForCallers : 0);
  }
  return (marks & DispatchesForCallers) != 0;
}

void QueueRun(ThoroughState& state, std::int32_t offset, std::int32_t from, const Paging& pages, int slot,
              Reason why) {
  analysis::AddLabel(state.Target, offset);
  if (why != Reason::EntryPoint && why != Reason::Hint) state.Found.References.push_back({offset, from, why});
  if ((state.Target.Map[static_cast<std::size_t>(offset)] & CodeStart) != 0) return;
  state.Pending.push_back({offset, from, pages, static_cast<std::uint8_t>(slot), why});
}

void TraceQueuedRuns(ThoroughState& state) {
  while (!state.Pending.empty()) {
    const PendingRun pending = state.Pending.back();
    state.Pending.pop_back();
    const auto at = static_cast<std::size_t>(pending.Offset);
    if ((state.Target.Map[at] & CodeStart) != 0 || (state.Marks[at] & NoCodeMarks) != 0) continue;
    if (pending.Why != Reason::Traced) {
      ++state.Found.RunsFound[static_cast<std::size_t>(FinderOf(pending.Why))];
      if (pending.Why != Reason::EntryPoint) {
        state.Found.Runs.push_back({pending.Offset, pending.From, pending.Why, pending.Slot});
      }
    }
    Vote(state, pending.Offset, pending.Slot);
    TraceRun(state, Run{pending.Offset, pending.Slot, pending.Pages, {}, NeverPushed});
  }
}

}  // namespace bytegleaner::thorough
