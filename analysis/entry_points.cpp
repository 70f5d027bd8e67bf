#include "analysis/entry_points.h"

#include "analysis/examination.h"
#include "analysis/tracer.h"
#include "reporting/user_interface.h"

namespace bytegleaner::analysis {

void ExamineEntryPoints(const opcodes::OpcodeTable& table, Examination& examination, bool breakAtIndirectJump,
                        const reporting::UserInterface& ui) {
  reporting::AddStatusLine(ui, "Examining code...");
  TraceCode(table, examination, breakAtIndirectJump, 0x0000);
  AddLabel(examination, 0x0038);
  reporting::AddStatusLine(ui, "Examining IRQ handler...");
  TraceCode(table, examination, breakAtIndirectJump, 0x0038);
  reporting::AddStatusLine(ui, "Examining NMI handler...");
  AddLabel(examination, 0x0066);
  TraceCode(table, examination, breakAtIndirectJump, 0x0066);
}

}  // namespace bytegleaner::analysis
