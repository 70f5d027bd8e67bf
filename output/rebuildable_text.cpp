#include "output/rebuildable_text.h"

#include "shell/number_text.h"

#include <charconv>
#include <string_view>

namespace bytegleaner::output {

std::int32_t AssembledAddress(std::int32_t offset) {
  return offset < 0xC000 ? offset : 0x8000 + (offset & 0x3FFF);
}

bool LabelReferenceAssemblesExactly(bool relative, std::int32_t from, std::int32_t to) {
  if (!relative) return AssembledAddress(to) == to;
  return AssembledAddress(to) - AssembledAddress(from) == to - from;
}

void SignIndexDisplacements(std::string& text) {
  for (const std::string_view indexed : {"(ix+$", "(iy+$"}) {
    std::size_t at = 0;
    while ((at = text.find(indexed, at)) != std::string::npos) {
      const std::size_t digits = at + indexed.size();
      unsigned value = 0;
      const auto parsed = std::from_chars(text.data() + digits, text.data() + text.size(), value, 16);
      if (parsed.ec == std::errc{} && value >= 0x80 && value <= 0xFF) {
        std::string replacement = "-$";
        shell::AppendHex(replacement, 0x100 - value);
        text.replace(at + 3, static_cast<std::size_t>(parsed.ptr - text.data()) - (at + 3), replacement);
      }
      at = digits;
    }
  }
}

bool HasNoExactSpelling(std::uint8_t firstByte, int tableIndex) {
  (void)firstByte;
  (void)tableIndex;
  return false;
}

}  // namespace bytegleaner::output
