// Placeholders until the recognizers land: they find nothing.
#include "analysis/thorough/code_plausibility.h"
#include "analysis/thorough/inline_arguments.h"
#include "analysis/thorough/jump_table_idiom.h"

namespace bytegleaner::thorough {

std::optional<JumpTableIdiom> FindJumpTableIdiom(const opcodes::OpcodeTable&, const analysis::Examination&,
                                                 std::int32_t) {
  return std::nullopt;
}

InlineArguments ClassifyRoutine(const opcodes::OpcodeTable&, const analysis::Examination&, std::int32_t) {
  return {};
}

bool LooksLikeCode(const opcodes::OpcodeTable&, const analysis::Examination&, std::int32_t) { return false; }

}  // namespace bytegleaner::thorough
