#pragma once

// What the thorough source adds to the lines it writes: the hints'
// comments and text ranges, where each label is reached from, the
// cartridge header's block and the hardware that instructions reach.

#include "hints/hint.h"
#include "output/cross_references.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bytegleaner::analysis {
struct RomImage;
}
namespace bytegleaner::thorough {
struct Findings;
}

namespace bytegleaner::output {

struct SourceJob;
struct PagedWriter;

struct Refinements {
  std::vector<hints::Hint> Comments;    // in offset order, in the file's order at one offset
  std::vector<hints::Hint> TextRanges;  // in offset order
  std::vector<CrossReference> References;
  std::int32_t HeaderOffset = -1;  // where the cartridge header's block goes; -1: nowhere
};

// The header gets its block where its 16 bytes hold no code, no label but
// at its start, and no table or inline data.
Refinements RefinementsFor(const SourceJob& job, const thorough::Findings& findings,
                           std::span<const hints::Hint> hints);

// Writes what goes above the line at `offset` that covers `length` bytes:
// where its label is reached from, the hints' comments on those bytes, and
// its label line (unless the line writes its own).
void WriteLineHead(PagedWriter& writer, std::int32_t offset, std::int32_t length, bool withLabelLine = true);

// Whether a hint's comment waits for an offset before `end`.
[[nodiscard]] bool CommentBefore(const PagedWriter& writer, std::int32_t end);

// The first offset after `offset` at which a data stretch must end: a
// comment's, a text range's start or end, or the header's.
[[nodiscard]] std::int32_t NextRefinedStop(const PagedWriter& writer, std::int32_t offset);

// The text range the offset lies in, if any; the walk asks in rising order.
const hints::Hint* TextRangeAt(PagedWriter& writer, std::int32_t offset);

// Writes bytes as `.db` lines that open each run of printable characters
// with a string item.
void WriteTextLines(std::string& out, std::span<const std::uint8_t> bytes);

// Writes the header's block with the line head, and returns the offset
// after it.
std::int32_t WriteHeaderBlock(PagedWriter& writer, std::int32_t offset);

// " ; VDP control" for an instruction that reaches the console's hardware.
void AppendHardwareComment(std::string& out, const analysis::RomImage& rom, std::int32_t offset, std::int32_t length);

}  // namespace bytegleaner::output
