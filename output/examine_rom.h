#pragma once

#include "output/source_job.h"

#include <cstdint>
#include <string>

namespace bytegleaner::output {

struct ExamineResult {
  bool Examined = false;      // the source file was written to its end
  bool WriteFailed = false;   // some bytes of the source or a binary file were lost
  std::int32_t LabelCount = 0;
  std::int32_t BinaryFileCount = 0;
};

// Reads the ROM file as the new image and clears the status log; false,
// with the error shown, when it cannot be read or is too large.
bool LoadRomFile(const std::string& chosenRomPath, analysis::Examination& examination,
                 const reporting::UserInterface& ui);

// The whole job for one ROM file: load it, trace it, write the source file
// beside it ("<ROM path>.asm") and its binary data files.
ExamineResult ExamineRom(const std::string& chosenRomPath, const opcodes::OpcodeTable& table,
                         const ExamineOptions& options, analysis::Examination& examination,
                         const reporting::UserInterface& ui);

// The same job with the thorough analysis (jump tables, code addresses used
// as values, inline data, mapper paging) and its always rebuildable source;
// the status lines end with one line per way of finding code. Reads the
// hints file beside the ROM where there is one.
ExamineResult ExamineRomThoroughly(const std::string& chosenRomPath, const opcodes::OpcodeTable& table,
                                   analysis::Examination& examination, const reporting::UserInterface& ui);

}  // namespace bytegleaner::output
