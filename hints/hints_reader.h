#pragma once

#include "hints/hint.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bytegleaner::hints {

// A hints file read against an image. Error messages have the form
// "FILE:LINE: what is wrong" and come in line order, at most 50 and then
// "FILE: N more errors"; the hints are used only when there are none.
struct HintsReading {
  std::vector<Hint> Hints;  // the good lines' hints, in file order
  std::int32_t LineCount = 0;
  std::vector<std::string> Errors;
};

// Reads a hints file's bytes: lines end with LF, CR LF or CR; blank lines
// and lines whose first non-blank character is ";" or "#" are skipped; a
// ";" after a hint (except a comment hint, whose text runs to the line's
// end) starts a remark. Addresses are $hhhh (an image offset) or B:$hhhh
// (decimal bank B at an address in any slot, $0000-$BFFF), and must lie in
// the image of romSize bytes. `fileName` heads every message.
HintsReading ReadHints(std::span<const std::uint8_t> fileBytes, std::string_view fileName, std::int32_t romSize);

// The same for a file; nothing when it cannot be read.
std::optional<HintsReading> ReadHintsFile(const std::string& path, std::int32_t romSize);

// The status line for a file read: "Hints read from PATH: 12 lines, 9 hints".
std::string HintsReadMessage(std::string_view path, const HintsReading& reading);

// Why `name` cannot be a label the user names: empty when it can. A name
// is letters, digits and "_", begins with a letter (the program's own
// labels begin with "_"), is at most 255 characters and is no register or
// condition name, which WLA DX would read as one in an operand.
std::string WhyNotAName(std::string_view name);

// The start of the traced instruction whose bytes include an offset, or -1.
using TracedInstructionAt = std::function<std::int32_t(std::int32_t offset)>;

// After tracing from the code hints: messages for the data, words and text
// ranges that overlap a traced instruction, in the reader's format. Looks
// at each offset inside the ranges once.
std::vector<std::string> CheckRangesAgainstCode(std::span<const Hint> hints, std::string_view fileName,
                                                const TracedInstructionAt& instructionAt);

}  // namespace bytegleaner::hints
