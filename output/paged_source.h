#pragma once

#include <span>

namespace bytegleaner::thorough {
struct Findings;
}
namespace bytegleaner::hints {
struct Hint;
}

namespace bytegleaner::output {

struct SourceJob;

// Writes the body of the thorough analysis's source file: each bank in the
// slot its code runs in, code and the tables and inline data found, with a
// comment naming how each was found, and data everywhere else. Always in
// the forms that assemble back to the same bytes.
void WritePagedBanks(SourceJob& job, const thorough::Findings& findings);

// The same with the hints' comments and text ranges, which must be those
// the analysis was given.
void WritePagedBanks(SourceJob& job, const thorough::Findings& findings, std::span<const hints::Hint> hints);

}  // namespace bytegleaner::output
