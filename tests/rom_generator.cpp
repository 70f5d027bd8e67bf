#include "tests/rom_generator.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace bytegleaner::testing {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::int32_t BankSize = 0x4000;

// xorshift32: small, and the same sequence on every platform and compiler,
// which std::uniform_int_distribution does not promise.
struct Xorshift {
  std::uint32_t State;

  std::uint32_t Next() {
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    return State;
  }
  std::uint32_t Below(std::uint32_t bound) { return Next() % bound; }
  std::int32_t Between(std::int32_t low, std::int32_t high) {
    return low + static_cast<std::int32_t>(Below(static_cast<std::uint32_t>(high - low + 1)));
  }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 24); }
  bool OneIn(std::uint32_t n) { return Below(n) == 0; }
  template <typename T, std::size_t N>
  T Pick(const std::array<T, N>& choices) {
    return choices[Below(N)];
  }
};

Xorshift Seeded(std::uint32_t seed) { return Xorshift{seed == 0 ? 0x9E3779B9u : seed}; }

void PutWord(Bytes& bytes, std::uint32_t word) {
  bytes.push_back(static_cast<std::uint8_t>(word));
  bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

// Bytes past the image's end are left out, so that small images get what fits.
void Place(Bytes& image, std::int32_t at, std::initializer_list<int> bytes) {
  for (const int byte : bytes) {
    if (static_cast<std::size_t>(at) < image.size())
      image[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(byte);
    ++at;
  }
}

// --- Table forms -----------------------------------------------------------

struct FormOperands {
  std::uint8_t Displacement = 0;
  std::uint8_t Byte = 0;
  std::uint16_t Word = 0;
  std::uint16_t Target = 0;
  std::uint8_t Relative = 0;
};

// Operands in the order the processor reads them, as the table's shape asks.
Bytes FormBytes(const opcodes::OpcodeTable& table, int index, std::uint8_t prefix, const FormOperands& operands) {
  const auto op = static_cast<std::uint8_t>(index & 0xFF);
  Bytes bytes;
  switch (index >> 8) {
    case 0: bytes = {op}; break;
    case 1: bytes = {0xCB, op}; break;
    case 2: bytes = {0xED, op}; break;
    case 3: bytes = {prefix, op}; break;
    default: bytes = {prefix, 0xCB, operands.Displacement, op}; break;
  }
  const opcodes::TemplateShape& shape = table.Shapes[static_cast<std::size_t>(index)];
  if (shape.HasIndexedOperand && index >> 8 == 3) bytes.push_back(operands.Displacement);
  if (shape.HasWord) {
    PutWord(bytes, operands.Word);
  } else if (shape.HasByte) {
    bytes.push_back(operands.Byte);
  }
  if (shape.HasAbsoluteTarget) {
    PutWord(bytes, operands.Target);
  } else if (shape.HasRelativeTarget) {
    bytes.push_back(operands.Relative);
  }
  return bytes;
}

std::int32_t FormLength(const opcodes::OpcodeTable& table, int index) {
  return static_cast<std::int32_t>(FormBytes(table, index, 0xDD, {}).size());
}

// The forms after which the tracer does not read on: ret, jp nn, jr e and
// jp (hl) also behind a prefix without effect, retn and reti.
bool EndsRun(int index) {
  const int op = index & 0xFF;
  const int page = index >> 8;
  if (page == 0 || page == 3) return op == 0xC9 || op == 0xC3 || op == 0x18 || op == 0xE9;
  return page == 2 && (op == 0x45 || op == 0x4D);
}

bool HasTarget(const opcodes::OpcodeTable& table, int index) {
  const opcodes::TemplateShape& shape = table.Shapes[static_cast<std::size_t>(index)];
  return shape.HasAbsoluteTarget || shape.HasRelativeTarget;
}

std::uint8_t IndexPrefixOf(Xorshift& random, int index) {
  return index >> 8 >= 3 ? (random.OneIn(2) ? 0xDD : 0xFD) : 0;
}

// --- Game-shaped images ------------------------------------------------------

// Encodings whose usual text assembles back to them. Two hex digits are a
// byte; n a byte, d an index displacement below $80, w a word, m a RAM
// address, c any CB page entry, l a register load, a an accumulator
// operation.
// clang-format off
constexpr auto SafePatterns = std::to_array<std::string_view>({
    // one byte
    "00", "07", "0F", "17", "1F", "27", "2F", "37", "3F", "08", "D9", "EB", "F3", "FB",
    "02", "0A", "12", "1A", "34", "35", "09", "19", "29", "39", "03", "13", "23", "0B",
    "1B", "2B", "C5", "D5", "E5", "F5", "C1", "D1", "E1", "F1", "C0", "C8", "D0", "D8",
    "l", "l", "l", "a", "a",
    // with operands
    "06 n", "0E n", "16 n", "1E n", "26 n", "2E n", "3E n", "36 n", "C6 n", "CE n", "D6 n", "DE n",
    "E6 n", "EE n", "F6 n", "FE n", "D3 n", "DB n", "01 w", "11 w", "21 w", "3A m", "32 m", "2A m",
    "22 m",
    // CB, ED and index pages
    "CB c", "CB c", "ED B0", "ED B3", "ED A3", "ED 44", "ED 78", "ED 79", "ED 42", "ED 5A", "ED 43 m",
    "ED 5B m", "DD 21 w", "FD 21 w", "DD 7E d", "FD 46 d", "DD 77 d", "FD 36 d n", "DD 86 d", "FD 34 d",
    "DD E5", "FD E1", "DD 09", "DD 26 n", "DD CB d 46", "FD CB d C6", "DD CB d 1E",
});
// clang-format on

std::uint8_t HexByte(std::string_view digits) {
  const auto value = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
  return static_cast<std::uint8_t>(value(digits[0]) * 16 + value(digits[1]));
}

void EmitSafeInstruction(Bytes& out, Xorshift& random) {
  std::string_view pattern = random.Pick(SafePatterns);
  while (!pattern.empty()) {
    const std::size_t blank = pattern.find(' ');
    const std::string_view token = pattern.substr(0, blank);
    pattern = blank == std::string_view::npos ? std::string_view{} : pattern.substr(blank + 1);
    if (token == "n" || token == "c") {
      out.push_back(random.Byte());
    } else if (token == "d") {
      out.push_back(static_cast<std::uint8_t>(random.Below(0x80)));
    } else if (token == "w") {
      PutWord(out, random.Next());
    } else if (token == "m") {
      PutWord(out, 0xC000 + random.Below(0x2000));
    } else if (token == "l") {
      std::uint8_t op = 0x76;  // halt is no load
      while (op == 0x76) op = static_cast<std::uint8_t>(0x40 + random.Below(0x40));
      out.push_back(op);
    } else if (token == "a") {
      out.push_back(static_cast<std::uint8_t>(0x80 + random.Below(0x40)));
    } else {
      out.push_back(HexByte(token));
    }
  }
}

// A word in a code block that holds an address known only after layout.
struct Fixup {
  // NextRoutine: the routine placed after this one, so that a trace from
  // $0000 reaches them all.
  enum class To : std::uint8_t { Self, Block, AnyRoutine, NextRoutine };
  std::size_t At = 0;
  To Kind = To::Self;
  std::size_t Which = 0;  // the block's index, or a random number choosing a routine
  std::int32_t Offset = 0;
};

struct CodeBlock {
  Bytes Body;
  std::vector<Fixup> Fixups;
  std::int32_t Address = -1;
};

constexpr auto Words = std::to_array<std::string_view>({
    "PRESS",  "START", "GAME",  "OVER",  "LEVEL",     "SCORE", "PLAYER", "1",     "2",    "HI",
    "TIME",   "BONUS", "STAGE", "CLEAR", "CONTINUE?", "PAUSE", "SEGA",   "(C)",   "1990", "LIVES:",
    "READY!", "GO",    "THE",   "END",   "IT'S",      "WORLD", "HERO",   "ROUND", "A-Z",  "100%",
});

struct GameBuilder {
  Xorshift Random;
  Bytes Image;
  std::vector<CodeBlock> Blocks;
  std::vector<std::size_t> Callable;  // routines any call may lead to

  std::size_t Add(CodeBlock block) {
    Blocks.push_back(std::move(block));
    return Blocks.size() - 1;
  }

  void AddCall(CodeBlock& block, std::uint8_t opcode, Fixup::To kind, std::size_t which, std::int32_t offset = 0) {
    block.Body.push_back(opcode);
    block.Fixups.push_back({block.Body.size(), kind, which, offset});
    PutWord(block.Body, 0);
  }

  void AddCallToAnyRoutine(CodeBlock& block, std::uint8_t opcode) {
    AddCall(block, opcode, Fixup::To::AnyRoutine, Random.Next());
  }

  // Up to `room` bytes of safe instructions.
  void EmitShortCode(Bytes& out, std::size_t room) {
    for (int tries = 0; tries < 4; ++tries) {
      Bytes instruction;
      EmitSafeInstruction(instruction, Random);
      if (instruction.size() > room) continue;
      out.insert(out.end(), instruction.begin(), instruction.end());
      room -= instruction.size();
    }
  }

  // A subroutine: straight code with calls, RSTs, conditional jumps forward
  // and back, a djnz loop now and then, and a ret or a tail jump at the end.
  // Every jump leads to an instruction start of the routine. `backTo`, when
  // set, makes the first instruction a jr nz to that address from the
  // routine's (then known) address.
  CodeBlock MakeRoutine(std::int32_t at = -1, std::int32_t backTo = -1) {
    CodeBlock block;
    Bytes& body = block.Body;
    std::vector<std::int32_t> starts;
    const auto start = [&] { starts.push_back(static_cast<std::int32_t>(body.size())); };
    if (backTo >= 0) {
      start();
      body.push_back(0x20);
      body.push_back(static_cast<std::uint8_t>(backTo - (at + 2)));
    }
    const int count = Random.Between(6, 36);
    const int chainAt = Random.Between(0, count - 1);
    for (int i = 0; i < count; ++i) {
      const std::uint32_t choice = Random.Below(100);
      start();
      if (i == chainAt) {
        AddCall(block, 0xCD, Fixup::To::NextRoutine, 0);
      } else if (choice < 8) {
        static constexpr std::array<std::uint8_t, 8> Conditional = {0xC4, 0xCC, 0xD4, 0xDC, 0xE4, 0xEC, 0xF4, 0xFC};
        AddCallToAnyRoutine(block, Random.OneIn(3) ? Random.Pick(Conditional) : 0xCD);
      } else if (choice < 11) {
        static constexpr std::array<std::uint8_t, 6> Rsts = {0xCF, 0xD7, 0xDF, 0xE7, 0xEF, 0xF7};
        body.push_back(Random.Pick(Rsts));
      } else if (choice < 16) {
        static constexpr std::array<std::uint8_t, 4> Jrs = {0x20, 0x28, 0x30, 0x38};
        const std::size_t jr = body.size();
        body.push_back(Random.Pick(Jrs));
        body.push_back(0);
        for (int skipped = Random.Between(1, 3); skipped > 0; --skipped) {
          start();
          EmitSafeInstruction(body, Random);
        }
        body[jr + 1] = static_cast<std::uint8_t>(body.size() - (jr + 2));
      } else if (choice < 19) {
        body.push_back(0x06);
        body.push_back(static_cast<std::uint8_t>(Random.Between(1, 255)));
        const auto loop = static_cast<std::int32_t>(body.size());
        for (int inside = Random.Between(1, 4); inside > 0; --inside) {
          start();
          EmitSafeInstruction(body, Random);
        }
        start();
        const auto djnz = static_cast<std::int32_t>(body.size());
        body.push_back(0x10);
        body.push_back(static_cast<std::uint8_t>(loop - (djnz + 2)));
      } else if (choice < 21 && starts.size() > 1) {
        static constexpr std::array<std::uint8_t, 4> Jps = {0xC2, 0xCA, 0xD2, 0xDA};
        const std::int32_t target = starts[Random.Below(static_cast<std::uint32_t>(starts.size() - 1))];
        AddCall(block, Random.Pick(Jps), Fixup::To::Self, 0, target);
      } else {
        EmitSafeInstruction(body, Random);
      }
    }
    if (Random.OneIn(8)) {
      AddCallToAnyRoutine(block, 0xC3);
    } else {
      body.push_back(0xC9);
    }
    return block;
  }

  void PlaceBlock(std::size_t index, std::int32_t at) {
    CodeBlock& block = Blocks[index];
    block.Address = at;
    std::copy(block.Body.begin(), block.Body.end(), Image.begin() + at);
  }

  // A data stretch of some kind, at most `room` bytes; returns its length.
  std::int32_t WriteData(std::int32_t at, std::int32_t room) {
    Bytes data;
    switch (Random.Below(5)) {
      case 0: {  // zero-terminated strings, without the assembler's escape character
        for (int strings = Random.Between(1, 6); strings > 0; --strings) {
          for (int words = Random.Between(1, 5); words > 0; --words) {
            const std::string_view word = Random.Pick(Words);
            data.insert(data.end(), word.begin(), word.end());
            if (words > 1) data.push_back(' ');
          }
          data.push_back(0);
        }
        break;
      }
      case 1: {  // a count, then small values such as VDP registers
        const int count = Random.Between(4, 60);
        data.push_back(static_cast<std::uint8_t>(count % 31 + 1));
        for (int i = 0; i < count; ++i)
          data.push_back(static_cast<std::uint8_t>(Random.Below(Random.OneIn(2) ? 32 : 256)));
        break;
      }
      case 2: {  // a count, then addresses
        const int count = Random.Between(2, 24);
        data.push_back(static_cast<std::uint8_t>(count));
        for (int i = 0; i < count; ++i) PutWord(data, Random.Below(0xC000));
        break;
      }
      case 3: data.assign(static_cast<std::size_t>(Random.Between(8, 400)), 0); break;
      default: {  // tiles: pixel bytes with the top bit set, or anything after a control byte
        const bool topBit = Random.OneIn(2);
        data.resize(static_cast<std::size_t>(Random.Between(32, 1600)));
        for (std::uint8_t& byte : data) byte = topBit ? static_cast<std::uint8_t>(0x80 | Random.Byte()) : Random.Byte();
        if (!topBit) data[0] = static_cast<std::uint8_t>(Random.Between(1, 31));
        break;
      }
    }
    const auto length = std::min(room, static_cast<std::int32_t>(data.size()));
    std::copy_n(data.begin(), length, Image.begin() + at);
    return length;
  }

  // ld a,(state); add a,a; ld e,a; ld d,0; ld hl,table; add hl,de;
  // ld a,(hl); inc hl; ld h,(hl); ld l,a; jp (hl), then the table and the
  // handlers it points at. Nothing else leads to the handlers.
  CodeBlock MakeDispatcher() {
    CodeBlock block;
    Bytes& body = block.Body;
    body = {0x3A};
    PutWord(body, 0xC000 + Random.Below(0x100));
    body.insert(body.end(), {0x87, 0x5F, 0x16, 0x00, 0x21});
    const std::size_t tableOperand = body.size();
    PutWord(body, 0);
    body.insert(body.end(), {0x19, 0x7E, 0x23, 0x66, 0x6F, 0xE9});
    const int handlers = Random.Between(2, 6);
    const std::size_t table = body.size();
    block.Fixups.push_back({tableOperand, Fixup::To::Self, 0, static_cast<std::int32_t>(table)});
    body.resize(table + 2 * static_cast<std::size_t>(handlers));
    for (int i = 0; i < handlers; ++i) {
      block.Fixups.push_back(
          {table + 2 * static_cast<std::size_t>(i), Fixup::To::Self, 0, static_cast<std::int32_t>(body.size())});
      // The control byte keeps table and handlers from reading as text.
      body.push_back(0x06);
      body.push_back(static_cast<std::uint8_t>(Random.Between(1, 15)));
      for (int n = Random.Between(1, 4); n > 0; --n) EmitSafeInstruction(body, Random);
      body.push_back(0xC9);
    }
    return block;
  }

  // A few instructions ending in a jr to the next bank's first byte.
  CodeBlock MakeBridge() {
    CodeBlock block;
    for (int n = Random.Between(1, 3); n > 0; --n) EmitSafeInstruction(block.Body, Random);
    block.Body.insert(block.Body.end(), {0x18, 0x00});
    return block;
  }

  std::int32_t AddressOf(std::size_t blockIndex, const Fixup& fixup) const {
    const CodeBlock& block = Blocks[blockIndex];
    switch (fixup.Kind) {
      case Fixup::To::Self: {
        // Paged code runs in slot 2.
        const std::int32_t own = block.Address < 0xC000 ? block.Address : 0x8000 + (block.Address & 0x3FFF);
        return own + fixup.Offset;
      }
      case Fixup::To::Block: return Blocks[fixup.Which].Address + fixup.Offset;
      case Fixup::To::AnyRoutine: return Blocks[Callable[fixup.Which % Callable.size()]].Address;
      case Fixup::To::NextRoutine: {
        const auto own = std::find(Callable.begin(), Callable.end(), blockIndex);
        const bool hasNext = own != Callable.end() && own + 1 != Callable.end();
        return Blocks[hasNext ? *(own + 1) : Callable.front()].Address;
      }
    }
    return 0;
  }

  void ResolveFixups() {
    for (std::size_t index = 0; index < Blocks.size(); ++index) {
      const CodeBlock& block = Blocks[index];
      if (block.Address < 0) continue;
      for (const Fixup& fixup : block.Fixups) {
        const auto address = static_cast<std::uint32_t>(AddressOf(index, fixup));
        const auto at = static_cast<std::size_t>(block.Address) + fixup.At;
        Image[at] = static_cast<std::uint8_t>(address);
        Image[at + 1] = static_cast<std::uint8_t>(address >> 8);
      }
    }
  }
};

}  // namespace

bool IsSelectableForm(int tableIndex) {
  return tableIndex != 0x0CB && tableIndex != 0x0DD && tableIndex != 0x0ED && tableIndex != 0x0FD &&
         tableIndex != 0x3CB;
}

std::vector<std::uint8_t> GameImage(std::int32_t size, std::uint32_t seed) {
  GameBuilder game{Seeded(seed), Bytes(static_cast<std::size_t>(size), 0), {}, {}};
  const std::int32_t banks = (size + BankSize - 1) / BankSize;
  const std::int32_t codeBanks = std::min(banks, 3);

  // di; ld sp,$DFF0; jp main, before the first RST vector
  CodeBlock reset;
  reset.Body = {0xF3, 0x31, 0xF0, 0xDF};
  const std::size_t resetIndex = game.Add(std::move(reset));
  const std::size_t mainIndex = game.Add({});
  const std::size_t dispatcherIndex = game.Add(game.MakeDispatcher());
  game.AddCall(game.Blocks[resetIndex], 0xC3, Fixup::To::Block, mainIndex);

  std::vector<std::size_t> bridges;
  for (std::int32_t bank = 0; bank + 1 < codeBanks; ++bank) bridges.push_back(game.Add(game.MakeBridge()));

  CodeBlock main;
  main.Body = {0xED, 0x56};  // im 1
  for (int n = game.Random.Between(2, 5); n > 0; --n) EmitSafeInstruction(main.Body, game.Random);
  const auto loop = static_cast<std::int32_t>(main.Body.size());
  // Every RST vector in use, in some order, among calls and other code.
  std::array<std::uint8_t, 6> rsts = {0xCF, 0xD7, 0xDF, 0xE7, 0xEF, 0xF7};
  for (std::size_t i = rsts.size(); i > 1; --i)
    std::swap(rsts[i - 1], rsts[game.Random.Below(static_cast<std::uint32_t>(i))]);
  for (const std::uint8_t rst : rsts) {
    main.Body.push_back(rst);
    if (game.Random.OneIn(2)) {
      game.AddCallToAnyRoutine(main, 0xCD);
    } else {
      EmitSafeInstruction(main.Body, game.Random);
    }
  }
  game.AddCall(main, 0xCD, Fixup::To::NextRoutine, 0);  // the first routine, which leads to all others
  game.AddCall(main, 0xCD, Fixup::To::Block, dispatcherIndex);
  for (const std::size_t bridge : bridges) game.AddCall(main, 0xCD, Fixup::To::Block, bridge);
  game.AddCall(main, 0xC3, Fixup::To::Self, 0, loop);
  game.Blocks[mainIndex] = std::move(main);

  // RST handlers: a few instructions and ret, or a jump to a routine.
  for (std::int32_t vector = 0x08; vector <= 0x30; vector += 8) {
    CodeBlock handler;
    if (game.Random.OneIn(4)) {
      game.AddCallToAnyRoutine(handler, 0xC3);
    } else {
      game.EmitShortCode(handler.Body, 7);
      handler.Body.push_back(0xC9);
    }
    game.PlaceBlock(game.Add(std::move(handler)), vector);
  }
  // push af; in a,($BF); ...; pop af; ei; reti
  CodeBlock irq;
  irq.Body = {0xF5, 0xDB, 0xBF};
  game.EmitShortCode(irq.Body, 8);
  game.AddCallToAnyRoutine(irq, 0xCD);
  irq.Body.insert(irq.Body.end(), {0xF1, 0xFB, 0xED, 0x4D});
  // push af; ...; pop af; retn
  CodeBlock nmi;
  nmi.Body = {0xF5};
  game.EmitShortCode(nmi.Body, 6);
  nmi.Body.insert(nmi.Body.end(), {0xF1, 0xED, 0x45});
  game.PlaceBlock(resetIndex, 0x0000);
  game.PlaceBlock(game.Add(std::move(irq)), 0x0038);
  game.PlaceBlock(game.Add(std::move(nmi)), 0x0066);
  std::int32_t cursor = 0x0080;
  game.PlaceBlock(mainIndex, cursor);
  cursor += static_cast<std::int32_t>(game.Blocks[mainIndex].Body.size());
  game.PlaceBlock(dispatcherIndex, cursor);
  cursor += static_cast<std::int32_t>(game.Blocks[dispatcherIndex].Body.size());

  for (std::int32_t bank = 0; bank < codeBanks; ++bank) {
    const std::int32_t bankEnd = std::min((bank + 1) * BankSize, size);
    std::int32_t limit = bankEnd;
    if (bank + 1 < codeBanks) {
      const std::size_t bridge = bridges[static_cast<std::size_t>(bank)];
      limit = bankEnd - static_cast<std::int32_t>(game.Blocks[bridge].Body.size());
      game.PlaceBlock(bridge, limit);
    }
    // The first routine after a bridge also jumps back across the bank end.
    const std::int32_t backTo = bank > 0 ? game.Blocks[bridges[static_cast<std::size_t>(bank - 1)]].Address : -1;
    while (cursor < limit) {
      CodeBlock routine = game.MakeRoutine(cursor, backTo >= 0 && cursor == bank * BankSize ? backTo : -1);
      if (cursor + static_cast<std::int32_t>(routine.Body.size()) > limit) break;
      const std::size_t index = game.Add(std::move(routine));
      game.PlaceBlock(index, cursor);
      game.Callable.push_back(index);
      cursor += static_cast<std::int32_t>(game.Blocks[index].Body.size());
      for (int n = game.Random.Between(0, 2); n > 0 && cursor < limit; --n)
        cursor += game.WriteData(cursor, limit - cursor);
    }
    cursor = bankEnd;
  }
  if (game.Callable.empty()) game.Callable.push_back(dispatcherIndex);

  // Paged banks: data, and code that runs only once paged in.
  while (cursor < size) {
    if (game.Random.OneIn(6)) {
      CodeBlock routine = game.MakeRoutine();
      const auto length = std::min(static_cast<std::int32_t>(routine.Body.size()), size - cursor);
      if (length == static_cast<std::int32_t>(routine.Body.size())) {
        game.PlaceBlock(game.Add(std::move(routine)), cursor);
        cursor += length;
        continue;
      }
    }
    cursor += game.WriteData(cursor, size - cursor);
  }
  game.ResolveFixups();
  return game.Image;
}

std::vector<std::uint8_t> RandomImage(std::int32_t size, std::uint32_t seed) {
  Xorshift random = Seeded(seed);
  Bytes image(static_cast<std::size_t>(size));
  for (std::uint8_t& byte : image) byte = random.Byte();
  return image;
}

std::vector<std::uint8_t> DenseCodeImage(const opcodes::OpcodeTable& table, std::int32_t size, std::uint32_t seed) {
  Xorshift random = Seeded(seed);
  Bytes image(static_cast<std::size_t>(size), 0);
  // jp $0070, ret at each RST vector, reti and retn at the interrupt entry
  // points, so that no trace starts inside an instruction.
  Place(image, 0x00, {0xC3, 0x70, 0x00});
  for (std::int32_t vector = 0x08; vector <= 0x30; vector += 8) Place(image, vector, {0xC9});
  Place(image, 0x38, {0xED, 0x4D});
  Place(image, 0x66, {0xED, 0x45});

  // Page weights: mostly base instructions, as in real code.
  static constexpr std::array<int, 10> Pages = {0, 0, 0, 0, 1, 1, 2, 3, 3, 4};
  std::vector<std::int32_t> lowStarts;  // absolute targets can reach only these
  std::array<std::int32_t, 32> recent{};
  std::size_t recentCount = 0;
  const auto record = [&](std::int32_t at) {
    if (at < 0x10000) lowStarts.push_back(at);
    recent[recentCount++ % recent.size()] = at;
  };

  // Room for the longest step, a jr and its gap; the last bytes stay nops.
  std::int32_t position = 0x70;
  while (position + 2 + 32 <= size) {
    if (random.OneIn(64)) {
      // jr over a few random bytes, which stay data
      const std::int32_t gap = random.Between(1, 16);
      record(position);
      Place(image, position, {0x18, gap});
      for (std::int32_t i = 0; i < gap; ++i) image[static_cast<std::size_t>(position + 2 + i)] = random.Byte();
      position += 2 + gap;
      continue;
    }
    int index = 0;
    do {
      index =
          Pages[random.Below(static_cast<std::uint32_t>(Pages.size()))] * 0x100 + static_cast<int>(random.Below(0x100));
    } while (!IsSelectableForm(index) || EndsRun(index));
    FormOperands operands{random.Byte(), random.Byte(), static_cast<std::uint16_t>(random.Next()), 0, 0};
    const std::int32_t length = FormLength(table, index);
    if (!lowStarts.empty())
      operands.Target =
          static_cast<std::uint16_t>(lowStarts[random.Below(static_cast<std::uint32_t>(lowStarts.size()))]);
    // A relative jump leads to the next instruction or back to a recent one;
    // the decoder counts from two bytes after the first.
    std::int32_t target = position + length;
    if (recentCount > 0 && random.OneIn(2)) {
      const std::int32_t back = recent[random.Below(static_cast<std::uint32_t>(std::min(recentCount, recent.size())))];
      if (back - (position + 2) >= -128) target = back;
    }
    operands.Relative = static_cast<std::uint8_t>(target - (position + 2));
    record(position);
    const Bytes bytes = FormBytes(table, index, IndexPrefixOf(random, index), operands);
    std::copy(bytes.begin(), bytes.end(), image.begin() + position);
    position += static_cast<std::int32_t>(bytes.size());
  }
  return image;
}

std::vector<std::uint8_t> BankStraddleImage() {
  Bytes image(0x10000, 0);
  Place(image, 0x0000, {0xC3, 0xF0, 0x3F});  // jp $3FF0
  Place(image, 0x0038, {0xED, 0x4D});
  Place(image, 0x0066, {0xED, 0x45});
  // ld a,1 ... ld l,7, then ld hl,$1234 over the end of bank 0
  Place(image, 0x3FF0, {0x3E, 0x01, 0x06, 0x02, 0x0E, 0x03, 0x16, 0x04, 0x1E, 0x05, 0x26, 0x06, 0x2E, 0x07});
  Place(image, 0x3FFE, {0x21, 0x34, 0x12});
  Place(image, 0x4001, {0xDD, 0x7E, 0x05, 0xC3, 0xF8, 0x7F});  // ld a,(ix+5); jp $7FF8
  // bit 0,(ix+5) over the end of bank 1
  Place(image, 0x7FF8, {0x3E, 0x10, 0x06, 0x20, 0x00, 0xDD, 0xCB, 0x05, 0x46});
  Place(image, 0x8001, {0xC3, 0xF8, 0xBF});  // jp $BFF8
  // jr nz over the end of bank 2, to $C004
  Place(image, 0xBFF8, {0x3E, 0x01, 0x06, 0x02, 0x0E, 0x03, 0x00, 0x20, 0x03});
  // Bank 3 is reached by relative jumps only, as absolute ones would name
  // slot 2 addresses; a chain of jr leads to a call cut by the image's end.
  std::int32_t position = 0xC004;
  constexpr std::int32_t Last = 0xFFF8;
  while (Last - (position + 2) > 127) {
    Place(image, position, {0x18, 0x7F});
    position += 2 + 0x7F;
  }
  Place(image, position, {0x18, Last - (position + 2)});
  Place(image, Last, {0x3E, 0x01, 0x06, 0x02, 0x0E, 0x03, 0x00, 0xCD});
  return image;
}

FormsImage AllFormsImage(const opcodes::OpcodeTable& table) {
  FormsImage result;
  Bytes& image = result.Bytes;
  image.assign(0x100, 0);
  Place(image, 0x00, {0xC3, 0x00, 0x01});  // jp $0100
  Place(image, 0x38, {0xED, 0x4D});
  Place(image, 0x66, {0xED, 0x45});

  const auto place = [&](int index, std::uint8_t prefix, bool high) {
    const std::int32_t length = FormLength(table, index);
    // A form after which the trace stops, and that leads nowhere itself,
    // is jumped over by a jr nz so that the trace reaches the next one.
    if (EndsRun(index) && !HasTarget(table, index))
      image.insert(image.end(), {0x20, static_cast<std::uint8_t>(length)});
    const auto at = static_cast<std::int32_t>(image.size());
    const FormOperands operands{high ? std::uint8_t{0xFE} : std::uint8_t{0x05},
                                high ? std::uint8_t{0x9A} : std::uint8_t{0x12},
                                high ? std::uint16_t{0xBCDE} : std::uint16_t{0x3456},
                                static_cast<std::uint16_t>(at + length), static_cast<std::uint8_t>(length - 2)};
    const Bytes bytes = FormBytes(table, index, prefix, operands);
    image.insert(image.end(), bytes.begin(), bytes.end());
    result.Forms.push_back({index, prefix, at, high});
  };
  for (const bool high : {false, true}) {
    for (int index = 0; index < opcodes::OpcodeTableSize; ++index) {
      if (!IsSelectableForm(index)) continue;
      if (index >> 8 >= 3) {
        place(index, 0xDD, high);
        place(index, 0xFD, high);
      } else {
        place(index, 0, high);
      }
    }
  }
  image.push_back(0xC9);
  return result;
}

}  // namespace bytegleaner::testing
