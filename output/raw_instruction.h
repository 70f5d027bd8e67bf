#pragma once

#include <cstdint>
#include <string>

namespace bytegleaner::analysis {
struct RomImage;
}
namespace bytegleaner::opcodes {
struct DecodedInstruction;
}

namespace bytegleaner::output {

// ret, jp, jr, jp (hl), retn and reti: an empty line follows them.
bool EndsStraightRun(const opcodes::DecodedInstruction& decoded);

// Instruction bytes as one `.db` line with the instruction's text as a
// comment, for bytes the walk cannot or should not write as an instruction.
void WriteRawInstruction(std::string& out, const analysis::RomImage& rom, std::int32_t offset, std::int32_t length,
                         const std::string& text);

}  // namespace bytegleaner::output
