#include "analysis/thorough/paging.h"

namespace bytegleaner::thorough {

void WriteMapper(Paging& paging, std::uint32_t address, bool known, std::uint8_t value, std::int32_t bankCount) {
  if (address == 0xFFFC) {
    // Bit 3 puts cartridge RAM into slot 2.
    if (known && (value & 0x08) != 0) paging.Forget(2);
    return;
  }
  if (address != 0xFFFE && address != 0xFFFF) return;
  const int slot = address == 0xFFFE ? 1 : 2;
  if (known && value < bankCount) {
    paging.Page(slot, value);
  } else {
    paging.Forget(slot);
  }
}

bool ReadMapper(const Paging& paging, std::uint32_t address, std::uint8_t& value) {
  if (address != 0xFFFE && address != 0xFFFF) return false;
  const int slot = address == 0xFFFE ? 1 : 2;
  if (!paging.Knows(slot)) return false;
  value = static_cast<std::uint8_t>(paging.BankIn(slot));
  return true;
}

}  // namespace bytegleaner::thorough
