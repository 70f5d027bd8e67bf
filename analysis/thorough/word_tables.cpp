// Jump tables, direct jumps through registers, and constants that traced
// code loads: each is looked at once, and what it points at is queued for
// the tracer.
#include "analysis/examination.h"
#include "analysis/thorough/instruction_steps.h"
#include "analysis/thorough/step_plausibility.h"
#include "analysis/thorough/thorough_state.h"

#include <algorithm>

namespace bytegleaner::thorough {

namespace {

using analysis::CodeStart;
using analysis::HasLabel;

struct TableRequest {
  std::int32_t Offset = 0;
  std::int32_t UsedAt = 0;
  Paging Pages;
  std::int32_t EntryCount = 0;  // 0: as many as look like code addresses
  TableKind Kind = TableKind::JumpTable;
  std::int32_t FewestEntries = 1;
  std::int32_t EntrySize = 2;  // more where each entry is a record holding a handler
};

std::uint8_t FlagsAt(const ThoroughState& state, std::int32_t offset) {
  return state.Target.Map[static_cast<std::size_t>(offset)];
}
std::uint16_t MarksAt(const ThoroughState& state, std::int32_t offset) {
  return state.Marks[static_cast<std::size_t>(offset)];
}
std::int32_t EndOfBank(const ThoroughState& state, std::int32_t offset) {
  return std::min((BankOf(offset) + 1) * SlotSize, state.Target.Rom.RomSize);
}

// Asks the plausibility check once per offset.
bool LooksLikeCodeOnce(ThoroughState& state, std::int32_t offset) {
  if ((MarksAt(state, offset) & NotCode) != 0) return false;
  if (state.Recognize.IsPlausibleCode(state.Table, state.Target, offset)) return true;
  state.Marks[static_cast<std::size_t>(offset)] |= NotCode;
  return false;
}

// Whether a table word's target can be an entry: never inside an
// instruction or data; a traced start is; an untraced one where its first
// instructions could begin a routine, when the code bounds the table, or
// else where the bytes look like code. Tables of code addresses found
// through a constant take only labelled runs among the traced ones, as a
// routine's start is where a handler begins.
bool CanBeEntry(ThoroughState& state, const TableRequest& request, std::int32_t target) {
  const std::uint8_t flags = FlagsAt(state, target);
  if ((flags & CodeStart) != 0) return request.Kind != TableKind::CodeAddresses || (flags & HasLabel) != 0;
  if ((MarksAt(state, target) & (InsideInstruction | DataMarks)) != 0) return false;
  if (request.EntryCount > 0) return IsPlausibleEntry(state.Table, state.Target, target);
  return LooksLikeCodeOnce(state, target);
}

// Whether the word at `at` can belong to the table: it stays in the bank and
// the image, and no label (but the table's own), traced byte or other data
// lies in it.
bool IsFreeWord(const ThoroughState& state, std::int32_t start, std::int32_t at) {
  if (at + 1 >= EndOfBank(state, start)) return false;
  for (const std::int32_t byte : {at, at + 1}) {
    const std::uint8_t flags = FlagsAt(state, byte);
    if ((flags & CodeStart) != 0 || ((flags & HasLabel) != 0 && byte != start)) return false;
    if ((MarksAt(state, byte) & (InsideInstruction | DataMarks)) != 0) return false;
  }
  return true;
}

// The other fields of a record between two entries hold no code (but may
// hold another table's words: a record can hold several handlers).
bool IsFreeGap(const ThoroughState& state, std::int32_t from, std::int32_t to) {
  for (std::int32_t at = from; at < to; ++at) {
    if ((FlagsAt(state, at) & CodeStart) != 0 || (MarksAt(state, at) & (InsideInstruction | InlineDataByte)) != 0) {
      return false;
    }
  }
  return true;
}

void RecordTable(ThoroughState& state, const TableRequest& request, std::int32_t count) {
  const bool open = request.EntryCount == 0 && request.EntrySize == 2;
  if (request.EntrySize == 2) {
    if (open) state.OpenTables.emplace(request.Offset, state.Found.Tables.size());
    state.Found.Tables.push_back({request.Offset, count, request.UsedAt, request.Kind, request.Pages});
    return;
  }
  // The words of a table of records lie apart: each is a table of its own
  // to the writer.
  for (std::int32_t i = 0; i < count; ++i) {
    state.Found.Tables.push_back(
        {request.Offset + i * request.EntrySize, 1, request.UsedAt, request.Kind, request.Pages});
  }
}

// Reads the table's words up to the first that cannot be an entry, records
// the table and queues its entries; returns how many it took.
std::int32_t FollowWordTable(ThoroughState& state, const TableRequest& request) {
  const analysis::RomImage& rom = state.Target.Rom;
  const std::int32_t size = request.EntrySize;
  std::vector<std::int32_t>& entries = state.EntryScratch;
  entries.clear();
  // Handlers often follow their table: it ends where the first code an
  // entry leads to begins.
  std::int32_t nearestEntry = rom.RomSize;
  for (std::int32_t at = request.Offset; at + 2 <= nearestEntry && IsFreeWord(state, request.Offset, at);
       at += size) {
    if (request.EntryCount > 0 && static_cast<std::int32_t>(entries.size()) == request.EntryCount) break;
    if (at > request.Offset && !IsFreeGap(state, at - size + 2, at)) break;
    const std::uint16_t word = rom.WordAt(at);
    const std::int32_t target = ImageOffsetOf(word, request.Pages, rom.RomSize);
    // Zeros pad tables far more often than they lead to the reset code.
    if (target < 0 || (word == 0 && request.EntryCount == 0)) break;
    if (!CanBeEntry(state, request, target)) break;
    entries.push_back(target);
    if (target > request.Offset) nearestEntry = std::min(nearestEntry, target);
  }
  // An entry inside the table would make its words code: the table ends
  // before the first such entry.
  const std::int32_t tableEnd = request.Offset + size * static_cast<std::int32_t>(entries.size());
  entries.erase(std::find_if(entries.begin(), entries.end(),
                             [&](std::int32_t entry) { return entry >= request.Offset && entry < tableEnd; }),
                entries.end());
  const auto count = static_cast<std::int32_t>(entries.size());
  if (count < request.FewestEntries) return 0;
  if (request.FewestEntries > 1 && std::all_of(entries.begin(), entries.end(), [&](std::int32_t entry) {
        return entry == entries.front();
      })) {
    return 0;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    state.Marks[static_cast<std::size_t>(request.Offset + i * size)] |= TableByte;
    state.Marks[static_cast<std::size_t>(request.Offset + i * size + 1)] |= TableByte;
  }
  RecordTable(state, request, count);
  const Reason why = request.Kind == TableKind::CodeAddresses ? Reason::CodeAddressInTable : Reason::JumpTableEntry;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint16_t word = rom.WordAt(request.Offset + i * size);
    QueueRun(state, entries[static_cast<std::size_t>(i)], request.Offset, request.Pages, SlotOf(word), why);
  }
  return count;
}

// A table read as far as its words looked like entries ends where a
// dispatch names a base inside it: that base begins another table. The
// entries already queued stay, as they passed as code.
void EndOpenTableAt(ThoroughState& state, std::int32_t base) {
  auto open = state.OpenTables.upper_bound(base);
  if (open == state.OpenTables.begin()) return;
  --open;
  WordTable& table = state.Found.Tables[open->second];
  const std::int32_t end = table.Offset + 2 * table.Count;
  const std::int32_t kept = (base - table.Offset) / 2;
  if (base >= end || kept == 0 || end - table.Offset - 2 * kept > state.FreeableBytes) return;
  state.FreeableBytes -= end - table.Offset - 2 * kept;
  for (std::int32_t at = table.Offset + 2 * kept; at < end; ++at) {
    state.Marks[static_cast<std::size_t>(at)] &= static_cast<std::uint16_t>(~TableByte);
  }
  table.Count = kept;
}

// The target of a `jr` or `jp nn` that is an entry of a table of jumps, or
// -1 where the entry is no such jump.
std::int32_t EntryJumpTarget(ThoroughState& state, const JumpSite& site, std::int32_t at, std::int32_t size) {
  const Step step = ReadStep(state.Table, state.Target, at);
  if (!step.Documented || step.Length > size || step.First.Kind != OperandKind::Target) return -1;
  if (step.Op == Mnemonic::Jr) return state.Target.Rom.Contains(step.Target) ? step.Target : -1;
  if (step.Op != Mnemonic::Jp) return -1;
  return ImageOffsetOf(static_cast<std::uint32_t>(step.Target), site.Pages, state.Target.Rom.RomSize);
}

// A dispatch that lands in a table of `jr`/`jp` instructions: each entry
// is traced where it holds such a jump, up to the count the code gives,
// else while the jumps lead to plausible code and up to where the first
// of them leads.
void FollowJumpInstructions(ThoroughState& state, const JumpSite& site, const JumpTableIdiom& idiom,
                            std::int32_t tableOffset) {
  const std::int32_t size = idiom.EntrySize;
  std::int32_t end = EndOfBank(state, tableOffset);
  for (std::int32_t i = 0; idiom.EntryCount <= 0 || i < idiom.EntryCount; ++i) {
    const std::int32_t at = tableOffset + i * size;
    const std::uint32_t address = idiom.TableAddress + static_cast<std::uint32_t>(i * size);
    if (at + size > end || address >= FirstRamAddress) return;
    if ((MarksAt(state, at) & (InsideInstruction | DataMarks)) != 0) return;
    // Entries traced already (the same table met through another dispatch)
    // still say where the table ends.
    const std::int32_t target = EntryJumpTarget(state, site, at, size);
    if ((FlagsAt(state, at) & CodeStart) == 0) {
      if (target < 0 || (MarksAt(state, target) & (InsideInstruction | DataMarks)) != 0) return;
      if (idiom.EntryCount <= 0 && !IsPlausibleEntry(state.Table, state.Target, target)) return;
    }
    if (target > at) end = std::min(end, target);
    QueueRun(state, at, tableOffset, site.Pages, SlotOf(address), Reason::JumpTableEntry);
  }
}

void NameConstant(ThoroughState& state, std::int32_t instruction, std::int32_t target, std::uint16_t value) {
  if (instruction >= 0) state.Found.OperandTargets.push_back({instruction, target, value});
}

}  // namespace

