#include "output/hardware_names.h"

#include <array>

namespace bytegleaner::output {

namespace {

enum class Space : std::uint8_t { Port, Memory };

struct HardwareRegister {
  Space Where;
  std::uint16_t Address;
  std::string_view ReadName;
  std::string_view WriteName;
};

// Every console port and mapper register the output names. Ports $00-$06
// exist on the Game Gear only; the FM unit's are on Japanese consoles.
constexpr std::array<HardwareRegister, 22> Registers{{
    {Space::Port, 0x00, "Game Gear start button and region", "Game Gear start button and region"},
    {Space::Port, 0x01, "Game Gear link port data", "Game Gear link port data"},
    {Space::Port, 0x02, "Game Gear link port direction", "Game Gear link port direction"},
    {Space::Port, 0x03, "Game Gear serial send", "Game Gear serial send"},
    {Space::Port, 0x04, "Game Gear serial receive", "Game Gear serial receive"},
    {Space::Port, 0x05, "Game Gear serial control", "Game Gear serial control"},
    {Space::Port, 0x06, "Game Gear stereo", "Game Gear stereo"},
    {Space::Port, 0x3E, "memory control", "memory control"},
    {Space::Port, 0x3F, "I/O control", "I/O control"},
    {Space::Port, 0x7E, "V counter", "PSG"},
    {Space::Port, 0x7F, "H counter", "PSG"},
    {Space::Port, 0xBE, "VDP data", "VDP data"},
    {Space::Port, 0xBF, "VDP status", "VDP control"},
    {Space::Port, 0xDC, "joypad port 1", "joypad port 1"},
    {Space::Port, 0xDD, "joypad port 2", "joypad port 2"},
    {Space::Port, 0xF0, "FM unit register select", "FM unit register select"},
    {Space::Port, 0xF1, "FM unit data", "FM unit data"},
    {Space::Port, 0xF2, "FM unit detect", "FM unit control"},
    // Reading these reads the RAM beneath, which keeps what was last written.
    {Space::Memory, 0xFFFC, "mapper control", "mapper control"},
    {Space::Memory, 0xFFFD, "slot 0 bank", "slot 0 bank"},
    {Space::Memory, 0xFFFE, "slot 1 bank", "slot 1 bank"},
    {Space::Memory, 0xFFFF, "slot 2 bank", "slot 2 bank"},
}};

std::string_view Find(Space where, std::uint16_t address, Access access) {
  for (const HardwareRegister& entry : Registers) {
    if (entry.Where == where && entry.Address == address) {
      return access == Access::Read ? entry.ReadName : entry.WriteName;
    }
  }
  return {};
}

std::uint16_t WordAfterOpcode(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint16_t>(bytes[1] | (bytes[2] << 8));
}

// The names of `width` bytes from `address`, joined; a word access can
// reach two registers.
std::string MemoryNames(std::uint16_t address, int width, Access access) {
  std::string names;
  for (int i = 0; i < width; ++i) {
    const std::string_view name = MemoryRegisterName(static_cast<std::uint16_t>(address + i), access);
    if (name.empty()) continue;
    if (!names.empty()) names += ", ";
    names += name;
  }
  return names;
}

}  // namespace

std::string_view PortName(std::uint8_t port, Access access) { return Find(Space::Port, port, access); }

std::string_view MemoryRegisterName(std::uint16_t address, Access access) {
  return Find(Space::Memory, address, access);
}

std::string HardwareAccessComment(std::span<const std::uint8_t> instruction) {
  std::span<const std::uint8_t> bytes = instruction;
  bool edPage = false;
  // An index prefix turns HL into IX or IY and leaves the other forms named
  // here as they are; an ED prefix selects the word loads and stores.
  if (!bytes.empty() && (bytes[0] == 0xDD || bytes[0] == 0xFD)) {
    bytes = bytes.subspan(1);
  } else if (!bytes.empty() && bytes[0] == 0xED) {
    bytes = bytes.subspan(1);
    edPage = true;
  }
  if (bytes.size() == 2 && !edPage) {
    if (bytes[0] == 0xD3) return std::string(PortName(bytes[1], Access::Write));
    if (bytes[0] == 0xDB) return std::string(PortName(bytes[1], Access::Read));
    return {};
  }
  if (bytes.size() != 3) return {};
  const std::uint8_t opcode = bytes[0];
  const std::uint16_t word = WordAfterOpcode(bytes);
  if (edPage) {
    // ld (nn),bc/de/hl/sp and ld bc/de/hl/sp,(nn)
    if ((opcode & 0xC7) == 0x43) return MemoryNames(word, 2, (opcode & 0x08) != 0 ? Access::Read : Access::Write);
    return {};
  }
  switch (opcode) {
    case 0x32: return MemoryNames(word, 1, Access::Write);  // ld (nn),a
    case 0x3A: return MemoryNames(word, 1, Access::Read);   // ld a,(nn)
    case 0x22: return MemoryNames(word, 2, Access::Write);  // ld (nn),hl
    case 0x2A: return MemoryNames(word, 2, Access::Read);   // ld hl,(nn)
    // ld bc/de/hl,nn: the address a following ld (rr),a will write.
    case 0x01:
    case 0x11:
    case 0x21: return MemoryNames(word, 1, Access::Write);
    default: return {};
  }
}

}  // namespace bytegleaner::output
