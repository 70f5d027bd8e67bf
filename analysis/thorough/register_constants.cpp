#include "analysis/thorough/register_constants.h"

namespace bytegleaner::thorough {

namespace {

constexpr RegisterValue Unknown{};
constexpr int Memory = 6;  // the (hl) operand of the register field

RegisterValue Constant(unsigned value) { return {static_cast<std::uint8_t>(value), Knowledge::Constant}; }

// High and low halves of BC, DE and HL, by the encoding's pair number.
constexpr std::array<std::array<int, 2>, 3> PairHalves = {{{RegB, RegC}, {RegD, RegE}, {RegH, RegL}}};

RegisterValue Arithmetic(int operation, RegisterValue a, RegisterValue operand, bool operandIsA) {
  constexpr int Add = 0, Sub = 2, And = 4, Xor = 5, Or = 6, Compare = 7;
  if (operation == Compare) return a;
  if (operandIsA && (operation == Xor || operation == Sub)) return Constant(0);
  if (operandIsA && (operation == And || operation == Or)) return a;
  if (!a.IsConstant() || !operand.IsConstant()) return Unknown;
  switch (operation) {
    case Add: return Constant(a.Value + operand.Value);
    case Sub: return Constant(a.Value - operand.Value);
    case And: return Constant(a.Value & operand.Value);
    case Xor: return Constant(a.Value ^ operand.Value);
    case Or: return Constant(a.Value | operand.Value);
    default: return Unknown;  // with carry
  }
}

struct Step {
  KnownRegisters& Known;
  const Paging& Pages;
  MapperWrites& Writes;
  bool Indexed = false;
  // After $DD or $FD, H and L name the index register's halves unless the
  // instruction also has an (ix+d) operand. The index registers themselves
  // are not tracked.
  bool IndexHalves = false;

