#pragma once

#include "opcodes/opcode_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace bytegleaner::opcodes {

// What the placeholders of one instruction are replaced with.
struct TemplateOperands {
  char IndexRegisterLetter = 0;  // 'x', 'y', or 0 without an index prefix
  std::uint8_t Displacement = 0;
  std::uint16_t Value = 0;       // of "##" or "#"
  std::string_view TargetText;   // of "*" or "+": a label's name or a number
};

// The template with every placeholder the decoder would replace turned into
// a marker byte, by the same replacements in the same order. Expanding the
// markers then gives the same text without searching. Empty when the
// template holds marker bytes itself.
std::string CompileTemplate(std::string_view templateText, const TemplateShape& shape);

// Fills in the placeholders one replacement after another: the reference
// way, and the one used where a compiled template would not be exact.
void FillTemplate(std::string& text, std::string_view templateText, const TemplateShape& shape,
                  const TemplateOperands& operands);

// The same text from the compiled template, appended to `text`.
void AppendCompiledTemplate(std::string& text, std::string_view compiled, const TemplateOperands& operands);

// True when the compiled form gives exactly what FillTemplate gives.
bool CompiledTemplateIsExact(const OpcodeTable& table, int index, char indexRegisterLetter);

}  // namespace bytegleaner::opcodes
