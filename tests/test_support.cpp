#include "tests/test_support.h"

#include <stdexcept>

namespace bytegleaner::testing {

opcodes::OpcodeTable MakeTable(const std::map<int, std::string>& templates) {
  opcodes::OpcodeTable table;
  for (const auto& [index, text] : templates) {
    table.Templates.at(static_cast<std::size_t>(index)) = text;
    table.Shapes.at(static_cast<std::size_t>(index)) = opcodes::ShapeOfTemplate(text);
  }
  return table;
}

std::string ShippedTablePath() { return std::string(BYTEGLEANER_SOURCE_DIR) + "/opcodes/opcodes.dat"; }

const opcodes::OpcodeTable& ShippedTable() {
  static const opcodes::OpcodeTable table = [] {
    opcodes::OpcodeTable loaded;
    if (opcodes::LoadOpcodeTableFrom(ShippedTablePath(), loaded) != opcodes::OpcodeTableStatus::Loaded) {
      throw std::runtime_error("the shipped opcodes.dat does not load");
    }
    return loaded;
  }();
  return table;
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> bytes;
  for (const int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
  return bytes;
}

analysis::Examination ExaminationOf(std::vector<std::uint8_t> bytes, std::size_t size) {
  if (bytes.size() < size) bytes.resize(size, 0);
  analysis::Examination examination;
  analysis::LoadRom(examination, bytes);
  return examination;
}

}  // namespace bytegleaner::testing
