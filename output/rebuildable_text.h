#pragma once

#include <cstdint>
#include <string>

namespace bytegleaner::output {

// Where the usual instruction text would assemble to other bytes, these
// say how to write it so that it assembles back exactly.

// The address at which the assembler places an image offset: banks 0 to 2
// sit in their own slots, every later bank in slot 2.
std::int32_t AssembledAddress(std::int32_t offset);

// True when a reference from the instruction at `from` to a label at `to`
// assembles to the operand the image holds.
bool LabelReferenceAssemblesExactly(bool relative, std::int32_t from, std::int32_t to);

// "(ix+$FE)" becomes "(ix-$2)": the assembler takes displacements signed.
void SignIndexDisplacements(std::string& text);

// Encodings the assembler writes differently or cannot write at all, by the
// instruction's first byte and table index.
bool HasNoExactSpelling(std::uint8_t firstByte, int tableIndex);

}  // namespace bytegleaner::output
