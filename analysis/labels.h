#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bytegleaner::analysis {

struct Examination;

// Labels by offset in an open-addressing hash table: a lookup is one probe
// sequence, and a label costs 8 bytes of table instead of a node and a name.
// Names are made from offset and number when asked for.
struct LabelList {
  struct Slot {
    std::int32_t Offset = -1;  // -1: empty
    std::int32_t Number = 0;
  };
  std::vector<Slot> Slots;
  std::int32_t LabelCount = 0;
};

void ClearLabels(LabelList& labels);

// Records a label for an offset inside the image unless it has one.
void AddLabel(Examination& examination, std::int32_t offset);

// The label's name, or empty for an offset without one.
std::string FindLabel(const LabelList& labels, std::int32_t offset);

// Appends the label's name; false (and nothing appended) without one.
bool AppendLabelName(std::string& out, const LabelList& labels, std::int32_t offset);

std::string LabelName(std::int32_t offset, std::int32_t number);

}  // namespace bytegleaner::analysis
