#pragma once

#include "analysis/examination.h"
#include "opcodes/opcode_table.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace bytegleaner::testing {

// A table whose entries are empty except the given ones, so that a test
// states exactly the templates it relies on.
opcodes::OpcodeTable MakeTable(const std::map<int, std::string>& templates);

// The instruction table shipped with the program.
const opcodes::OpcodeTable& ShippedTable();
std::string ShippedTablePath();

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values);

// An examination of the given bytes placed at offset 0, padded with zeros to size.
analysis::Examination ExaminationOf(std::vector<std::uint8_t> bytes, std::size_t size = 0);

}  // namespace bytegleaner::testing

namespace bytegleaner::testing {

// A fresh folder under the system's temporary folder, removed afterwards.
struct TempFolder {
  std::string Path;
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  [[nodiscard]] std::string File(const std::string& name) const { return Path + "/" + name; }
};

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
void WriteFile(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);

// Status lines and error boxes as a front end would show them.
struct RecordedMessages {
  std::vector<std::string> StatusLines;
  std::vector<std::string> Errors;
  std::vector<std::string> Events;  // every call, in order, for ordering checks
};

}  // namespace bytegleaner::testing
