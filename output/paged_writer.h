#pragma once

// What the writers of the thorough analysis's source share: the findings
// walked in offset order, and each bank's assembled addresses.

#include "analysis/thorough/thorough_examination.h"
#include "output/refined_lines.h"
#include "output/source_job.h"

#include <cstdint>
#include <string>

namespace bytegleaner::output {

struct PagedWriter {
  SourceJob& Job;
  const thorough::Findings& Found;
  const Refinements& Refine;
  std::size_t NextRun = 0;
  std::size_t NextTable = 0;
  std::size_t NextInline = 0;
  std::size_t NextOperand = 0;
  std::size_t NextComment = 0;
  std::size_t NextText = 0;
  std::size_t NextReference = 0;
  std::string Reference{};  // an operand's new text, kept for its buffer

  // The address the assembler gives an image offset: its bank's slot's
  // start plus its place in the bank.
  [[nodiscard]] std::int32_t AssembledAddress(std::int32_t offset) const;

  // Appends the target's label where the label assembles to `value`, the
  // operand the image holds; false, appending nothing, otherwise.
  bool AppendLabelFor(std::string& out, std::int32_t target, std::int32_t value) const;

  // The findings at an offset; the walk asks in rising offset order.
  const thorough::FoundRun* RunAt(std::int32_t offset) {
    const auto& runs = Found.Runs;
    while (NextRun < runs.size() && runs[NextRun].Offset < offset) ++NextRun;
    return NextRun < runs.size() && runs[NextRun].Offset == offset ? &runs[NextRun] : nullptr;
  }
  const thorough::OperandTarget* OperandAt(std::int32_t offset) {
    const auto& operands = Found.OperandTargets;
    while (NextOperand < operands.size() && operands[NextOperand].Instruction < offset) ++NextOperand;
    return NextOperand < operands.size() && operands[NextOperand].Instruction == offset ? &operands[NextOperand]
                                                                                         : nullptr;
  }
};

// Writes the instruction at a code start with its comment and label lines,
// and returns how far the walk moves on.
std::int32_t WritePagedCodeLine(PagedWriter& writer, std::int32_t offset);

}  // namespace bytegleaner::output
