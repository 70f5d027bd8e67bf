#pragma once

#include <cstdint>
#include <string>

namespace bytegleaner::text {

// Every number the program writes is upper-case hexadecimal or decimal
// without leading zeros; only the `.db` byte item pads (to two digits).
void AppendHex(std::string& text, std::uint32_t value);
// "$" and the hexadecimal digits: a number as instruction operands show it.
void AppendDollarHex(std::string& text, std::uint32_t value);
void AppendDecimal(std::string& text, std::int64_t value);
void AppendHexByte(std::string& text, std::uint8_t value);

std::string HexText(std::uint32_t value);

// The same digits written at `out`, for text built in a buffer; returns the
// end of what was written (at most 8 characters, or 10 for decimal).
char* FormatHex(char* out, std::uint32_t value);
char* FormatDecimal(char* out, std::uint32_t value);
std::string DecimalText(std::int64_t value);

}  // namespace bytegleaner::text
