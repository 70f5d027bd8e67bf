#pragma once

#include "hints/hints_writer.h"

#include <span>
#include <vector>

namespace bytegleaner::thorough {
struct Findings;
}

namespace bytegleaner::output {

// What the thorough analysis decided, as hints with their reasons, in
// offset order: its tables as words, inline data as data, and the runs it
// found beyond the entry points as code; with the hints it was given, which
// take the place of the decisions they overlap. Read back, they change
// nothing.
std::vector<hints::Decision> DecisionsOf(const thorough::Findings& findings, std::span<const hints::Hint> given);

}  // namespace bytegleaner::output
