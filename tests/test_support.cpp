#include "tests/test_support.h"

#include <stdexcept>

namespace bytegleaner::testing {

opcodes::OpcodeTable MakeTable(const std::map<int, std::string>& templates) {
  opcodes::OpcodeTable table;
  for (const auto& [index, text] : templates) {
    opcodes::SetTemplate(table, index, text);
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

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace bytegleaner::testing {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "bytegleaner-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  Path = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::permissions(Path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(Path, error);
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace bytegleaner::testing
