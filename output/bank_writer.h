#pragma once

#include <cstdint>

namespace bytegleaner::output {

struct SourceJob;

// Writes the body of the source file: one section per 16 KB bank, code
// where the examination found instruction starts, data everywhere else.
void WriteBanks(SourceJob& job);

// Writes the instruction at a code start with its label line, and returns
// how far the walk moves on.
std::int32_t WriteCodeLine(SourceJob& job, std::int32_t offset);

}  // namespace bytegleaner::output
