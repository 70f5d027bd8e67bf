#pragma once

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::reporting {
struct UserInterface;
}

namespace bytegleaner::analysis {

struct Examination;

// Traces the reset entry, the interrupt handler and the NMI handler in that
// order, announcing each pass in the status log.
void ExamineEntryPoints(const opcodes::OpcodeTable& table, Examination& examination, bool breakAtIndirectJump,
                        const reporting::UserInterface& ui);

}  // namespace bytegleaner::analysis
