#pragma once

#include "analysis/thorough/inline_arguments.h"
#include "analysis/thorough/paging.h"
#include "analysis/thorough/register_constants.h"

#include <array>
#include <cstdint>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::thorough {

enum class SlotChange : std::uint8_t { None, ToBank, ToCallersA, ToUnknown };

// How a call to a routine leaves the caller's slots 1 and 2.
struct PagingEffect {
  std::array<SlotChange, 2> Changes{};
  std::array<std::uint8_t, 2> Banks{};
};

// What a call site needs to know of its callee; worked out once per routine.
struct RoutineFacts {
  InlineArguments Inline;
  PagingEffect Paging;
};

// Walks the routine's first instructions up to its `ret`, with A standing
// for the caller's A: `SetSlot2: ld ($FFFF),a / ret` pages the caller's A
// into slot 2. A routine that branches before it returns keeps its own
// counsel: slots it wrote before the branch become unknown, others stay.
PagingEffect SummarizePaging(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                             std::int32_t routine, std::int32_t bankCount);

void ApplyPagingEffect(const PagingEffect& effect, RegisterValue callersA, Paging& paging, std::int32_t bankCount);

}  // namespace bytegleaner::thorough
