#include "analysis/thorough/thorough_examination.h"

#include "analysis/examination.h"
#include "analysis/tracer.h"

namespace bytegleaner::thorough {

// For now the entry points alone.
void ExamineThoroughly(const opcodes::OpcodeTable& table, analysis::Examination& examination, Findings& findings) {
  for (const std::int32_t entry : {0x0000, 0x0038, 0x0066}) {
    analysis::AddLabel(examination, entry);
    analysis::TraceCode(table, examination, true, entry);
  }
  findings.RunsFound[static_cast<std::size_t>(Finder::EntryPoint)] = 3;
}

}  // namespace bytegleaner::thorough
