#pragma once

#include <cstdint>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::thorough {

enum class InlineKind : std::uint8_t {
  None,               // returns to its call site as usual
  FixedBytes,         // skips ByteCount bytes after the call site
  ZeroTerminated,     // skips bytes up to and including a 0 byte
  WordTableDispatch,  // the words after the call site are a jump table; never returns there
};

struct InlineArguments {
  InlineKind Kind = InlineKind::None;
  std::int32_t ByteCount = 0;
};

// How the routine at `routineOffset` treats the bytes after its call site,
// from its first instructions: the pop (or `ex (sp),hl`) of its return
// address, reads through it, and how it returns.
InlineArguments ClassifyRoutine(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                                std::int32_t routineOffset);

}  // namespace bytegleaner::thorough
