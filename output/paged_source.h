#pragma once

namespace bytegleaner::thorough {
struct Findings;
}

namespace bytegleaner::output {

struct SourceJob;

// Writes the body of the thorough analysis's source file: each bank in the
// slot its code runs in, code and the tables and inline data found, with a
// comment naming how each was found, and data everywhere else. Always in
// the forms that assemble back to the same bytes.
void WritePagedBanks(SourceJob& job, const thorough::Findings& findings);

}  // namespace bytegleaner::output