void FollowJumpSite(ThoroughState& state, const JumpSite& site) {
  if (site.TableOffset >= 0) {
    FollowWordTable(state, {site.TableOffset, site.Offset, site.Pages, 0, TableKind::WordsAfterCall, 1, 2});
    return;
  }
  const std::optional<JumpTableIdiom> idiom = state.Recognize.FindJumpTable(state.Table, state.Target, site.Offset);
  if (!idiom) return;
  const std::int32_t target = ImageOffsetOf(idiom->TableAddress, site.Pages, state.Target.Rom.RomSize);
  if (target < 0) return;
  if (idiom->DirectTarget) {
    if ((MarksAt(state, target) & (InsideInstruction | DataMarks)) != 0) return;
    QueueRun(state, target, site.Offset, site.Pages, SlotOf(idiom->TableAddress), Reason::IndirectJump);
  } else if (idiom->JumpsIntoTable) {
    if (idiom->EntrySize < 2) return;
    FollowJumpInstructions(state, site, *idiom, target);
  } else {
    if (idiom->EntrySize < 2) return;
    EndOpenTableAt(state, target);
    if ((MarksAt(state, target) & TableByte) != 0) {
      // Another dispatch reads the same table: only its base load is new.
      if ((FlagsAt(state, target) & HasLabel) == 0) return;
    } else {
      const TableRequest request{target,           site.Offset, site.Pages, std::max(idiom->EntryCount, 0),
                                 TableKind::JumpTable, 1,         idiom->EntrySize};
      if (FollowWordTable(state, request) == 0) return;
      analysis::AddLabel(state.Target, target);
    }
  }
  NameConstant(state, idiom->BaseLoadOffset, target, idiom->TableAddress);
}

void FollowCandidate(ThoroughState& state, const Candidate& candidate) {
  const std::int32_t target = ImageOffsetOf(candidate.Value, candidate.Pages, state.Target.Rom.RomSize);
  if (target < 0 || FlagsAt(state, target) != 0 || (MarksAt(state, target) & (InsideInstruction | DataMarks)) != 0) {
    return;
  }
  if (LooksLikeCodeOnce(state, target)) {
    QueueRun(state, target, candidate.Site, candidate.Pages, SlotOf(candidate.Value), Reason::CodeAddress);
    NameConstant(state, candidate.Site, target, candidate.Value);
    return;
  }
  if ((MarksAt(state, target) & TableTried) != 0) return;
  state.Marks[static_cast<std::size_t>(target)] |= TableTried;
  // A lone word, or one word repeated, is as likely a coincidence as a table.
  const TableRequest request{target, candidate.Site, candidate.Pages, 0, TableKind::CodeAddresses, 2, 2};
  if (FollowWordTable(state, request) == 0) return;
  analysis::AddLabel(state.Target, target);
  NameConstant(state, candidate.Site, target, candidate.Value);
}

}  // namespace bytegleaner::thorough
