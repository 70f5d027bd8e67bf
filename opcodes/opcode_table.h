#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace bytegleaner::opcodes {

inline constexpr int OpcodeTableSize = 1280;
inline constexpr int TemplateColumnStart = 8;  // zero-based column 9
inline constexpr int TemplateColumnWidth = 25;

// Page bases of the table: one index page and one index bit page serve both
// index registers.
inline constexpr int BasePage = 0x000;
inline constexpr int CbPage = 0x100;
inline constexpr int EdPage = 0x200;
inline constexpr int IndexPage = 0x300;
inline constexpr int IndexBitPage = 0x400;

// What a template's placeholders ask of the decoder. Worked out once when
// the table is read, so the tracer can measure an instruction without
// building its text.
struct TemplateShape {
  bool HasIndexedOperand = false;  // "(i?)"
  bool HasWord = false;            // "##"
  bool HasByte = false;            // "#" without "##"
  bool HasAbsoluteTarget = false;  // "*"
  bool HasRelativeTarget = false;  // "+" without "*"
  bool NamesRegister = false;      // "i?" or "I?"
};

struct OpcodeTable {
  std::array<std::string, OpcodeTableSize> Templates;
  std::array<TemplateShape, OpcodeTableSize> Shapes;
  // Each template with its placeholders turned into marker bytes (see
  // template_text.h); empty where the template cannot be compiled.
  std::array<std::string, OpcodeTableSize> Compiled;
};

TemplateShape ShapeOfTemplate(std::string_view templateText);

// Stores a template with its shape and compiled form.
void SetTemplate(OpcodeTable& table, int index, std::string templateText);

enum class OpcodeTableStatus { Loaded, CannotOpen, TooFewEntries };

// Fills the table from the bytes of an instruction table file; entries past
// the last entry line read stay empty.
OpcodeTableStatus ReadOpcodeTable(std::span<const std::uint8_t> fileBytes, OpcodeTable& table);

// Reads an instruction table file ("opcodes.dat" in the program's folder).
OpcodeTableStatus LoadOpcodeTableFrom(const std::string& path, OpcodeTable& table);

std::string_view OpcodeTableMessage(OpcodeTableStatus status);

}  // namespace bytegleaner::opcodes
