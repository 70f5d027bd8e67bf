#include "analysis/tracer.h"

#include "analysis/examination.h"
#include "opcodes/decoder.h"

#include <algorithm>
#include <vector>

namespace bytegleaner::analysis {

namespace {

enum class RunStep : std::uint8_t { DecodeNext, ActOnOpcode, ContinueOrEnd };
enum class OpcodeAction : std::uint8_t { Continue, Stop, IndirectJump, TraceVector };

// One run of the tracer, suspended while a nested run traces a target.
// Eight bytes, since a pathological image nests a run per instruction.
struct Run {
  std::int32_t Position = 0;
  OpcodeAction Action = OpcodeAction::Continue;
  std::uint8_t Vector = 0;  // the RST target of the instruction just decoded
  bool Stop = false;
  RunStep Next = RunStep::DecodeNext;
};
static_assert(sizeof(Run) == 8);

OpcodeAction ActionFor(std::uint16_t prefixCode, std::uint8_t opcode) {
  if (prefixCode == 0xED) return opcode == 0x45 || opcode == 0x4D ? OpcodeAction::Stop : OpcodeAction::Continue;
  if (prefixCode != 0) return OpcodeAction::Continue;
  switch (opcode) {
    case 0xC9:  // ret
    case 0xC3:  // jp nn
    case 0x18:  // jr e
      return OpcodeAction::Stop;
    case 0xE9:  // jp (hl), jp (ix), jp (iy)
      return OpcodeAction::IndirectJump;
    case 0xCF:
    case 0xD7:
    case 0xDF:
    case 0xE7:
    case 0xEF:
    case 0xF7:  // rst $08 to rst $30; $00 and $38 are entry points anyway
      return OpcodeAction::TraceVector;
    default:
      return OpcodeAction::Continue;
  }
}

struct Tracer {
  const opcodes::OpcodeTable& Table;
  Examination& Target;
  bool BreakAtIndirectJump;
  std::vector<Run> Runs;
  opcodes::DecodedInstruction Decoded;

  // Starts a nested run unless the offset is outside the image or traced;
  // true when it did.
  bool Begin(std::int32_t start) {
    if (!Target.Rom.Contains(start)) return false;
    AddLabel(Target, start);
    if ((Target.Map[static_cast<std::size_t>(start)] & CodeStart) != 0) return false;
    Runs.push_back(Run{start});
    return true;
  }

  // Carries the innermost run on until it ends or starts a nested run,
  // after which `run` must not be touched.
  void Advance(Run& run) {
    for (;;) {
      if (run.Next == RunStep::DecodeNext) {
        std::uint8_t& flags = Target.Map[static_cast<std::size_t>(run.Position)];
        if ((flags & CodeStart) != 0) run.Stop = true;
        flags |= CodeStart;
        opcodes::MeasureInstruction(Table, Target, run.Position, Decoded);
        run.Position += Decoded.Length;
        run.Action = ActionFor(Decoded.PrefixCode, Decoded.Opcode());
        run.Vector = Decoded.Opcode() & 0x38;
        run.Next = RunStep::ActOnOpcode;
        if (Decoded.Kind != opcodes::TargetKind::NoTarget && Begin(Decoded.Target)) return;
      }
      if (run.Next == RunStep::ActOnOpcode) {
        run.Next = RunStep::ContinueOrEnd;
        switch (run.Action) {
          case OpcodeAction::Stop: run.Stop = true; break;
          case OpcodeAction::IndirectJump: run.Stop = run.Stop || BreakAtIndirectJump; break;
          case OpcodeAction::TraceVector:
            if (Begin(run.Vector)) return;
            break;
          case OpcodeAction::Continue: break;
        }
      }
      if (run.Position >= Target.Rom.RomSize || run.Stop) {
        Runs.pop_back();
        return;
      }
      run.Next = RunStep::DecodeNext;
    }
  }
};

}  // namespace

void TraceCode(const opcodes::OpcodeTable& table, Examination& examination, bool breakAtIndirectJump,
               std::int32_t start) {
  Tracer tracer{table, examination, breakAtIndirectJump, {}, {}};
  // Runs nest at most once per instruction with a target (two bytes at
  // least) plus the RST vectors. Reserving that much costs address space
  // only, and spares the copies of a growing stack in deeply nested code.
  constexpr std::size_t LargestReservation = std::size_t{1} << 24;
  tracer.Runs.reserve(std::min(static_cast<std::size_t>(examination.Rom.RomSize) / 2 + 8, LargestReservation));
  tracer.Begin(start);
  while (!tracer.Runs.empty()) tracer.Advance(tracer.Runs.back());
}

}  // namespace bytegleaner::analysis
