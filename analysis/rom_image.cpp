#include "analysis/examination.h"

namespace bytegleaner::analysis {

void LoadRom(Examination& examination, std::span<const std::uint8_t> fileBytes) {
  const std::size_t size = fileBytes.size();
  examination.Rom.RomSize = static_cast<std::int32_t>(size);
  examination.Rom.Bytes.assign(fileBytes.begin(), fileBytes.end());
  examination.Rom.Bytes.resize(size + SpareBytes, 0);
  examination.Map.assign(size + SpareBytes, 0);
  ClearLabels(examination.Labels);
}

}  // namespace bytegleaner::analysis
