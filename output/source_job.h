#pragma once

#include "opcodes/decoder.h"
#include "output/output_file.h"

#include <cstdint>
#include <string>

namespace bytegleaner::analysis {
struct Examination;
}
namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::reporting {
struct UserInterface;
}

namespace bytegleaner::output {

struct ExamineOptions {
  bool BreakAtIndirectJump = true;
  // Writes, only where the usual text would not assemble back to the same
  // bytes, a form that does.
  bool Rebuildable = false;
};

// Everything the writers of one source file share.
struct SourceJob {
  const opcodes::OpcodeTable& Table;
  const analysis::Examination& Examination;
  const reporting::UserInterface& Ui;
  const std::string& ChosenRomPath;
  ExamineOptions Options;
  OutputFile& Source;
  std::int32_t BinaryFileCount = 0;
  bool BinaryWriteFailed = false;
  // The writers' one decoding record, kept so its text buffer is reused.
  opcodes::DecodedInstruction Decoded;
};

}  // namespace bytegleaner::output
