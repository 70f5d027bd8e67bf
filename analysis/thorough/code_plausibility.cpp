#include "analysis/thorough/code_plausibility.h"

#include "analysis/examination.h"
#include "analysis/thorough/instruction_steps.h"
#include "opcodes/opcode_table.h"

#include <algorithm>
#include <array>
#include <vector>

namespace bytegleaner::thorough {

namespace {

using analysis::BankSize;
using analysis::CodeStart;

// Measured on the test cartridges: their routines end within 40
// instructions; longer straight runs are mostly data that happens to decode.
constexpr std::int32_t MaxInstructions = 64;
constexpr std::int32_t MaxBytes = 256;
constexpr std::int32_t FirstRamAddress = 0xC000;
constexpr std::int32_t LongestPrintableRun = 8;
constexpr std::int32_t LongestRepeat = 5;
constexpr std::int32_t LongestFillRun = 3;  // of $00 or $FF

bool IsTraced(const analysis::Examination& examination, std::int32_t offset) {
  return (examination.Map[static_cast<std::size_t>(offset)] & CodeStart) != 0;
}

// The ports a Master System or Game Gear program talks to: the Game Gear's
// own, the sound chip and VDP counters, the VDP, the pads and the FM unit.
bool IsKnownPort(std::uint16_t port) {
  return port <= 0x06 || port == 0x3E || port == 0x3F || port == 0x7E || port == 0x7F || port == 0xBE ||
         port == 0xBF || port == 0xC0 || port == 0xC1 || port == 0xDC || port == 0xDD || port == 0xDE ||
         port == 0xDF || (port >= 0xF0 && port <= 0xF2);
}

// Writes to ROM addresses only make sense as mapper writes, which some
// cartridges take at the start of each slot.
bool IsWritableAddress(std::uint16_t address) {
  return address >= FirstRamAddress || address == 0x0000 || address == 0x4000 || address == 0x8000;
}

bool IsPlausibleStep(const opcodes::OpcodeTable& table, const analysis::Examination& examination, const Step& step,
                     bool first) {
  if (!step.Documented) return false;
  const Operand& to = step.First;
  const Operand& from = step.Second;
  switch (step.Op) {
    case Mnemonic::Ld:
      if (to.Kind == OperandKind::Register && from.Kind == OperandKind::Register && to.Code == from.Code) return false;
      if (to.Kind == OperandKind::Absolute && !IsWritableAddress(step.Value)) return false;
      if (to.Kind == OperandKind::Pair && to.Code == PairSP && from.Kind == OperandKind::Immediate) {
        return step.Value >= FirstRamAddress;
      }
      return true;
    case Mnemonic::Nop:
    case Mnemonic::Halt: return !first;
    case Mnemonic::Rst: return step.Target != 0x00 && step.Target != 0x38;
    case Mnemonic::Out: return to.Kind != OperandKind::Port || IsKnownPort(step.Value);
    case Mnemonic::In: return from.Kind != OperandKind::Port || IsKnownPort(step.Value);
    case Mnemonic::Im: return step.TableIndex == opcodes::EdPage + 0x56;  // im 1, the only mode the console uses
    case Mnemonic::Jp:
    case Mnemonic::Call: {
      if (step.RelativeTarget || to.Kind == OperandKind::Memory) return true;
      if (step.Target >= FirstRamAddress) return false;
      const std::int32_t target = OffsetOfAddress(examination, step.Offset, static_cast<std::uint16_t>(step.Target));
      return target >= 0 && !InsideTracedInstruction(table, examination, target);
    }
    default: return true;
  }
}

// Text, tiles and fill bytes decode too; their shape gives them away.
bool IsShapedLikeData(const analysis::RomImage& rom, std::int32_t start, std::int32_t end) {
  std::int32_t printable = 0;
  std::int32_t repeat = 0;
  for (std::int32_t at = start; at < end; ++at) {
    const std::uint8_t byte = rom.ByteAt(at);
    printable = byte >= 0x20 && byte < 0x7F ? printable + 1 : 0;
    repeat = at > start && rom.ByteAt(at - 1) == byte ? repeat + 1 : 1;
    if (printable >= LongestPrintableRun || repeat >= LongestRepeat) return true;
    if ((byte == 0x00 || byte == 0xFF) && repeat >= LongestFillRun) return true;
  }
  return false;
}

}  // namespace

bool LooksLikeCode(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                   std::int32_t offset) {
  const analysis::RomImage& rom = examination.Rom;
  if (!rom.Contains(offset)) return false;
  if (IsTraced(examination, offset)) return true;
  if (InsideTracedInstruction(table, examination, offset)) return false;

  std::vector<Step> steps;
  std::int32_t position = offset;
  bool ended = false;
  while (!ended && static_cast<std::int32_t>(steps.size()) < MaxInstructions && position - offset < MaxBytes) {
    if (!steps.empty() && IsTraced(examination, position)) break;  // it runs into known code
    const Step step = ReadStep(table, examination, position);
    const std::int32_t end = position + step.Length;
    if (end > rom.RomSize) return false;
    for (std::int32_t inner = position + 1; inner < end; ++inner) {
      if (IsTraced(examination, inner)) return false;
    }
    // Code runs on from bank 0 into bank 1, which the console pages
    // together at power-on; other banks end at their slot's end.
    if (position / BankSize != (end - 1) / BankSize && position >= BankSize) return false;
    if (!IsPlausibleStep(table, examination, step, steps.empty())) return false;
    steps.push_back(step);
    position = end;
    ended = EndsRun(step);
  }
  if (!ended && !(position < rom.RomSize && IsTraced(examination, position) && !steps.empty())) return false;

  for (const Step& step : steps) {
    if (!step.RelativeTarget) continue;
    if (!rom.Contains(step.Target) || InsideTracedInstruction(table, examination, step.Target)) return false;
    if (step.Target >= offset && step.Target < position &&
        std::none_of(steps.begin(), steps.end(), [&](const Step& other) { return other.Offset == step.Target; })) {
      return false;
    }
  }
  return !IsShapedLikeData(rom, offset, position);
}

}  // namespace bytegleaner::thorough
