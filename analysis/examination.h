#pragma once

#include "analysis/labels.h"
#include "analysis/rom_image.h"

#include <span>

namespace bytegleaner::analysis {

// What one examination works on: the image, its flags and its labels. They
// stay after the examination until the next one replaces them.
struct Examination {
  RomImage Rom;
  AnalysisMap Map;
  LabelList Labels;
};

// Takes the file's bytes as the new image with an all-zero map and no labels.
void LoadRom(Examination& examination, std::span<const std::uint8_t> fileBytes);
// The same, taking over the bytes without a copy.
void LoadRom(Examination& examination, std::vector<std::uint8_t>&& fileBytes);

}  // namespace bytegleaner::analysis
