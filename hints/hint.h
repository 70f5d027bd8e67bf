#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace bytegleaner::hints {

// What a hints file can say about the image, one hint a line.
enum class HintKind : std::uint8_t {
  Code,     // an entry point to trace from
  Data,     // bytes that are data even where something points at them as code
  Words,    // a table of 16-bit code addresses
  Text,     // bytes to write as text where the format allows
  Name,     // the label's name at an address
  Comment,  // a comment line above the line at an address
};
inline constexpr std::size_t HintKindCount = 6;

// The hints' words as a file spells them, in HintKind order.
inline constexpr std::array<std::string_view, HintKindCount> HintWords{"code", "data", "words",
                                                                       "text", "name", "comment"};

[[nodiscard]] constexpr std::string_view HintWord(HintKind kind) { return HintWords[static_cast<std::size_t>(kind)]; }

[[nodiscard]] constexpr bool IsRangeHint(HintKind kind) {
  return kind == HintKind::Data || kind == HintKind::Words || kind == HintKind::Text;
}

// One hint with its addresses as image offsets. A range holds First to
// Last, both included; a hint at one address has First == Last.
struct Hint {
  HintKind Kind = HintKind::Code;
  std::int32_t First = 0;
  std::int32_t Last = 0;
  std::string Text;      // the name, or the comment's text
  std::int32_t Line = 0;  // in the file it was read from; 0 for one the program made
};

}  // namespace bytegleaner::hints
