#include "output/rebuildable_text.h"

#include "opcodes/opcode_table.h"
#include "text/number_text.h"

#include <array>
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
        text::AppendHex(replacement, 0x100 - value);
        text.replace(at + 3, static_cast<std::size_t>(parsed.ptr - text.data()) - (at + 3), replacement);
      }
      at = digits;
    }
  }
}

namespace {

// One mark per entry of a table page, sixteen to a row by the low digit of
// the opcode: 'x' has no exact spelling, 'f' has none behind $FD only (a
// byte list can name the prefix only as $DD), '.' assembles exactly.
// Measured entry by entry with WLA DX 10.8a.
struct PageSpellings {
  int Base;
  std::string_view Marks;
};

// ld (nn),hl and ld hl,(nn) have shorter twins (22, 2A); the mirrors of
// neg, retn and im come out as their documented encodings.
constexpr std::string_view EdPageMarks =
    "................"  // 0
    "................"  // 1
    "................"  // 2
    "................"  // 3
    "............x.x."  // 4
    "....xx......xx.."  // 5
    "...xxxx....xxxx."  // 6
    "....xxx.....xxx."  // 7
    "................"  // 8
    "................"  // 9
    "................"  // A
    "................"  // B
    "................"  // C
    "................"  // D
    "................"  // E
    "................";  // F

// A prefix without effect: the text is the base instruction and a comment,
// so the prefix byte is lost.
constexpr std::string_view IndexPageMarks =
    "xxxxxxxxx.xxxxxx"  // 0
    "xxxxxxxxx.xxxxxx"  // 1
    "x......xx......x"  // 2
    "xxxx...xx.xxxxxx"  // 3
    "xxxx...xxxxx...x"  // 4
    "xxxx...xxxxx...x"  // 5
    "................"  // 6
    "......x.xxxx...x"  // 7
    "xxxx...xxxxx...x"  // 8
    "xxxx...xxxxx...x"  // 9
    "xxxx...xxxxx...x"  // A
    "xxxx...xxxxx...x"  // B
    "xxxxxxxxxxx.xxxx"  // C
    "xxxxxxxxxxxxxfxx"  // D
    "x.x.x.xxx.xxxfxx"  // E
    "xxxxxxxxx.xxxfxx";  // F

// bit n,(ix+d) has no form naming a register; it assembles as the one
// with register field 6.
constexpr std::string_view IndexBitPageMarks =
    "................"  // 0
    "................"  // 1
    "................"  // 2
    "................"  // 3
    "xxxxxx.xxxxxxx.x"  // 4
    "xxxxxx.xxxxxxx.x"  // 5
    "xxxxxx.xxxxxxx.x"  // 6
    "xxxxxx.xxxxxxx.x"  // 7
    "................"  // 8
    "................"  // 9
    "................"  // A
    "................"  // B
    "................"  // C
    "................"  // D
    "................"  // E
    "................";  // F

constexpr std::array<PageSpellings, 3> InexactPages = {{
    {opcodes::EdPage, EdPageMarks},
    {opcodes::IndexPage, IndexPageMarks},
    {opcodes::IndexBitPage, IndexBitPageMarks},
}};
static_assert(EdPageMarks.size() == 256 && IndexPageMarks.size() == 256 && IndexBitPageMarks.size() == 256);

}  // namespace

bool HasNoExactSpelling(std::uint8_t firstByte, int tableIndex) {
  for (const PageSpellings& page : InexactPages) {
    if (tableIndex < page.Base || tableIndex >= page.Base + 0x100) continue;
    const char mark = page.Marks[static_cast<std::size_t>(tableIndex - page.Base)];
    return mark == 'x' || (mark == 'f' && firstByte == 0xFD);
  }
  return false;
}

}  // namespace bytegleaner::output
