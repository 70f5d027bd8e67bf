// Reads arbitrary bytes as an instruction table, then decodes every entry
// it filled, alone at the image's start so that its operands lie past the
// end. A damaged table may make nonsense text, but the decoder must stay
// inside the image and the table whatever the templates ask for.
#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "opcodes/opcode_table.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bytegleaner;
  // Fresh each time: entries past the last line keep what was there before.
  const auto table = std::make_unique<opcodes::OpcodeTable>();
  opcodes::ReadOpcodeTable(std::span<const std::uint8_t>(data, size), *table);
  analysis::Examination examination;
  opcodes::DecodedInstruction decoded;
  for (int index = 0; index < opcodes::OpcodeTableSize; ++index) {
    if (table->Templates[static_cast<std::size_t>(index)].empty()) continue;
    const auto op = static_cast<std::uint8_t>(index);
    const std::vector<std::uint8_t> pages[] = {{op}, {0xCB, op}, {0xED, op}, {0xDD, op}, {0xFD, 0xCB, 0x7F, op}};
    analysis::LoadRom(examination, pages[index >> 8]);
    analysis::AddLabel(examination, 0);
    opcodes::DecodeInstruction(*table, examination, 0, decoded);
    // Prefixes, displacement, word operand and word target: never more. No
    // byte sequence selects the prefixes' own entries or DD CB.
    const bool selectable = index != 0xCB && index != 0xDD && index != 0xED && index != 0xFD && index != 0x3CB;
    if (decoded.Length < 1 || decoded.Length > 8 || (selectable && decoded.TableIndex != index)) std::abort();
  }
  return 0;
}
