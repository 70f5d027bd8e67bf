#include "analysis/thorough/hints_applied.h"

#include "analysis/examination.h"
#include "hints/hint.h"
#include "hints/hints_reader.h"

#include <algorithm>

namespace bytegleaner::thorough {

namespace {

using hints::Hint;
using hints::HintKind;

// The longest instruction is four bytes: one that reaches into a range
// starts at most three bytes before it.
constexpr std::int32_t LongestReachBack = 3;

// Code a hint names runs in the slot its bank usually takes: bank 0 in
// slot 0, bank 1 in slot 1, the others paged into slot 2.
int SlotForBank(std::int32_t bank) { return bank < 2 ? bank : 2; }

Paging PagingForBank(std::int32_t bank) {
  Paging pages;
  if (bank > 2 && bank <= 0xFF) {
    pages.Page(2, static_cast<std::uint8_t>(bank));
  } else if (bank > 2) {
    pages.Forget(2);
  }
  return pages;
}

// Cuts the analysis's tables back to the words before the hinted range;
// a table that starts inside it goes. The one that starts where the hint
// does is returned for the hint to take over.
WordTable* MakeRoomForTable(std::vector<WordTable>& tables, const Hint& hint) {
  for (WordTable& table : tables) {
    const std::int32_t end = table.Offset + 2 * table.Count;
    if (table.Offset < hint.First && end > hint.First) {
      table.Count = (hint.First - table.Offset) / 2;
    } else if (table.Offset > hint.First && table.Offset <= hint.Last) {
      table.Count = 0;
    }
  }
  const std::int32_t first = hint.First;
  tables.erase(std::remove_if(tables.begin(), tables.end(),
                              [first](const WordTable& table) { return table.Count == 0 && table.Offset != first; }),
               tables.end());
  const auto same = std::find_if(tables.begin(), tables.end(), [first](const WordTable& t) { return t.Offset == first; });
  return same != tables.end() ? &*same : nullptr;
}

void FollowHintedTable(ThoroughState& state, const Hint& hint) {
  const std::int32_t count = (hint.Last - hint.First + 1) / 2;
  std::vector<WordTable>& tables = state.Found.Tables;
  WordTable* table = MakeRoomForTable(tables, hint);
  if (table != nullptr && table->Count == count) return;  // the analysis found it alone
  if (table == nullptr) {
    const std::int32_t bank = BankOf(hint.First);
    tables.push_back({hint.First, count, hint.First, TableKind::Hinted, PagingForBank(bank)});
    table = &tables.back();
    analysis::AddLabel(state.Target, hint.First);
  }
  table->Count = count;
  const WordTable taken = *table;
  const analysis::RomImage& rom = state.Target.Rom;
  for (std::int32_t at = hint.First; at <= hint.Last; ++at) state.Marks[static_cast<std::size_t>(at)] |= TableByte;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint16_t word = rom.WordAt(hint.First + 2 * i);
    const std::int32_t target = ImageOffsetOf(word, taken.Pages, rom.RomSize);
    if (target >= 0) QueueRun(state, target, hint.First, taken.Pages, SlotOf(word), Reason::HintedTableEntry);
  }
}

}  // namespace

void MarkHintedRanges(ThoroughState& state, std::span<const Hint> hints) {
  for (const Hint& hint : hints) {
    if (!hints::IsRangeHint(hint.Kind)) continue;
    for (std::int32_t at = hint.First; at <= hint.Last; ++at) state.Marks[static_cast<std::size_t>(at)] |= HintedData;
  }
}

HintedTracing FollowHints(ThoroughState& state, std::span<const Hint> hints) {
  HintedTracing tracing;
  for (const Hint& hint : hints) {
    if (!hints::IsRangeHint(hint.Kind)) continue;
    for (std::int32_t at = std::max(0, hint.First - LongestReachBack); at < hint.First; ++at) {
      if ((state.Target.Map[static_cast<std::size_t>(at)] & analysis::CodeStart) != 0) tracing.StartsBefore.push_back(at);
    }
  }
  std::sort(tracing.StartsBefore.begin(), tracing.StartsBefore.end());
  // In offset order, so that the labels' numbers do not depend on the
  // order of the file's lines.
  std::vector<const Hint*> followed;
  for (const Hint& hint : hints) {
    if (hint.Kind == HintKind::Words || hint.Kind == HintKind::Code) followed.push_back(&hint);
  }
  std::stable_sort(followed.begin(), followed.end(), [](const Hint* a, const Hint* b) {
    return a->Kind != b->Kind ? a->Kind == HintKind::Words : a->First < b->First;
  });
  for (const Hint* hint : followed) {
    const std::int32_t bank = BankOf(hint->First);
    if (hint->Kind == HintKind::Words) {
      FollowHintedTable(state, *hint);
    } else {
      QueueRun(state, hint->First, hint->First, PagingForBank(bank), SlotForBank(bank), Reason::Hint);
    }
  }
  TraceQueuedRuns(state);
  return tracing;
}

std::vector<std::string> CheckHintedRanges(const ThoroughState& state, const HintedTracing& tracing,
                                           std::span<const Hint> hints, std::string_view fileName) {
  const analysis::Examination& examination = state.Target;
  opcodes::DecodedInstruction decoded;
  const auto instructionAt = [&](std::int32_t offset) -> std::int32_t {
    if ((state.Marks[static_cast<std::size_t>(offset)] & InsideInstruction) == 0) return -1;
    for (std::int32_t start = offset - 1; start >= std::max(0, offset - LongestReachBack); --start) {
      if ((examination.Map[static_cast<std::size_t>(start)] & analysis::CodeStart) == 0) continue;
      if (std::binary_search(tracing.StartsBefore.begin(), tracing.StartsBefore.end(), start)) continue;
      opcodes::MeasureInstruction(state.Table, examination, start, decoded);
      if (start + decoded.Length > offset) return start;
    }
    return -1;
  };
  return hints::CheckRangesAgainstCode(hints, fileName, instructionAt);
}

void NameHintedLabels(analysis::Examination& examination, std::span<const Hint> hints) {
  for (const Hint& hint : hints) {
    if (hint.Kind != HintKind::Name) continue;
    analysis::AddLabel(examination, hint.First);
    examination.Labels.GivenNames[hint.First] = hint.Text;
  }
}

}  // namespace bytegleaner::thorough
