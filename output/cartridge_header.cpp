#include "output/cartridge_header.h"

#include "output/data_lines.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>

namespace bytegleaner::output {

namespace {

constexpr std::string_view Signature = "TMR SEGA";
constexpr std::array<std::int32_t, 3> HeaderPlaces{0x7FF0, 0x3FF0, 0x1FF0};

// Field positions inside the header.
constexpr std::int32_t ReservedAt = 8;
constexpr std::int32_t ChecksumAt = 10;
constexpr std::int32_t ProductCodeAt = 12;
constexpr std::int32_t VersionAt = 14;
constexpr std::int32_t RegionAndSizeAt = 15;

struct SizeEntry {
  std::uint8_t Code;
  ChecksumRange Range;
};

// Sizes above 32 KB skip the header at $7FF0-$7FFF and go on from $8000.
// 48 KB is summed the way the BIOS sums it, over one range that takes in
// the header and so the checksum itself.
constexpr std::array<SizeEntry, 9> Sizes{{
    {0xA, {0x2000, 0x1FF0, 0}},
    {0xB, {0x4000, 0x3FF0, 0}},
    {0xC, {0x8000, 0x7FF0, 0}},
    {0xD, {0xC000, 0xBFF0, 0}},
    {0xE, {0x10000, 0x7FF0, 0x10000}},
    {0xF, {0x20000, 0x7FF0, 0x20000}},
    {0x0, {0x40000, 0x7FF0, 0x40000}},
    {0x1, {0x80000, 0x7FF0, 0x80000}},
    {0x2, {0x100000, 0x7FF0, 0x100000}},
}};

bool SignatureAt(const analysis::RomImage& rom, std::int32_t offset) {
  if (offset + CartridgeHeaderSize > rom.RomSize) return false;
  return std::equal(Signature.begin(), Signature.end(), rom.Bytes.begin() + offset);
}

std::uint16_t SumOf(const analysis::RomImage& rom, std::int32_t start, std::int32_t end) {
  std::uint32_t sum = 0;
  for (std::int32_t offset = start; offset < end; ++offset) sum += rom.ByteAt(offset);
  return static_cast<std::uint16_t>(sum);
}

bool IsDecimal(std::uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0xF) <= 9; }

void AppendRange(std::string& out, std::int32_t start, std::int32_t end) {
  out += '$';
  out += start == 0 ? "0000" : text::HexText(static_cast<std::uint32_t>(start));
  out += "-$";
  text::AppendHex(out, static_cast<std::uint32_t>(end - 1));
}

void AppendSummedRanges(std::string& out, const ChecksumRange& range) {
  AppendRange(out, 0, range.LowerEnd);
  if (range.UpperEnd != 0) {
    out += " and ";
    AppendRange(out, 0x8000, range.UpperEnd);
  }
}

void AppendKilobytes(std::string& out, std::int32_t size) {
  text::AppendDecimal(out, size / 1024);
  out += " KB";
}

void AppendChecksumComment(std::string& out, const CartridgeHeader& header) {
  out += "checksum ";
  text::AppendDollarHex(out, header.StoredChecksum);
  if (header.Range.DeclaredSize == 0) {
    out += ", not checked: no size declared";
  } else if (!header.Summed) {
    out += ", not checked: the declared ";
    AppendKilobytes(out, header.Range.DeclaredSize);
    out += " are more than the image";
  } else if (header.ComputedChecksum == header.StoredChecksum) {
    out += ", matches the sum of ";
    AppendSummedRanges(out, header.Range);
  } else {
    out += ", but the sum of ";
    AppendSummedRanges(out, header.Range);
    out += " is ";
    text::AppendDollarHex(out, header.ComputedChecksum);
  }
}

// The last four digits are decimal in two bytes, low byte first; the high
// half of the next byte holds the digits before them.
void AppendProductComment(std::string& out, const analysis::RomImage& rom, const CartridgeHeader& header) {
  const std::uint8_t low = rom.ByteAt(header.Offset + ProductCodeAt);
  const std::uint8_t high = rom.ByteAt(header.Offset + ProductCodeAt + 1);
  const std::uint8_t leading = rom.ByteAt(header.Offset + VersionAt) >> 4;
  out += "product code ";
  if (IsDecimal(low) && IsDecimal(high)) {
    const std::uint32_t lastFour = static_cast<std::uint32_t>((high >> 4) * 1000 + (high & 0xF) * 100 +
                                                              (low >> 4) * 10 + (low & 0xF));
    text::AppendDecimal(out, static_cast<std::int64_t>(leading) * 10000 + lastFour);
  } else {
    out += "not decimal";
  }
  out += ", version ";
  text::AppendDecimal(out, header.Version);
}

void AppendRegionAndSizeComment(std::string& out, const CartridgeHeader& header) {
  const std::string_view region = RegionName(header.RegionCode);
  if (region.empty()) {
    out += "unknown region ";
    text::AppendDecimal(out, header.RegionCode);
  } else {
    out += "region ";
    out += region;
  }
  if (header.Range.DeclaredSize == 0) {
    out += ", unknown size code ";
    text::AppendDollarHex(out, header.SizeCode);
  } else {
    out += ", declared size ";
    AppendKilobytes(out, header.Range.DeclaredSize);
  }
}

void AppendDbLine(std::string& out, const analysis::RomImage& rom, std::int32_t start, std::int32_t count) {
  out += ".db ";
  for (std::int32_t i = 0; i < count; ++i) {
    if (i > 0) out += ", ";
    AppendByteItem(out, rom.ByteAt(start + i));
  }
  out += " ; ";
}

}  // namespace

