#pragma once

#include <cstdint>
#include <vector>

namespace bytegleaner::analysis {

inline constexpr std::int32_t BankSize = 0x4000;
inline constexpr int BankShift = 14;
// Bytes after the image that an instruction starting near its end may read.
// They are zero, so the output depends on the file alone.
inline constexpr std::int32_t SpareBytes = 5;

inline constexpr std::uint8_t CodeStart = 1;
inline constexpr std::uint8_t HasLabel = 2;

// The file's bytes followed by the spare bytes.
struct RomImage {
  std::vector<std::uint8_t> Bytes;
  std::int32_t RomSize = 0;

  [[nodiscard]] bool Contains(std::int32_t offset) const { return offset >= 0 && offset < RomSize; }
  [[nodiscard]] std::uint8_t ByteAt(std::int32_t offset) const { return Bytes[static_cast<std::size_t>(offset)]; }
  [[nodiscard]] std::uint16_t WordAt(std::int32_t offset) const {
    return static_cast<std::uint16_t>(ByteAt(offset) | (ByteAt(offset + 1) << 8));
  }
};

// One flag byte per image byte plus the spare bytes.
using AnalysisMap = std::vector<std::uint8_t>;

}  // namespace bytegleaner::analysis
