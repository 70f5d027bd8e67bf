#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace bytegleaner::analysis {

struct Examination;

// Labels are recorded in the order the tracer finds them, which is also
// their numbering. Lookups by offset go through a rank index (one bit per
// offset, a running count per 64 offsets, numbers in offset order) that is
// made when the first lookup follows new labels: the tracer only records,
// the writer only looks up, so it is made once per examination and costs a
// few bytes per label instead of a hash table's slack.
struct LabelList {
  std::vector<std::int32_t> OffsetsInOrder;
  std::int32_t LabelCount = 0;

  struct RankIndex {
    std::vector<std::uint64_t> Bits;
    std::vector<std::int32_t> RanksBefore;
    std::vector<std::int32_t> Numbers;
    std::int32_t MadeForCount = -1;
  };
  mutable RankIndex Index;
  // Names a user gave, by offset, in place of the made ones; few or none.
  std::unordered_map<std::int32_t, std::string> GivenNames;
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
