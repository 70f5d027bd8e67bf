#include "analysis/thorough/instruction_steps.h"

#include "analysis/examination.h"
#include "opcodes/decoder.h"

#include <array>
#include <string_view>
#include <utility>

namespace bytegleaner::thorough {

namespace {

using opcodes::OpcodeTable;

constexpr std::array<std::pair<std::string_view, Mnemonic>, 41> Mnemonics{{
    {"ld", Mnemonic::Ld},     {"add", Mnemonic::Add},   {"adc", Mnemonic::Adc},   {"sub", Mnemonic::Sub},
    {"sbc", Mnemonic::Sbc},   {"and", Mnemonic::And},   {"xor", Mnemonic::Xor},   {"or", Mnemonic::Or},
    {"cp", Mnemonic::Cp},     {"inc", Mnemonic::Inc},   {"dec", Mnemonic::Dec},   {"push", Mnemonic::Push},
    {"pop", Mnemonic::Pop},   {"ex", Mnemonic::Ex},     {"exx", Mnemonic::Exx},   {"jp", Mnemonic::Jp},
    {"jr", Mnemonic::Jr},     {"call", Mnemonic::Call}, {"ret", Mnemonic::Ret},   {"reti", Mnemonic::Reti},
    {"retn", Mnemonic::Retn}, {"rst", Mnemonic::Rst},   {"djnz", Mnemonic::Djnz}, {"rlca", Mnemonic::Rlca},
    {"rla", Mnemonic::Rla},   {"sla", Mnemonic::Sla},   {"rl", Mnemonic::Rl},     {"ldi", Mnemonic::Ldi},
    {"ldir", Mnemonic::Ldir}, {"out", Mnemonic::Out},   {"in", Mnemonic::In},     {"nop", Mnemonic::Nop},
    {"halt", Mnemonic::Halt}, {"di", Mnemonic::Di},     {"ei", Mnemonic::Ei},     {"im", Mnemonic::Im},
    {"scf", Mnemonic::Scf},   {"ccf", Mnemonic::Ccf},   {"bit", Mnemonic::Bit},   {"set", Mnemonic::Set},
    {"res", Mnemonic::Res},
}};

constexpr std::array<std::string_view, 8> RegisterNames{"b", "c", "d", "e", "h", "l", "", "a"};
constexpr std::array<std::string_view, 8> ConditionNames{"nz", "z", "nc", "c", "po", "pe", "p", "m"};
constexpr std::array<std::string_view, 8> PairNames{"bc", "de", "hl", "sp", "af", "", "", "af'"};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

template <std::size_t N>
int IndexIn(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::size_t i = 0; i < N; ++i) {
    if (!names[i].empty() && names[i] == name) return static_cast<int>(i);
  }
  return -1;
}

Operand ParseOperand(std::string_view text, bool branch, std::uint8_t indexPair) {
  const auto make = [](OperandKind kind, int code = 0) { return Operand{kind, static_cast<std::uint8_t>(code)}; };
  if (text.empty()) return {};
  if (branch && IndexIn(ConditionNames, text) >= 0) return make(OperandKind::Condition, IndexIn(ConditionNames, text));
  if (text == "*" || text == "+") return make(OperandKind::Target);
  if (text == "#" || text == "##") return make(OperandKind::Immediate);
  if (text == "(##)") return make(OperandKind::Absolute);
  if (text == "(#)") return make(OperandKind::Port);
  if (text == "(i?)") return make(OperandKind::Indexed, indexPair);
  if (text == "i?" || text == "I?") return make(OperandKind::Pair, indexPair);
  if (text == "(I?)") return make(OperandKind::Memory, indexPair);
  if (text == "i?h" || text == "i?l") return make(OperandKind::IndexHalf, indexPair);
  if (const int r = IndexIn(RegisterNames, text); r >= 0) return make(OperandKind::Register, r);
  if (const int p = IndexIn(PairNames, text); p >= 0) return make(OperandKind::Pair, p);
  if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
    if (const int p = IndexIn(PairNames, text.substr(1, text.size() - 2)); p >= 0 && p <= PairSP) {
      return make(OperandKind::Memory, p);
    }
  }
  return make(OperandKind::Other);
}

