#include "analysis/thorough/routine_facts.h"

#include "analysis/examination.h"
#include "analysis/thorough/instruction_flow.h"
#include "opcodes/decoder.h"

namespace bytegleaner::thorough {

namespace {

// A setter of a bank is a few instructions long; a longer walk would only
// find routines that restore what they change.
constexpr int LongestWalk = 24;

void Record(PagingEffect& effect, const MapperWrite& write, std::int32_t bankCount) {
  if (write.Address == 0xFFFC) {
    if (write.Value.IsConstant() && (write.Value.Value & 0x08) != 0) effect.Changes[1] = SlotChange::ToUnknown;
    return;
  }
  if (write.Address != 0xFFFE && write.Address != 0xFFFF) return;
  const std::size_t slot = write.Address - 0xFFFE;
  switch (write.Value.Kind) {
    case Knowledge::Constant:
      effect.Changes[slot] = write.Value.Value < bankCount ? SlotChange::ToBank : SlotChange::ToUnknown;
      effect.Banks[slot] = write.Value.Value;
      break;
    case Knowledge::CallersA: effect.Changes[slot] = SlotChange::ToCallersA; break;
    case Knowledge::Unknown: effect.Changes[slot] = SlotChange::ToUnknown; break;
  }
}

}  // namespace

PagingEffect SummarizePaging(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                             std::int32_t routine, std::int32_t bankCount) {
  KnownRegisters registers;
  registers.Registers[RegA] = {0, Knowledge::CallersA};
  Paging paging;
  paging.KnownSlots = 0;  // reading a mapper register tells nothing here
  PagingEffect effect;
  MapperWrites writes;
  opcodes::DecodedInstruction decoded;
  std::int32_t offset = routine;
  for (int step = 0; step < LongestWalk && examination.Rom.Contains(offset); ++step) {
    opcodes::MeasureInstruction(table, examination, offset, decoded);
    const InstructionTraits traits = TraitsOf(decoded);
    if (traits.PlainReturn) return effect;
    if (traits.Goes != Flow::Next || decoded.Kind != opcodes::TargetKind::NoTarget) break;
    StepRegistersQuickly(&examination.Rom.Bytes[static_cast<std::size_t>(offset)], paging, registers, writes);
    for (std::size_t i = 0; i < writes.Count; ++i) Record(effect, writes.Writes[i], bankCount);
    const std::int32_t next = offset + decoded.Length;
    if (BankOf(next) != BankOf(offset)) break;
    offset = next;
  }
  for (SlotChange& change : effect.Changes) {
    if (change != SlotChange::None) change = SlotChange::ToUnknown;
  }
  return effect;
}

void ApplyPagingEffect(const PagingEffect& effect, RegisterValue callersA, Paging& paging, std::int32_t bankCount) {
  for (std::size_t i = 0; i < effect.Changes.size(); ++i) {
    const std::uint32_t address = 0xFFFE + static_cast<std::uint32_t>(i);
    switch (effect.Changes[i]) {
      case SlotChange::None: break;
      case SlotChange::ToBank: WriteMapper(paging, address, true, effect.Banks[i], bankCount); break;
      case SlotChange::ToCallersA:
        WriteMapper(paging, address, callersA.IsConstant(), callersA.Value, bankCount);
        break;
      case SlotChange::ToUnknown: paging.Forget(static_cast<int>(i) + 1); break;
    }
  }
}

}  // namespace bytegleaner::thorough
