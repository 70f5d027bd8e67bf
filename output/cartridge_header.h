#pragma once

#include "analysis/rom_image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bytegleaner::output {

inline constexpr std::int32_t CartridgeHeaderSize = 16;
// The header's label unless a name is given for it; the program's own
// labels begin with "_", so it never meets a user's name.
inline constexpr std::string_view CartridgeHeaderLabel = "_CartridgeHeader";

// The ranges the console's BIOS sums for a declared size: from $0000 up to
// LowerEnd, then from $8000 up to UpperEnd when UpperEnd is not 0.
struct ChecksumRange {
  std::int32_t DeclaredSize = 0;  // 0: the size code declares no size
  std::int32_t LowerEnd = 0;
  std::int32_t UpperEnd = 0;
};

struct CartridgeHeader {
  std::int32_t Offset = 0;  // where "TMR SEGA" starts
  std::uint16_t StoredChecksum = 0;
  std::uint8_t RegionCode = 0;
  std::uint8_t SizeCode = 0;
  std::uint8_t Version = 0;
  ChecksumRange Range;
  // Whether the declared range lies inside the image, and its sum if so.
  bool Summed = false;
  std::uint16_t ComputedChecksum = 0;
};

// Where the header starts: the first of $7FF0, $3FF0 and $1FF0 that holds
// "TMR SEGA" with all 16 bytes inside the image.
std::optional<std::int32_t> FindCartridgeHeader(const analysis::RomImage& rom);

// Decodes the header at an offset FindCartridgeHeader gave, summing the
// declared range (work grows with the declared size).
CartridgeHeader DecodeCartridgeHeader(const analysis::RomImage& rom, std::int32_t offset);

ChecksumRange ChecksumRangeOfSize(std::uint8_t sizeCode);
std::string_view RegionName(std::uint8_t regionCode);

// The header's 16 bytes as they are, as a labelled block of `.db` lines
// whose comments decode them.
void WriteCartridgeHeader(std::string& out, const analysis::RomImage& rom, const CartridgeHeader& header,
                          std::string_view label);

// For the source writer: writes the block and returns true when the
// image's header starts at `offset`; writes nothing otherwise.
bool WriteCartridgeHeaderAt(std::string& out, const analysis::RomImage& rom, std::int32_t offset,
                            std::string_view label = CartridgeHeaderLabel);

}  // namespace bytegleaner::output
