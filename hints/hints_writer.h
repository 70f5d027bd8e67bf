#pragma once

#include "hints/hint.h"

#include <span>
#include <string>
#include <string_view>

namespace bytegleaner::hints {

// One decision of the analysis with why it was taken ("jump table used at
// $0148"); the hint's Line is not used.
struct Decision {
  Hint What;
  std::string Why;
};

// The hints file beside a ROM: its path with ".hints" added.
std::string HintsPathFor(const std::string& romPath);

// A hints file holding the decisions in the order given, one line each with
// its reason as a remark (a comment hint's reason goes on the line above,
// as its text runs to the line's end), under a few lines explaining the
// format. Lines end with CR LF like the program's other files. A name must
// pass WhyNotAName for the file to read back; control characters other
// than tabs become blanks.
std::string HintsFileText(std::span<const Decision> decisions, std::string_view romName);

enum class HintsFileStatus : std::uint8_t { Written, AlreadyExists, CannotCreate, WriteFailed };

// Writes the text as a new file; an existing file (or anything else of
// that name) is replaced only when `replace` is set.
HintsFileStatus WriteHintsFile(const std::string& path, std::string_view text, bool replace);

// What to tell the user; for AlreadyExists it names the --force switch.
std::string HintsFileMessage(HintsFileStatus status, const std::string& path);

}  // namespace bytegleaner::hints
