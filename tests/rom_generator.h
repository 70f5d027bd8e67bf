#pragma once

// Deterministic images for round-trip tests: every call with the same
// arguments returns the same bytes.

#include "opcodes/opcode_table.h"

#include <cstdint>
#include <vector>

namespace bytegleaner::testing {

// A cartridge as a game lays it out: reset code at $0000 calling and
// jumping into banks 0 to 2, RST and interrupt handlers, a dispatcher behind
// jp (hl) with its jump table, relative jumps across bank ends, and text,
// tables, tiles and zero runs between the routines. Banks from 3 on hold
// data only, as paged banks look to a tracer. Everything in it has a
// spelling that assembles back exactly, even without --rebuildable.
// Sizes from 1000 bytes.
std::vector<std::uint8_t> GameImage(std::int32_t size, std::uint32_t seed);

std::vector<std::uint8_t> RandomImage(std::int32_t size, std::uint32_t seed);

// Code from $0000 to the end, instruction after instruction, drawn from the
// whole table with random operands; calls and jumps lead back to earlier
// instruction starts, and now and then a jr skips a few random bytes.
std::vector<std::uint8_t> DenseCodeImage(const opcodes::OpcodeTable& table, std::int32_t size, std::uint32_t seed);

// Instructions cut by the ends of banks 0, 1 and 2 and by the image's end;
// bank 3 is reached through relative jumps only.
std::vector<std::uint8_t> BankStraddleImage();

struct PlacedForm {
  int TableIndex = 0;
  std::uint8_t IndexPrefix = 0;  // $DD or $FD on the index pages, else 0
  std::int32_t Offset = 0;
  bool HighOperands = false;  // displacement and immediates of $80 and up
};

// Every form the decoder can select, for both index prefixes, once with
// operands below $80 and once with operands from $80 up, all traced from
// $0000.
struct FormsImage {
  std::vector<std::uint8_t> Bytes;
  std::vector<PlacedForm> Forms;
};
FormsImage AllFormsImage(const opcodes::OpcodeTable& table);

// False for the table entries no byte sequence selects: the prefix bytes
// of the base page and DD CB, which leads to the index bit page.
bool IsSelectableForm(int tableIndex);

}  // namespace bytegleaner::testing
