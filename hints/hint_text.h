#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bytegleaner::hints {

// An image offset as hints files write it: "$" and at least four upper-case
// hexadecimal digits ("$0148", "$14123").
std::string AddressText(std::int64_t offset);

// The text as a message quotes it: in double quotes, control characters as
// "?", cut after 40 characters with "...".
std::string Quoted(std::string_view text);

[[nodiscard]] constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
[[nodiscard]] constexpr bool IsControl(char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }
bool HasBlank(std::string_view text);
std::string_view Trimmed(std::string_view text);

// The first word of a trimmed text and the rest after it, trimmed.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text);

// Calls visit(line, number) for each line, numbered from 1. LF, CR LF and
// a lone CR each end a line, so files from any system read alike; a UTF-8
// byte order mark at the start is skipped.
template <typename Visit>
void ForEachLine(std::span<const std::uint8_t> bytes, Visit&& visit) {
  const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::size_t position = all.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  std::int32_t number = 0;
  while (position < all.size()) {
    const std::size_t end = std::min(all.find_first_of("\r\n", position), all.size());
    visit(all.substr(position, end - position), ++number);
    position = end + 1;
    if (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n') ++position;
  }
}

// Messages about a file's lines, kept in line order as "FILE:LINE: text".
// Past MaxErrorMessages they are only counted, and one line says how many.
struct LineMessages {
  static constexpr std::size_t MaxErrorMessages = 50;

  std::vector<std::pair<std::int32_t, std::string>> Kept;
  std::int64_t Dropped = 0;

  void Add(std::int32_t line, std::string text);
  [[nodiscard]] std::vector<std::string> Finish(std::string_view fileName);
};

}  // namespace bytegleaner::hints
