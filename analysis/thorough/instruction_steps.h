#pragma once

#include <cstdint>
#include <optional>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::thorough {

// What the recognizers need to know of one instruction, read from its
// template so that the instruction table stays the one place that says
// what each byte sequence is.
enum class Mnemonic : std::uint8_t {
  Other, Ld, Add, Adc, Sub, Sbc, And, Xor, Or, Cp, Inc, Dec, Push, Pop, Ex, Exx,
  Jp, Jr, Call, Ret, Reti, Retn, Rst, Djnz, Rlca, Rla, Sla, Rl, Ldi, Ldir, Out, In,
  Nop, Halt, Di, Ei, Im, Scf, Ccf, Bit, Set, Res,
};

enum class OperandKind : std::uint8_t {
  None,
  Register,   // Code: 0 b, 1 c, 2 d, 3 e, 4 h, 5 l, 7 a
  Pair,       // Code: a PairCode
  Memory,     // through a pair: (bc), (de), (hl), (sp), (ix), (iy)
  Indexed,    // (ix+d), (iy+d)
  Absolute,   // (nn)
  Port,       // (n)
  Immediate,  // n or nn
  Condition,  // Code: 0 nz, 1 z, 2 nc, 3 c, 4 po, 5 pe, 6 p, 7 m
  Target,     // a jump's or call's destination
  IndexHalf,  // ixh, ixl, iyh, iyl: Code names the pair
  Other,
};

enum PairCode : std::uint8_t { PairBC, PairDE, PairHL, PairSP, PairAF, PairIX, PairIY, PairAF2 };
inline constexpr std::uint8_t RegisterA = 7;
inline constexpr std::uint8_t ConditionNC = 2;
inline constexpr std::uint8_t ConditionC = 3;
inline constexpr std::uint8_t ConditionNZ = 0;
inline constexpr std::uint8_t ConditionZ = 1;
inline constexpr std::uint8_t ConditionPO = 4;
inline constexpr std::uint8_t ConditionPE = 5;

struct Operand {
  OperandKind Kind = OperandKind::None;
  std::uint8_t Code = 0;
};

struct Step {
  std::int32_t Offset = 0;
  std::int32_t Length = 0;
  std::int32_t TableIndex = 0;
  Mnemonic Op = Mnemonic::Other;
  Operand First;
  Operand Second;
  std::uint16_t Value = 0;          // the immediate, absolute address or port
  std::int8_t Displacement = 0;     // of an indexed operand
  std::int32_t Target = 0;          // an image offset for jr/djnz, an address for jp/call/rst
  bool RelativeTarget = false;
  bool Documented = true;           // false for undocumented forms and byte lists
};

// Reads the instruction at an image offset inside the image.
Step ReadStep(const opcodes::OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset);

// The traced instruction that ends where `offset` begins, if any.
std::optional<std::int32_t> PreviousTracedStart(const opcodes::OpcodeTable& table,
                                                const analysis::Examination& examination, std::int32_t offset);

// True when a traced instruction starts before `offset` and covers it.
bool InsideTracedInstruction(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                             std::int32_t offset);

// The image offset the code at `fromOffset` reaches at a CPU address, with
// the banks where the cartridge's mapper puts them at power-on, except that
// a bank paged into slot 2 calls within itself; -1 outside the image.
std::int32_t OffsetOfAddress(const analysis::Examination& examination, std::int32_t fromOffset,
                             std::uint16_t address);

// A jump, jump through a register, or return that always leaves: what
// follows it is not reached from it.
bool EndsRun(const Step& step);

// The step is a branch on a condition (jr cc, jp cc, ret cc, call cc, djnz).
bool IsConditional(const Step& step);

}  // namespace bytegleaner::thorough
