#pragma once

#include <cstdint>
#include <optional>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::thorough {

// What the instructions before an indirect jump say about where it goes.
struct JumpTableIdiom {
  // The table's base as the code loads it (a CPU address, not an offset),
  // or, with DirectTarget, the one address the register holds.
  std::uint16_t TableAddress = 0;
  bool DirectTarget = false;
  // Entries allowed by a bounding compare before the dispatch (`cp n` with
  // `jr nc`/`ret nc`/`jp nc`); 0 when the code does not bound the index.
  std::int32_t EntryCount = 0;
  // The instruction that loads the base, so the writer can name the table.
  std::int32_t BaseLoadOffset = -1;
  // Bytes from one entry's address to the next: 2 for a word table, more
  // for records that hold a handler among other fields.
  std::int32_t EntrySize = 2;
  // The jump lands in the table itself, whose entries are instructions
  // (`jp nn` each, EntrySize 3), not addresses.
  bool JumpsIntoTable = false;
};

// Works back from the dispatch at `jumpOffset` through the traced
// instructions before it. The dispatch is `jp (hl)`, `jp (ix)`, `jp (iy)`,
// a `ret` right after a push of the computed address, or a call or jump
// into a routine that dispatches so (`call CallHL` whose body is `jp (hl)`,
// a shared dispatcher given the table in HL). Nothing when no idiom
// matches, which is quick for the ordinary calls.
std::optional<JumpTableIdiom> FindJumpTableIdiom(const opcodes::OpcodeTable& table,
                                                 const analysis::Examination& examination, std::int32_t jumpOffset);

// Whether the routine reaches `jp (hl)`, `jp (ix)`, `jp (iy)` or a `ret`
// after a push of its own along the straight line FindJumpTableIdiom
// follows from a call or jump to it; the routines that do not (nearly
// all) make FindJumpTableIdiom at their call sites return nothing.
bool MayDispatchForCaller(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                          std::int32_t routine);

}  // namespace bytegleaner::thorough
