#pragma once

#include "analysis/thorough/instruction_steps.h"

#include <array>
#include <cstdint>
#include <span>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::thorough {

// A loop around a dispatch that walks a table of records: each round adds
// the same constant to the pointer it reads the handler through
// (`ld de,4 / add ix,de / djnz Loop`).
struct RecordLoop {
  std::int32_t Head = -1;  // the loop's first instruction; -1 for no loop
  // What one round adds to each pair (by PairCode); 0 where it changes the
  // pair otherwise or not at all.
  std::array<std::int32_t, 8> Strides{};
  bool CountedByB = false;  // it ends with `djnz`, so B at the head counts the rounds
};

// The loop whose back branch follows the dispatch at `dispatchOffset`
// within a few instructions and returns to one of `before` (the straight
// path into the dispatch, oldest first). Calls in the loop are taken to
// keep IX and IY, the pointers such loops walk records with, and to change
// the other pairs.
RecordLoop FindRecordLoop(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                          std::span<const Step> before, const Step& dispatch);

}  // namespace bytegleaner::thorough