  [[nodiscard]] RegisterValue Get(int r) const {
    if (r == Memory || (IndexHalves && (r == RegH || r == RegL))) return Unknown;
    return Known.Registers[static_cast<std::size_t>(r)];
  }
  void Set(int r, RegisterValue value) {
    if (r == Memory || (IndexHalves && (r == RegH || r == RegL))) return;
    Known.Registers[static_cast<std::size_t>(r)] = value;
  }
  void SetPair(int pair, RegisterValue high, RegisterValue low) {
    if (pair > 2) return;
    Set(PairHalves[static_cast<std::size_t>(pair)][0], high);
    Set(PairHalves[static_cast<std::size_t>(pair)][1], low);
  }
  bool PairValue(int pair, std::uint16_t& value) const {
    if (pair > 2) return false;
    const RegisterValue high = Get(PairHalves[static_cast<std::size_t>(pair)][0]);
    const RegisterValue low = Get(PairHalves[static_cast<std::size_t>(pair)][1]);
    if (!high.IsConstant() || !low.IsConstant()) return false;
    value = static_cast<std::uint16_t>(high.Value << 8 | low.Value);
    return true;
  }
  void Store(std::uint32_t address, RegisterValue value) {
    if (IsMapperRegister(address) && Writes.Count < Writes.Writes.size()) {
      Writes.Writes[Writes.Count++] = {static_cast<std::uint16_t>(address), value};
    }
  }
  void StoreThroughPair(int pair, RegisterValue value) {
    std::uint16_t address = 0;
    if (PairValue(pair, address)) Store(address, value);
  }
  [[nodiscard]] RegisterValue Load(std::uint32_t address) const {
    std::uint8_t value = 0;
    return ReadMapper(Pages, address, value) ? Constant(value) : Unknown;
  }
  [[nodiscard]] RegisterValue LoadThroughPair(int pair) const {
    std::uint16_t address = 0;
    return PairValue(pair, address) ? Load(address) : Unknown;
  }
  void Push(RegisterValue high, RegisterValue low) {
    auto& stack = Known.Stack;
    if (Known.StackDepth == stack.size()) {
      for (std::size_t i = 1; i < stack.size(); ++i) stack[i - 1] = stack[i];
      --Known.StackDepth;
    }
    stack[Known.StackDepth++] = {high, low};
  }
  std::array<RegisterValue, 2> Pop() {
    if (Known.StackDepth == 0) return {Unknown, Unknown};
    return Known.Stack[--Known.StackDepth];
  }
};

void StepBitOperation(Step& step, const std::uint8_t* bytes) {
  // The index forms carry the displacement before the operation byte, and
  // their undocumented forms copy the result to a register as well.
  const std::uint8_t operation = step.Indexed ? bytes[3] : bytes[1];
  const int r = operation & 7;
  if ((operation >> 6) != 1 && r != Memory) step.Known.Registers[static_cast<std::size_t>(r)] = Unknown;
}

void StepExtended(Step& step, const std::uint8_t* bytes) {
  const std::uint8_t operation = bytes[1];
  if ((operation & 0xC7) == 0x43) {  // ld (nn),rr
    const auto address = static_cast<std::uint32_t>(bytes[2] | bytes[3] << 8);
    const auto pair = static_cast<std::size_t>((operation >> 4) & 3);
    if (pair < PairHalves.size()) {
      step.Store(address, step.Get(PairHalves[pair][1]));
      step.Store(address + 1, step.Get(PairHalves[pair][0]));
    } else {
      step.Store(address, Unknown);
      step.Store(address + 1, Unknown);
    }
    return;
  }
  if (operation == 0x7B) step.Known.StackDepth = 0;  // ld sp,(nn)
  step.Known.ForgetRegisters();
}

void StepLoadsAndArithmetic(Step& step, int x, int y, int z) {
  if (x == 1) {
    if (y == Memory && z == Memory) return;  // halt
    if (y == Memory) {
      if (!step.Indexed) step.StoreThroughPair(2, step.Get(z));
    } else {
      step.Set(y, step.Get(z));
    }
  } else {
    step.Set(RegA, Arithmetic(y, step.Get(RegA), step.Get(z), z == RegA));
  }
}

void StepFirstQuarter(Step& step, const std::uint8_t* bytes, int y, int z, std::uint8_t immediate) {
  const int p = y >> 1;
  const bool q = (y & 1) != 0;
  const auto word = static_cast<std::uint32_t>(bytes[1] | bytes[2] << 8);
  switch (z) {
    case 0:
      if (y == 1) step.Set(RegA, Unknown);  // ex af,af'
      if (y == 2) step.Set(RegB, Unknown);  // djnz
      break;
    case 1:
      if (!q && p == 3) {
        step.Known.StackDepth = 0;  // ld sp,nn
      } else if (!q) {
        step.SetPair(p, Constant(word >> 8), Constant(word));
      } else {
        step.SetPair(2, Unknown, Unknown);  // add hl,rr
      }
      break;
    case 2:
      switch (y) {
        case 0: step.StoreThroughPair(0, step.Get(RegA)); break;
        case 1: step.Set(RegA, step.LoadThroughPair(0)); break;
        case 2: step.StoreThroughPair(1, step.Get(RegA)); break;
        case 3: step.Set(RegA, step.LoadThroughPair(1)); break;
        case 4:
          step.Store(word, step.Get(RegL));
          step.Store(word + 1, step.Get(RegH));
          break;
        case 5: step.SetPair(2, Unknown, Unknown); break;
        case 6: step.Store(word, step.Get(RegA)); break;
        default: step.Set(RegA, step.Load(word)); break;
      }
      break;
    case 3:
      if (p == 3) {
        step.Known.StackDepth = 0;  // the stack moved
      } else if (std::uint16_t value = 0; step.PairValue(p, value)) {
        value = static_cast<std::uint16_t>(q ? value - 1 : value + 1);
        step.SetPair(p, Constant(value >> 8), Constant(value));
      } else {
        step.SetPair(p, Unknown, Unknown);
      }
      break;
    case 4:
    case 5:
      if (y == Memory) {
        if (!step.Indexed) step.StoreThroughPair(2, Unknown);
      } else {
        const RegisterValue value = step.Get(y);
        step.Set(y, value.IsConstant() ? Constant(z == 4 ? value.Value + 1 : value.Value - 1) : Unknown);
      }
      break;
    case 6:
      if (y == Memory) {
        if (!step.Indexed) step.StoreThroughPair(2, Constant(immediate));
      } else {
        step.Set(y, Constant(immediate));
      }
      break;
    default:
      if (y < 6) step.Set(RegA, Unknown);  // rotations, daa, cpl
      break;
  }
}

void StepLastQuarter(Step& step, const std::uint8_t* bytes, int y, int z) {
  const int p = y >> 1;
  const bool q = (y & 1) != 0;
  auto& registers = step.Known.Registers;
  switch (z) {
    case 1:
      if (!q) {
        const auto [high, low] = step.Pop();
        if (p == 3) {
          step.Set(RegA, high);
        } else {
          step.SetPair(p, high, low);
        }
      } else if (p == 1) {  // exx
        for (const int r : {RegB, RegC, RegD, RegE, RegH, RegL}) registers[static_cast<std::size_t>(r)] = Unknown;
      } else if (p == 3) {  // ld sp,hl
        step.Known.StackDepth = 0;
      }
      break;
    case 3:
      if (y == 3) step.Set(RegA, Unknown);  // in a,(n)
      if (y == 4) {                         // ex (sp),hl
        step.SetPair(2, Unknown, Unknown);
        if (step.Known.StackDepth > 0) step.Known.Stack[step.Known.StackDepth - 1U] = {Unknown, Unknown};
      }
      if (y == 5) {  // ex de,hl, which no prefix changes
        std::swap(registers[RegD], registers[RegH]);
        std::swap(registers[RegE], registers[RegL]);
      }
      break;
    case 5:
      if (!q) {
        if (p == 3) {
          step.Push(step.Get(RegA), Unknown);
        } else {
          step.Push(step.Get(PairHalves[static_cast<std::size_t>(p)][0]), step.Get(PairHalves[static_cast<std::size_t>(p)][1]));
        }
      }
      break;
    case 6: step.Set(RegA, Arithmetic(y, step.Get(RegA), Constant(bytes[1]), false)); break;
    default: break;
  }
}

// Instructions with an (hl) operand, which an index prefix turns into
// (ix+d) and which leave H and L themselves meaning H and L.
constexpr std::array<bool, 256> HasMemoryOperand = [] {
  std::array<bool, 256> table{};
  for (int opcode = 0; opcode < 256; ++opcode) {
    const int x = opcode >> 6, y = (opcode >> 3) & 7, z = opcode & 7;
    table[static_cast<std::size_t>(opcode)] = (x == 1 && (y == Memory || z == Memory)) || (x == 2 && z == Memory) ||
                                              (x == 0 && y == Memory && z >= 4 && z <= 6);
  }
  return table;
}();

}  // namespace

void StepRegisters(const std::uint8_t* bytes, const Paging& paging, KnownRegisters& registers, MapperWrites& writes) {
  writes.Count = 0;
  Step step{registers, paging, writes};
  if (bytes[0] == 0xDD || bytes[0] == 0xFD) {
    step.Indexed = true;
    if (bytes[1] == 0xCB) {
      StepBitOperation(step, bytes);
      return;
    }
    ++bytes;
    if (bytes[0] == 0xDD || bytes[0] == 0xFD || bytes[0] == 0xED) {
      registers.ForgetRegisters();
      return;
    }
  }
  const std::uint8_t opcode = bytes[0];
  if (!step.Indexed && opcode == 0xCB) {
    StepBitOperation(step, bytes);
    return;
  }
  if (!step.Indexed && opcode == 0xED) {
    StepExtended(step, bytes);
    return;
  }
  const int x = opcode >> 6, y = (opcode >> 3) & 7, z = opcode & 7;
  const bool memoryOperand = HasMemoryOperand[opcode];
  step.IndexHalves = step.Indexed && !memoryOperand;
  // The displacement of an (ix+d) operand comes before an immediate byte.
  const std::uint8_t immediate = bytes[step.Indexed && memoryOperand ? 2 : 1];
  switch (x) {
    case 0: StepFirstQuarter(step, bytes, y, z, immediate); break;
    case 3: StepLastQuarter(step, bytes, y, z); break;
    default: StepLoadsAndArithmetic(step, x, y, z); break;
  }
}

}  // namespace bytegleaner::thorough
