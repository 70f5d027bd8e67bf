#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace bytegleaner::text {

// Longest line the program handles; longer lines keep their first
// MaxLineLength bytes and the rest of the line is skipped.
inline constexpr std::size_t MaxLineLength = 4999;

// Reads 8-bit text lines by the program's one line rule: a CR ends a line
// and the byte after it is dropped whatever it is, a 0 byte ends a line,
// the end of the bytes ends the last line, and LF alone stays in the text.
struct LineReader {
  std::span<const std::uint8_t> Bytes;
  std::size_t Position = 0;

  [[nodiscard]] bool AtEnd() const { return Position >= Bytes.size(); }
  std::string ReadLine();
};

}  // namespace bytegleaner::text
