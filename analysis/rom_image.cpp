#include "analysis/examination.h"

#include <algorithm>

namespace bytegleaner::analysis {

void LoadRom(Examination& examination, std::span<const std::uint8_t> fileBytes) {
  LoadRom(examination, std::vector<std::uint8_t>(fileBytes.begin(), fileBytes.end()));
}

void LoadRom(Examination& examination, std::vector<std::uint8_t>&& fileBytes) {
  const std::size_t size = fileBytes.size();
  examination.Rom.RomSize = static_cast<std::int32_t>(size);
  // Release the previous image first so two never exist at once.
  examination.Rom.Bytes = {};
  examination.Map = {};
  examination.Rom.Bytes = std::move(fileBytes);
  examination.Rom.Bytes.resize(size + SpareBytes, 0);
  examination.Map.assign(size + SpareBytes, 0);
  ClearLabels(examination.Labels);
  // Every label but the fixed ones is the target of an instruction of two
  // bytes at least; reserving room for that many costs address space only
  // and spares copying a growing list in code full of jumps.
  constexpr std::size_t LargestReservation = std::size_t{1} << 24;
  examination.Labels.OffsetsInOrder.reserve(std::min(size / 2 + 16, LargestReservation));
}

}  // namespace bytegleaner::analysis
