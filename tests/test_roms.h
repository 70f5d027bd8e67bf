#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bytegleaner::testing {

// A label of a test cartridge's symbol file at its image offset. Labels
// that start with "Data" mark data, "Unused" code nothing reaches; the
// others mark code.
struct RomLabel {
  std::string Name;
  std::int32_t Offset = 0;
  [[nodiscard]] bool IsData() const { return Name.starts_with("Data"); }
  [[nodiscard]] bool IsCode() const { return !IsData() && !Name.starts_with("Unused"); }
};

struct TestRom {
  std::vector<std::uint8_t> Image;
  std::vector<RomLabel> Labels;  // in offset order
  std::string Failure;           // what the tools said when they failed
  [[nodiscard]] std::int32_t OffsetOf(const std::string& name) const;
};

// tests/roms/<name>.s assembled and linked with its symbol file, once per run.
const TestRom& AssembledTestRom(const std::string& name);

}  // namespace bytegleaner::testing
