// Reads arbitrary bytes as an instruction table, then decodes with it. A
// damaged table may make nonsense text, but the decoder must stay inside the
// image and the table whatever the templates ask for.
#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "opcodes/opcode_table.h"
#include "opcodes/template_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace bytegleaner;

// Instructions of every page, a relative jump to the image's start and an
// index bit instruction cut off by the image's end.
constexpr std::array<std::uint8_t, 24> FixedImage = {
    0x00, 0x3E, 0x12, 0xC3, 0x34, 0x12, 0x18, 0xF8, 0xCB, 0x47, 0xED, 0xB0,
    0xDD, 0x7E, 0x05, 0xFD, 0xCB, 0x03, 0xC6, 0xDD, 0xE9, 0x10, 0xFD, 0xCB,
};

// Prefix bytes never reach their own base page entry, and DD CB always
// leads to the index bit page.
bool Reachable(int index) {
  switch (index) {
    case opcodes::BasePage + 0xCB:
    case opcodes::BasePage + 0xDD:
    case opcodes::BasePage + 0xED:
    case opcodes::BasePage + 0xFD:
    case opcodes::IndexPage + 0xCB: return false;
    default: return true;
  }
}

// The bytes that select a table entry: its prefixes, then the opcode.
std::vector<std::uint8_t> BytesOfEntry(int index) {
  const auto opcode = static_cast<std::uint8_t>(index & 0xFF);
  switch (index & ~0xFF) {
    case opcodes::CbPage: return {0xCB, opcode};
    case opcodes::EdPage: return {0xED, opcode};
    case opcodes::IndexPage: return {0xDD, opcode};
    case opcodes::IndexBitPage: return {0xFD, 0xCB, 0x7F, opcode};
    default: return {opcode};
  }
}

void Check(bool holds) {
  if (!holds) std::abort();
}

void DecodeAt(const opcodes::OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset,
              opcodes::DecodedInstruction& decoded) {
  opcodes::DecodeInstruction(table, examination, offset, decoded);
  // Prefixes, displacement, word operand and word target: never more.
  Check(decoded.Length >= 1 && decoded.Length <= 8);
  Check(decoded.TableIndex >= 0 && decoded.TableIndex < opcodes::OpcodeTableSize);
}

// Where the decoder takes the compiled shortcut, it must give the text that
// filling in the placeholders one by one gives, whatever the template holds.
void CheckCompiledAgreesWithFilling(const opcodes::OpcodeTable& table, int index) {
  const auto at = static_cast<std::size_t>(index);
  std::string filled, expanded;
  // 'y' takes the same path as 'x'.
  for (const char letter : {'\0', 'x'}) {
    if (!opcodes::CompiledTemplateIsExact(table, index, letter)) continue;
    for (const std::string_view target : {"$7F", "_IRQ_HANDLER"}) {
      const opcodes::TemplateOperands operands{letter, 0x85, 0x1234, target};
      opcodes::FillTemplate(filled, table.Templates[at], table.Shapes[at], operands);
      expanded.clear();
      opcodes::AppendCompiledTemplate(expanded, table.Compiled[at], operands);
      Check(filled == expanded);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Fresh each time: entries past the last line keep what was there before.
  const auto table = std::make_unique<opcodes::OpcodeTable>();
  opcodes::ReadOpcodeTable(std::span<const std::uint8_t>(data, size), *table);

  analysis::Examination examination;
  opcodes::DecodedInstruction decoded;
  analysis::LoadRom(examination, FixedImage);
  analysis::AddLabel(examination, 0);
  for (std::int32_t offset = 0; offset < examination.Rom.RomSize; ++offset) DecodeAt(*table, examination, offset, decoded);

  // Every entry the bytes filled, placed so its operands lie past the end:
  // the worst case for reading beyond the image.
  for (int index = 0; index < opcodes::OpcodeTableSize; ++index) {
    if (!Reachable(index) || table->Templates[static_cast<std::size_t>(index)].empty()) continue;
    const std::vector<std::uint8_t> image = BytesOfEntry(index);
    analysis::LoadRom(examination, image);
    DecodeAt(*table, examination, 0, decoded);
    Check(decoded.TableIndex == index);
    CheckCompiledAgreesWithFilling(*table, index);
  }
  return 0;
}