std::optional<std::int32_t> FindCartridgeHeader(const analysis::RomImage& rom) {
  for (const std::int32_t offset : HeaderPlaces) {
    if (SignatureAt(rom, offset)) return offset;
  }
  return std::nullopt;
}

ChecksumRange ChecksumRangeOfSize(std::uint8_t sizeCode) {
  for (const SizeEntry& entry : Sizes) {
    if (entry.Code == sizeCode) return entry.Range;
  }
  return {};
}

std::string_view RegionName(std::uint8_t regionCode) {
  switch (regionCode) {
    case 3: return "SMS Japan";
    case 4: return "SMS Export";
    case 5: return "GG Japan";
    case 6: return "GG Export";
    case 7: return "GG International";
    default: return {};
  }
}

CartridgeHeader DecodeCartridgeHeader(const analysis::RomImage& rom, std::int32_t offset) {
  CartridgeHeader header;
  header.Offset = offset;
  header.StoredChecksum = rom.WordAt(offset + ChecksumAt);
  header.Version = rom.ByteAt(offset + VersionAt) & 0xF;
  const std::uint8_t regionAndSize = rom.ByteAt(offset + RegionAndSizeAt);
  header.RegionCode = regionAndSize >> 4;
  header.SizeCode = regionAndSize & 0xF;
  header.Range = ChecksumRangeOfSize(header.SizeCode);
  const ChecksumRange& range = header.Range;
  const std::int32_t summedEnd = range.UpperEnd != 0 ? range.UpperEnd : range.LowerEnd;
  header.Summed = range.DeclaredSize != 0 && summedEnd <= rom.RomSize;
  if (header.Summed) {
    header.ComputedChecksum = SumOf(rom, 0, range.LowerEnd);
    if (range.UpperEnd != 0) header.ComputedChecksum += SumOf(rom, 0x8000, range.UpperEnd);
  }
  return header;
}

void WriteCartridgeHeader(std::string& out, const analysis::RomImage& rom, const CartridgeHeader& header,
                          std::string_view label) {
  const std::int32_t at = header.Offset;
  out += "; Cartridge header at ";
  text::AppendDollarHex(out, static_cast<std::uint32_t>(at));
  out += " (16 bytes)\r\n";
  out += label;
  out += ":\r\n.db \"TMR SEGA\" ; signature\r\n";
  AppendDbLine(out, rom, at + ReservedAt, 2);
  out += "reserved\r\n";
  AppendDbLine(out, rom, at + ChecksumAt, 2);
  AppendChecksumComment(out, header);
  out += "\r\n";
  AppendDbLine(out, rom, at + ProductCodeAt, 3);
  AppendProductComment(out, rom, header);
  out += "\r\n";
  AppendDbLine(out, rom, at + RegionAndSizeAt, 1);
  AppendRegionAndSizeComment(out, header);
  out += "\r\n";
}

bool WriteCartridgeHeaderAt(std::string& out, const analysis::RomImage& rom, std::int32_t offset,
                            std::string_view label) {
  if (FindCartridgeHeader(rom) != offset) return false;
  WriteCartridgeHeader(out, rom, DecodeCartridgeHeader(rom, offset), label);
  return true;
}

}  // namespace bytegleaner::output
