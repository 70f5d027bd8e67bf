#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace bytegleaner::analysis {

struct Examination;

// Every lookup is by offset, so the list is a hash map; nothing depends on
// the order in which labels were recorded except their numbers.
struct LabelList {
  std::unordered_map<std::int32_t, std::string> Names;
  std::int32_t LabelCount = 0;
};

void ClearLabels(LabelList& labels);

// Records a label for an offset inside the image unless it has one.
void AddLabel(Examination& examination, std::int32_t offset);

// The label's name, or empty for an offset without one.
std::string_view FindLabel(const LabelList& labels, std::int32_t offset);

std::string LabelName(std::int32_t offset, std::int32_t number);

}  // namespace bytegleaner::analysis
