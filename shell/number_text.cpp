#include "shell/number_text.h"

#include <array>
#include <charconv>

namespace bytegleaner::shell {

namespace {
constexpr char HexDigits[] = "0123456789ABCDEF";
}

void AppendHex(std::string& text, std::uint32_t value) {
  std::array<char, 8> digits{};
  std::size_t count = 0;
  do {
    digits[count++] = HexDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  while (count > 0) text.push_back(digits[--count]);
}

void AppendDecimal(std::string& text, std::int64_t value) {
  std::array<char, 24> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  text.append(buffer.data(), result.ptr);
}

void AppendHexByte(std::string& text, std::uint8_t value) {
  text.push_back(HexDigits[value >> 4]);
  text.push_back(HexDigits[value & 0xF]);
}

std::string HexText(std::uint32_t value) {
  std::string text;
  AppendHex(text, value);
  return text;
}

std::string DecimalText(std::int64_t value) {
  std::string text;
  AppendDecimal(text, value);
  return text;
}

}  // namespace bytegleaner::shell
