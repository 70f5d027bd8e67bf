#pragma once

// The working state the parts of the thorough analysis share while it runs.

#include "analysis/thorough/paging.h"
#include "analysis/thorough/routine_facts.h"
#include "analysis/thorough/thorough_examination.h"
#include "opcodes/decoder.h"

#include <array>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace bytegleaner::thorough {

// Per image byte, beside the analysis map's flags (which the writers of the
// exact analysis read as they are).
enum OffsetMark : std::uint16_t {
  InsideInstruction = 1,  // a traced instruction's byte other than its first
  InlineDataByte = 2,
  TableByte = 4,
  NotCode = 8,      // the plausibility check said no
  TableTried = 16,  // read once as a table of code addresses
  FactsKnown = 32,  // a routine whose facts are worked out; kept in Routines unless plain
  DispatchKnown = 64,     // whether a routine dispatches for its caller is worked out
  DispatchesForCallers = 128,
  HintedData = 256  // inside a data, words or text hint
};
inline constexpr std::uint16_t DataMarks = InlineDataByte | TableByte;
// Where no run may start. Only the tracer reads HintedData: tables, inline
// data and code addresses the analysis finds may lie in hinted ranges, so
// that hints which say what it found alone change nothing.
inline constexpr std::uint16_t NoCodeMarks = DataMarks | HintedData;

struct PendingRun {
  std::int32_t Offset = 0;
  std::int32_t From = 0;
  Paging Pages;
  std::uint8_t Slot = 0;
  Reason Why = Reason::Traced;
};

// An indirect jump, a `ret` after a push or a call to a trampoline; or,
// with TableOffset set, the words after a call to a dispatcher.
struct JumpSite {
  std::int32_t Offset = 0;
  std::int32_t TableOffset = -1;
  Paging Pages;
};

// A word constant that traced code loads.
struct Candidate {
  std::int32_t Site = 0;
  std::uint16_t Value = 0;
  Paging Pages;
};

struct ThoroughState {
  const opcodes::OpcodeTable& Table;
  analysis::Examination& Target;
  Findings& Found;
  const Recognizers& Recognize;
  std::int32_t BankCount = 0;
  std::vector<std::uint16_t> Marks{};
  std::vector<PendingRun> Pending{};
  std::vector<JumpSite> JumpSites{};
  std::vector<Candidate> Candidates{};
  // Tables read as far as their words looked like entries, by offset to
  // their place in Found.Tables: a dispatch that names a base inside one
  // ends it there.
  std::map<std::int32_t, std::size_t> OpenTables{};
  // Bytes that ending tables may still give back to be read again: real
  // code ends few tables, and crafted code must not make the same words
  // be read over and over.
  std::int32_t FreeableBytes = 0;
  // Only routines that take inline data or page banks: most take neither.
  std::unordered_map<std::int32_t, RoutineFacts> Routines{};
  // Per bank: runs started in each slot, and the slot of the first.
  std::vector<std::array<std::int32_t, 3>> SlotVotes{};
  std::vector<std::int8_t> FirstSlot{};
  opcodes::DecodedInstruction Decoded{};
  std::vector<std::int32_t> EntryScratch{};
};

// Labels the offset and queues a run there unless it is traced.
void QueueRun(ThoroughState& state, std::int32_t offset, std::int32_t from, const Paging& pages, int slot,
              Reason why);

// Whether a call or jump to the routine can be a dispatch through a table
// its caller names; worked out once per routine.
bool DispatchesForCaller(ThoroughState& state, std::int32_t routine);

// Traces every queued run, and whatever they reach, to the end.
void TraceQueuedRuns(ThoroughState& state);

// Follow one jump site or constant; they queue runs for what they find.
void FollowJumpSite(ThoroughState& state, const JumpSite& site);
void FollowCandidate(ThoroughState& state, const Candidate& candidate);

}  // namespace bytegleaner::thorough
