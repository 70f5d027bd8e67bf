#include "analysis/labels.h"

#include "analysis/examination.h"
#include "shell/number_text.h"

#include <array>
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

}  // namespace

std::string LabelName(std::int32_t offset, std::int32_t number) {
  for (const auto& [fixedOffset, name] : FixedNames) {
    if (fixedOffset == offset) return std::string(name);
  }
  std::string name = "_Label_";
  shell::AppendHex(name, static_cast<std::uint32_t>(offset));
  name.push_back('_');
  shell::AppendDecimal(name, number);
  return name;
}

void ClearLabels(LabelList& labels) {
  labels.Names.clear();
  labels.LabelCount = 0;
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
  ++labels.LabelCount;
  labels.Names.emplace(offset, LabelName(offset, labels.LabelCount));
}

std::string_view FindLabel(const LabelList& labels, std::int32_t offset) {
  const auto found = labels.Names.find(offset);
  return found == labels.Names.end() ? std::string_view{} : std::string_view{found->second};
}

}  // namespace bytegleaner::analysis