// Forms the manual does not list: byte lists for holes, prefixes that
// change nothing (the table marks them with a comment), the index halves,
// sll, the ED page's mirrors and the index bit page's register copies.
bool IsDocumented(const OpcodeTable& table, int index, std::string_view text) {
  if (text.empty() || text.front() == '.' || text.find(';') != std::string_view::npos) return false;
  if (text.find("i?h") != std::string_view::npos || text.find("i?l") != std::string_view::npos) return false;
  if (text.starts_with("sll") || text == "in f,(c)" || text == "out (c),0") return false;
  // Only DD CB d op with op's register field naming (hl) is documented; the
  // others copy the result to a register or repeat the (hl) form.
  if (index >= opcodes::IndexBitPage) return (index & 7) == 6;
  if (index >= opcodes::EdPage && index < opcodes::IndexPage) {
    for (int earlier = opcodes::BasePage; earlier < index; ++earlier) {
      if (earlier == opcodes::CbPage) earlier = opcodes::EdPage;
      if (table.Templates[static_cast<std::size_t>(earlier)] == table.Templates[static_cast<std::size_t>(index)]) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

Step ReadStep(const OpcodeTable& table, const analysis::Examination& examination, std::int32_t offset) {
  opcodes::DecodedInstruction decoded;
  opcodes::MeasureInstruction(table, examination, offset, decoded);
  const analysis::RomImage& rom = examination.Rom;
  // A damaged table can make an instruction reach past the spare bytes;
  // those read as zero, as the decoder reads them.
  const auto byteAt = [&rom](std::int32_t at) -> std::uint8_t {
    return at >= 0 && static_cast<std::size_t>(at) < rom.Bytes.size() ? rom.ByteAt(at) : 0;
  };
  Step step;
  step.Offset = offset;
  step.Length = decoded.Length;
  step.TableIndex = decoded.TableIndex;
  const std::string_view full = table.Templates[static_cast<std::size_t>(decoded.TableIndex)];
  step.Documented = IsDocumented(table, decoded.TableIndex, full);
  const std::string_view text = Trimmed(full.substr(0, full.find(';')));

  const std::size_t space = text.find(' ');
  const std::string_view name = text.substr(0, space);
  for (const auto& [spelling, mnemonic] : Mnemonics) {
    if (spelling == name) step.Op = mnemonic;
  }
  const bool branch = step.Op == Mnemonic::Jp || step.Op == Mnemonic::Jr || step.Op == Mnemonic::Call ||
                      step.Op == Mnemonic::Ret;
  const std::uint8_t indexPair = byteAt(offset) == 0xFD ? PairIY : PairIX;
  if (space != std::string_view::npos) {
    const std::string_view operands = text.substr(space + 1);
    const std::size_t comma = operands.find(',');
    step.First = ParseOperand(Trimmed(operands.substr(0, comma)), branch, indexPair);
    if (comma != std::string_view::npos) {
      step.Second = ParseOperand(Trimmed(operands.substr(comma + 1)), branch, indexPair);
    }
  }

  const std::int32_t end = offset + step.Length;
  const opcodes::TemplateShape& shape = table.Shapes[static_cast<std::size_t>(decoded.TableIndex)];
  if (shape.HasWord) {
    step.Value = static_cast<std::uint16_t>(byteAt(end - 2) | byteAt(end - 1) << 8);
  } else if (shape.HasByte) {
    step.Value = byteAt(end - 1);
  }
  if (shape.HasIndexedOperand) step.Displacement = static_cast<std::int8_t>(byteAt(offset + 2));
  if (decoded.Kind != opcodes::TargetKind::NoTarget) {
    step.Target = decoded.Target;
    step.RelativeTarget = decoded.Kind == opcodes::TargetKind::RelativeTarget;
  } else if (step.Op == Mnemonic::Rst) {
    step.Target = decoded.Opcode() & 0x38;
  }
  return step;
}

std::optional<std::int32_t> PreviousTracedStart(const OpcodeTable& table, const analysis::Examination& examination,
                                                std::int32_t offset) {
  opcodes::DecodedInstruction decoded;
  for (std::int32_t length = 1; length <= 4; ++length) {
    const std::int32_t start = offset - length;
    if (start < 0) break;
    if ((examination.Map[static_cast<std::size_t>(start)] & analysis::CodeStart) == 0) continue;
    opcodes::MeasureInstruction(table, examination, start, decoded);
    if (decoded.Length == length) return start;
  }
  return std::nullopt;
}

bool InsideTracedInstruction(const OpcodeTable& table, const analysis::Examination& examination,
                             std::int32_t offset) {
  opcodes::DecodedInstruction decoded;
  for (std::int32_t start = offset - 1; start >= 0 && start > offset - 4; --start) {
    if ((examination.Map[static_cast<std::size_t>(start)] & analysis::CodeStart) == 0) continue;
    opcodes::MeasureInstruction(table, examination, start, decoded);
    if (start + decoded.Length > offset) return true;
  }
  return false;
}

std::int32_t OffsetOfAddress(const analysis::Examination& examination, std::int32_t fromOffset,
                             std::uint16_t address) {
  std::int32_t offset = address;
  if (address >= 0xC000) return -1;
  if (address >= 0x8000 && fromOffset >= 2 * analysis::BankSize) {
    offset = (fromOffset & ~(analysis::BankSize - 1)) + (address & (analysis::BankSize - 1));
  }
  return examination.Rom.Contains(offset) ? offset : -1;
}

bool EndsRun(const Step& step) {
  switch (step.Op) {
    case Mnemonic::Ret: return step.First.Kind == OperandKind::None;
    case Mnemonic::Jp:
    case Mnemonic::Jr: return step.First.Kind != OperandKind::Condition;
    case Mnemonic::Reti:
    case Mnemonic::Retn: return true;
    default: return false;
  }
}

bool IsConditional(const Step& step) {
  switch (step.Op) {
    case Mnemonic::Ret:
    case Mnemonic::Jp:
    case Mnemonic::Jr:
    case Mnemonic::Call: return step.First.Kind == OperandKind::Condition;
    case Mnemonic::Djnz: return true;
    default: return false;
  }
}

}  // namespace bytegleaner::thorough
