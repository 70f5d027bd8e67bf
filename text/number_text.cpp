#include "text/number_text.h"

#include <array>
#include <bit>
#include <charconv>

namespace bytegleaner::text {

namespace {
constexpr char HexDigits[] = "0123456789ABCDEF";
}

char* FormatHex(char* out, std::uint32_t value) {
  const int digits = value == 0 ? 1 : (std::bit_width(value) + 3) / 4;
  for (int i = digits - 1; i >= 0; --i, value >>= 4) out[i] = HexDigits[value & 0xF];
  return out + digits;
}

char* FormatDecimal(char* out, std::uint32_t value) { return std::to_chars(out, out + 10, value).ptr; }

void AppendHex(std::string& text, std::uint32_t value) {
  std::array<char, 8> buffer;  // only what FormatHex writes is read
  text.append(buffer.data(), FormatHex(buffer.data(), value));
}

void AppendDollarHex(std::string& text, std::uint32_t value) {
  text += '$';
  AppendHex(text, value);
}

void AppendDecimal(std::string& text, std::int64_t value) {
  std::array<char, 24> buffer;  // only what to_chars writes is read
  // Every count the program writes fits 32 bits, whose conversion is faster.
  const auto result = value >= 0 && value <= UINT32_MAX
                          ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<std::uint32_t>(value))
                          : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
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

}  // namespace bytegleaner::text
