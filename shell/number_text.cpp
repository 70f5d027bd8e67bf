#include "shell/number_text.h"

#include <array>
#include <bit>
#include <charconv>

namespace bytegleaner::shell {

namespace {
constexpr char HexDigits[] = "0123456789ABCDEF";
}

void AppendHex(std::string& text, std::uint32_t value) {
  const int digits = value == 0 ? 1 : (std::bit_width(value) + 3) / 4;
  std::array<char, 8> buffer{};
  for (int i = digits - 1; i >= 0; --i, value >>= 4) buffer[static_cast<std::size_t>(i)] = HexDigits[value & 0xF];
  text.append(buffer.data(), static_cast<std::size_t>(digits));
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
