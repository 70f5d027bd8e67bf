#pragma once

#include <array>
#include <cstdint>

namespace bytegleaner::thorough {

inline constexpr std::int32_t SlotSize = 0x4000;
inline constexpr std::uint32_t FirstRamAddress = 0xC000;

[[nodiscard]] inline int SlotOf(std::uint32_t address) { return static_cast<int>(address >> 14); }
[[nodiscard]] inline std::int32_t BankOf(std::int32_t offset) { return offset >> 14; }

// The banks the Sega mapper holds in slots 1 and 2 as far as a run knows
// them. Slot 0 holds bank 0 throughout: games keep their fixed code there,
// and its first kilobyte never moves anyway.
struct Paging {
  std::array<std::uint8_t, 2> Banks{1, 2};  // of slots 1 and 2
  std::uint8_t KnownSlots = 3;              // bit 0: slot 1, bit 1: slot 2

  [[nodiscard]] bool Knows(int slot) const { return slot == 0 || (KnownSlots & (1 << (slot - 1))) != 0; }
  [[nodiscard]] std::int32_t BankIn(int slot) const {
    return slot == 0 ? 0 : Banks[static_cast<std::size_t>(slot - 1)];
  }
  void Forget(int slot) { KnownSlots = static_cast<std::uint8_t>(KnownSlots & ~(1 << (slot - 1))); }
  void Page(int slot, std::uint8_t bank) {
    Banks[static_cast<std::size_t>(slot - 1)] = bank;
    KnownSlots = static_cast<std::uint8_t>(KnownSlots | (1 << (slot - 1)));
  }
};

// The image offset the CPU reads at `address` under the paging, or -1 for
// RAM, a slot whose bank is unknown, or a place past the image's end.
[[nodiscard]] inline std::int32_t ImageOffsetOf(std::uint32_t address, const Paging& paging, std::int32_t romSize) {
  if (address >= FirstRamAddress) return -1;
  const int slot = SlotOf(address);
  if (!paging.Knows(slot)) return -1;
  const std::int32_t offset = paging.BankIn(slot) * SlotSize + static_cast<std::int32_t>(address & (SlotSize - 1));
  return offset < romSize ? offset : -1;
}

// The CPU address of an image offset whose bank sits in `slot`.
[[nodiscard]] inline std::uint32_t AddressIn(std::int32_t offset, int slot) {
  return static_cast<std::uint32_t>(slot * SlotSize + (offset & (SlotSize - 1)));
}

// The effect of writing a byte to a mapper register ($FFFC-$FFFF) on the
// paging: a bank the image does not have leaves the slot unknown rather
// than guessing how a cartridge would mirror it. The first kilobyte's
// slot-0 register and the RAM switch that pages nothing the trace can read
// ($FFFC without bit 3) change nothing.
void WriteMapper(Paging& paging, std::uint32_t address, bool known, std::uint8_t value, std::int32_t bankCount);

// The bank number last written to a mapper register, as a read of it gives.
bool ReadMapper(const Paging& paging, std::uint32_t address, std::uint8_t& value);

[[nodiscard]] inline bool IsMapperRegister(std::uint32_t address) { return address >= 0xFFFC && address <= 0xFFFF; }

}  // namespace bytegleaner::thorough
