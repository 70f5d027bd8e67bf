#include "analysis/labels.h"

#include "analysis/examination.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>
#include <utility>

namespace bytegleaner::analysis {

namespace {

constexpr std::array<std::pair<std::int32_t, std::string_view>, 9> FixedNames{{
    {0x00, "_START"},
    {0x08, "_RST_08H"},
    {0x10, "_RST_10H"},
    {0x18, "_RST_18H"},
    {0x20, "_RST_20H"},
    {0x28, "_RST_28H"},
    {0x30, "_RST_30H"},
    {0x38, "_IRQ_HANDLER"},
    {0x66, "_NMI_HANDLER"},
}};

using RankIndex = LabelList::RankIndex;

void MakeIndex(const LabelList& labels) {
  RankIndex& index = labels.Index;
  std::int32_t largest = -1;
  for (const std::int32_t offset : labels.OffsetsInOrder) largest = std::max(largest, offset);
  const auto words = static_cast<std::size_t>(largest / 64 + 1);
  index.Bits.assign(words, 0);
  for (const std::int32_t offset : labels.OffsetsInOrder) {
    index.Bits[static_cast<std::size_t>(offset / 64)] |= std::uint64_t{1} << (offset % 64);
  }
  index.RanksBefore.resize(words);
  std::int32_t rank = 0;
  for (std::size_t word = 0; word < words; ++word) {
    index.RanksBefore[word] = rank;
    rank += std::popcount(index.Bits[word]);
  }
  index.Numbers.resize(labels.OffsetsInOrder.size());
  for (std::size_t i = 0; i < labels.OffsetsInOrder.size(); ++i) {
    const std::int32_t offset = labels.OffsetsInOrder[i];
    const std::uint64_t word = index.Bits[static_cast<std::size_t>(offset / 64)];
    const std::uint64_t below = word & ((std::uint64_t{1} << (offset % 64)) - 1);
    index.Numbers[static_cast<std::size_t>(index.RanksBefore[static_cast<std::size_t>(offset / 64)] + std::popcount(below))] =
        static_cast<std::int32_t>(i + 1);
  }
  index.MadeForCount = labels.LabelCount;
}

// The label's number, or 0 without one.
std::int32_t FindNumber(const LabelList& labels, std::int32_t offset) {
  if (offset < 0 || labels.LabelCount == 0) return 0;
  if (labels.Index.MadeForCount != labels.LabelCount) MakeIndex(labels);
  const RankIndex& index = labels.Index;
  const auto word = static_cast<std::size_t>(offset / 64);
  if (word >= index.Bits.size()) return 0;
  const std::uint64_t bit = std::uint64_t{1} << (offset % 64);
  if ((index.Bits[word] & bit) == 0) return 0;
  return index.Numbers[static_cast<std::size_t>(index.RanksBefore[word] + std::popcount(index.Bits[word] & (bit - 1)))];
}

// Names are made in a buffer and appended once: every code line with a
// label or a target asks for one.
void AppendName(std::string& out, std::int32_t offset, std::int32_t number) {
  if (offset <= FixedNames.back().first) {
    for (const auto& [fixedOffset, name] : FixedNames) {
      if (fixedOffset == offset) {
        out += name;
        return;
      }
    }
  }
  constexpr std::string_view Prefix = "_Label_";
  std::array<char, 32> buffer;  // the prefix, 8 digits, "_" and 10 digits
  char* end = std::copy(Prefix.begin(), Prefix.end(), buffer.data());
  end = text::FormatHex(end, static_cast<std::uint32_t>(offset));
  *end++ = '_';
  end = text::FormatDecimal(end, static_cast<std::uint32_t>(number));
  out.append(buffer.data(), end);
}

}  // namespace

std::string LabelName(std::int32_t offset, std::int32_t number) {
  std::string name;
  AppendName(name, offset, number);
  return name;
}

void ClearLabels(LabelList& labels) {
  labels.OffsetsInOrder.clear();
  labels.LabelCount = 0;
  labels.Index = {};
  labels.GivenNames.clear();
}

void AddLabel(Examination& examination, std::int32_t offset) {
  // Labels outside the image could never be defined in the source, so they
  // are neither recorded nor counted (this matters only for images shorter
  // than the interrupt entry points).
  if (!examination.Rom.Contains(offset)) return;
  std::uint8_t& flags = examination.Map[static_cast<std::size_t>(offset)];
  if ((flags & HasLabel) != 0) return;
  flags |= HasLabel;
  LabelList& labels = examination.Labels;
  labels.OffsetsInOrder.push_back(offset);
  ++labels.LabelCount;
}

bool AppendLabelName(std::string& out, const LabelList& labels, std::int32_t offset) {
  const std::int32_t number = FindNumber(labels, offset);
  if (number == 0) return false;
  if (!labels.GivenNames.empty()) {
    if (const auto given = labels.GivenNames.find(offset); given != labels.GivenNames.end()) {
      out += given->second;
      return true;
    }
  }
  AppendName(out, offset, number);
  return true;
}

std::string FindLabel(const LabelList& labels, std::int32_t offset) {
  std::string name;
  AppendLabelName(name, labels, offset);
  return name;
}

}  // namespace bytegleaner::analysis
