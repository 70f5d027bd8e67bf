#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace bytegleaner::output {

// One byte item: "$" and exactly two hexadecimal digits.
void AppendByteItem(std::string& out, std::uint8_t byte);

// `.db` lines of byte items, 16 to a line, each line ended with CR LF.
void WriteByteDb(std::string& out, std::span<const std::uint8_t> bytes);

// `.db` lines that open with the stretch's leading printable bytes as one
// string item and write the rest as byte items. With endStringAtBackslash the
// string item also ends at a backslash, which the assembler would take as
// an escape.
void WriteTextDb(std::string& out, std::span<const std::uint8_t> bytes, bool endStringAtBackslash = false);

}  // namespace bytegleaner::output
