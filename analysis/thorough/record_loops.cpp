// The loop is read forwards from the dispatch to its back branch and over
// the straight path into the dispatch from the branch's target, adding up
// what each round does to the register pairs.
#include "analysis/thorough/record_loops.h"

#include "analysis/examination.h"

#include <optional>
#include <vector>

namespace bytegleaner::thorough {

namespace {

constexpr std::size_t MaxStepsAfterDispatch = 16;
constexpr std::size_t MostSaved = 4;

struct PairState {
  std::int32_t Added = 0;
  bool Lost = false;
  std::optional<std::int32_t> Loaded;  // a constant the loop loads for its additions
};

struct PairChanges {
  std::array<PairState, 8> Pairs{};
  std::vector<std::pair<std::uint8_t, PairState>> Saved{};  // pushed in the loop, popped back later

  void Lose(std::uint8_t pair) { Pairs[pair] = {0, true, std::nullopt}; }
  void LoseRegister(std::uint8_t code) {
    Lose(code == RegisterA ? std::uint8_t{PairAF} : static_cast<std::uint8_t>(code / 2));
  }
  void LoseOperand(const Operand& operand) {
    if (operand.Kind == OperandKind::Register) LoseRegister(operand.Code);
    if (operand.Kind == OperandKind::Pair || operand.Kind == OperandKind::IndexHalf) Lose(operand.Code);
  }

  void Track(const Step& step) {
    const Operand& first = step.First;
    const Operand& second = step.Second;
    switch (step.Op) {
      case Mnemonic::Ld:
        LoseOperand(first);
        if (first.Kind == OperandKind::Pair && second.Kind == OperandKind::Immediate) {
          Pairs[first.Code].Loaded = step.Value;
        }
        break;
      case Mnemonic::Add:
        if (first.Kind != OperandKind::Pair) break;
        if (second.Kind == OperandKind::Pair && second.Code != first.Code && Pairs[second.Code].Loaded) {
          Pairs[first.Code].Added += *Pairs[second.Code].Loaded;
        } else {
          Lose(first.Code);
        }
        break;
      case Mnemonic::Inc:
      case Mnemonic::Dec:
        if (first.Kind == OperandKind::Pair) {
          Pairs[first.Code].Added += step.Op == Mnemonic::Inc ? 1 : -1;
        } else {
          LoseOperand(first);
        }
        break;
      case Mnemonic::Push:
        if (Saved.size() == MostSaved) Saved.erase(Saved.begin());
        Saved.emplace_back(first.Code, Pairs[first.Code]);
        break;
      case Mnemonic::Pop:
        if (!Saved.empty() && Saved.back().first == first.Code) {
          Pairs[first.Code] = Saved.back().second;
          Saved.pop_back();
        } else {
          Lose(first.Code);
        }
        break;
      case Mnemonic::Ex:
        if (first.Kind == OperandKind::Pair && first.Code == PairDE) {
          std::swap(Pairs[PairDE], Pairs[PairHL]);
        } else if (first.Kind == OperandKind::Memory) {
          Lose(second.Code);
        }
        break;
      case Mnemonic::Call:
      case Mnemonic::Rst:
      case Mnemonic::Exx:
      case Mnemonic::Ldi:
      case Mnemonic::Ldir:
        for (const std::uint8_t pair : {PairBC, PairDE, PairHL}) Lose(pair);
        break;
      case Mnemonic::Djnz: Lose(PairBC); break;
      case Mnemonic::Set:
      case Mnemonic::Res: LoseOperand(second); break;
      case Mnemonic::Cp: case Mnemonic::And: case Mnemonic::Or: case Mnemonic::Xor: case Mnemonic::Sub:
      case Mnemonic::Bit: case Mnemonic::Out: case Mnemonic::Jp: case Mnemonic::Jr: case Mnemonic::Ret:
        break;
      default: LoseOperand(first); break;
    }
  }
};

// The image offset a relative or absolute branch goes to, or -1.
std::int32_t BranchTarget(const analysis::Examination& examination, const Step& step) {
  const bool jump = step.Op == Mnemonic::Jr || step.Op == Mnemonic::Djnz || step.Op == Mnemonic::Jp;
  if (!jump || (step.First.Kind != OperandKind::Target && step.Second.Kind != OperandKind::Target)) return -1;
  if (step.RelativeTarget) return step.Target;
  return OffsetOfAddress(examination, step.Offset, static_cast<std::uint16_t>(step.Target));
}

}  // namespace

RecordLoop FindRecordLoop(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                          std::span<const Step> before, const Step& dispatch) {
  if (dispatch.Op != Mnemonic::Call) return {};
  std::vector<Step> after;
  std::int32_t offset = dispatch.Offset + dispatch.Length;
  for (std::size_t count = 0; count < MaxStepsAfterDispatch && examination.Rom.Contains(offset); ++count) {
    const Step step = ReadStep(table, examination, offset);
    if (!step.Documented) return {};
    const std::int32_t target = BranchTarget(examination, step);
    if (target >= 0 && target <= dispatch.Offset) {
      std::size_t head = 0;
      while (head < before.size() && before[head].Offset != target) ++head;
      if (head == before.size() && target != dispatch.Offset) return {};
      PairChanges changes;
      for (std::size_t i = head; i < before.size(); ++i) changes.Track(before[i]);
      changes.Track(dispatch);
      for (const Step& inside : after) changes.Track(inside);
      RecordLoop loop;
      loop.Head = target;
      loop.CountedByB = step.Op == Mnemonic::Djnz;
      for (std::size_t pair = 0; pair < loop.Strides.size(); ++pair) {
        if (!changes.Pairs[pair].Lost) loop.Strides[pair] = changes.Pairs[pair].Added;
      }
      return loop;
    }
    if (EndsRun(step)) return {};
    after.push_back(step);
    offset += step.Length;
  }
  return {};
}

}  // namespace bytegleaner::thorough
