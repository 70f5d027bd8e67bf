#include "analysis/thorough/thorough_examination.h"

#include "analysis/examination.h"
#include "analysis/thorough/hints_applied.h"
#include "analysis/thorough/thorough_state.h"

#include <algorithm>

namespace bytegleaner::thorough {

namespace {

// Each bank is written in the slot most of its runs start in, the first
// one's on a tie; bank 0 stays in slot 0, and banks without code in the
// slot the mapper gives them at reset (bank 1) or in slot 2.
std::vector<std::uint8_t> ChooseBankSlots(const ThoroughState& state) {
  std::vector<std::uint8_t> slots(static_cast<std::size_t>(state.BankCount), 2);
  for (std::size_t bank = 0; bank < slots.size(); ++bank) {
    const auto& votes = state.SlotVotes[bank];
    if (bank == 0) {
      slots[bank] = 0;
    } else if (votes[1] + votes[2] == 0) {
      slots[bank] = bank == 1 ? 1 : 2;
    } else if (votes[1] != votes[2]) {
      slots[bank] = votes[1] > votes[2] ? 1 : 2;
    } else {
      slots[bank] = static_cast<std::uint8_t>(std::max<std::int8_t>(state.FirstSlot[bank], 1));
    }
  }
  return slots;
}

void PutInOrder(Findings& findings) {
  const auto byOffset = [](const auto& a, const auto& b) { return a.Offset < b.Offset; };
  std::sort(findings.Runs.begin(), findings.Runs.end(), byOffset);
  std::sort(findings.Tables.begin(), findings.Tables.end(), byOffset);
  std::sort(findings.InlineStretches.begin(), findings.InlineStretches.end(), byOffset);
  std::stable_sort(findings.OperandTargets.begin(), findings.OperandTargets.end(),
                   [](const OperandTarget& a, const OperandTarget& b) { return a.Instruction < b.Instruction; });
  std::sort(findings.References.begin(), findings.References.end(), [](const Reference& a, const Reference& b) {
    return a.From != b.From ? a.From < b.From : a.Target < b.Target;
  });
}

// Jump sites before constants, one at a time with the tracing it leads to
// in between, so that each check sees all code found before it. Each site
// and constant is looked at once, also across calls.
void FollowUntilDone(ThoroughState& state, std::size_t& sitesDone, std::size_t& candidatesDone) {
  for (;;) {
    if (sitesDone < state.JumpSites.size()) {
      const JumpSite site = state.JumpSites[sitesDone++];
      FollowJumpSite(state, site);
    } else if (candidatesDone < state.Candidates.size()) {
      const Candidate candidate = state.Candidates[candidatesDone++];
      FollowCandidate(state, candidate);
    } else {
      break;
    }
    TraceQueuedRuns(state);
  }
}

}  // namespace

Finder FinderOf(Reason reason) {
  switch (reason) {
    case Reason::JumpTableEntry:
    case Reason::IndirectJump: return Finder::JumpTable;
    case Reason::CodeAddress:
    case Reason::CodeAddressInTable: return Finder::CodeAddress;
    case Reason::PagedIn: return Finder::Mapper;
    case Reason::Hint:
    case Reason::HintedTableEntry: return Finder::Hint;
    case Reason::Traced:
    case Reason::EntryPoint: break;
  }
  return Finder::EntryPoint;
}

void ExamineThoroughly(const opcodes::OpcodeTable& table, analysis::Examination& examination, Findings& findings) {
  ExamineThoroughly(table, examination, findings, Recognizers{});
}

void ExamineThoroughly(const opcodes::OpcodeTable& table, analysis::Examination& examination, Findings& findings,
                       const Recognizers& recognizers) {
  Guidance none;
  ExamineThoroughly(table, examination, findings, recognizers, none);
}

void ExamineThoroughly(const opcodes::OpcodeTable& table, analysis::Examination& examination, Findings& findings,
                       const Recognizers& recognizers, Guidance& guidance) {
  findings = {};
  ThoroughState state{table, examination, findings, recognizers};
  const std::int32_t romSize = examination.Rom.RomSize;
  state.BankCount = (romSize + SlotSize - 1) / SlotSize;
  state.Marks.assign(static_cast<std::size_t>(romSize) + analysis::SpareBytes, 0);
  state.SlotVotes.assign(static_cast<std::size_t>(state.BankCount), {});
  state.FirstSlot.assign(static_cast<std::size_t>(state.BankCount), -1);
  state.FreeableBytes = romSize;
  MarkHintedRanges(state, guidance.Hints);

  for (const std::int32_t entry : {0x0000, 0x0038, 0x0066}) {
    if (!examination.Rom.Contains(entry)) continue;
    QueueRun(state, entry, entry, Paging{}, 0, Reason::EntryPoint);
    TraceQueuedRuns(state);
  }
  std::size_t sitesDone = 0;
  std::size_t candidatesDone = 0;
  FollowUntilDone(state, sitesDone, candidatesDone);
  // The hints come last, so that those that say what the analysis found
  // alone change nothing.
  if (!guidance.Hints.empty()) {
    const HintedTracing tracing = FollowHints(state, guidance.Hints);
    FollowUntilDone(state, sitesDone, candidatesDone);
    guidance.Errors = CheckHintedRanges(state, tracing, guidance.Hints, guidance.FileName);
    NameHintedLabels(examination, guidance.Hints);
  }
  findings.BankSlots = ChooseBankSlots(state);
  PutInOrder(findings);
}

}  // namespace bytegleaner::thorough
