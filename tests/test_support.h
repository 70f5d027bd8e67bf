#pragma once

#include "opcodes/opcode_table.h"

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace bytegleaner::testing {

using ByteVector = std::vector<std::uint8_t>;

inline std::string ShippedTablePath() { return BYTEGLEANER_SOURCE_DIR "/opcodes/opcodes.dat"; }
const opcodes::OpcodeTable& ShippedTable();
inline ByteVector Bytes(std::initializer_list<int> values) { return {values.begin(), values.end()}; }

// `size` zero bytes shaped by a description: "@3FFE" moves to an offset,
// "C3" places a byte, "11*20" twenty of them. What falls past the end is
// left out, so one description serves every size.
ByteVector Image(std::size_t size, std::string_view description);

// A fresh folder under the system's temporary folder, removed afterwards.
struct TempFolder {
  std::string Path;
  TempFolder();
  ~TempFolder();
  [[nodiscard]] std::string File(const std::string& name) const { return Path + "/" + name; }
};

inline void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
inline void WriteFile(const std::string& path, const ByteVector& bytes) { WriteFile(path, std::string(bytes.begin(), bytes.end())); }
inline std::string ReadText(const std::string& path) { return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}}; }

struct Ran {
  int Status = -1;
  std::string Out, Err;  // standard output and error
};
// Runs a shell command in a folder, without input.
Ran RunShell(const std::string& folder, const std::string& command);
std::string Quoted(const std::string& text);

// `text` with every `from` replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to);
// How the golden files show a data file written from `image` at `start`:
// its size, and whether its bytes are the image's own there.
std::string DataFileSeen(const std::string& name, const std::string& text, const std::string& image, std::size_t start);

}  // namespace bytegleaner::testing
