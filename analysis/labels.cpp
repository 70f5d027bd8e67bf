#include "analysis/labels.h"

#include "analysis/examination.h"
#include "shell/number_text.h"

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

constexpr std::size_t InitialSlots = 1024;

// Fibonacci hashing: the product's high bits mix every bit of the offset,
// so evenly spaced offsets do not pile up in neighbouring slots.
std::size_t SlotIndex(std::int32_t offset, std::size_t slotCount) {
  const auto product = static_cast<std::uint64_t>(static_cast<std::uint32_t>(offset)) * 0x9E3779B97F4A7C15ull;
  return static_cast<std::size_t>(product >> (64 - std::countr_zero(slotCount)));
}

const LabelList::Slot* FindSlot(const LabelList& labels, std::int32_t offset) {
  if (labels.Slots.empty() || offset < 0) return nullptr;
  const std::size_t mask = labels.Slots.size() - 1;
  for (std::size_t i = SlotIndex(offset, labels.Slots.size());; i = (i + 1) & mask) {
    const LabelList::Slot& slot = labels.Slots[i];
    if (slot.Offset == offset) return &slot;
    if (slot.Offset < 0) return nullptr;
  }
}

void InsertSlot(std::vector<LabelList::Slot>& slots, LabelList::Slot entry) {
  const std::size_t mask = slots.size() - 1;
  std::size_t i = SlotIndex(entry.Offset, slots.size());
  while (slots[i].Offset >= 0) i = (i + 1) & mask;
  slots[i] = entry;
}

// Keeps the table at most half full so probe sequences stay short.
void MakeRoomForOneMore(LabelList& labels) {
  if (static_cast<std::size_t>(labels.LabelCount + 1) * 2 <= labels.Slots.size()) return;
  std::vector<LabelList::Slot> grown(labels.Slots.empty() ? InitialSlots : labels.Slots.size() * 2);
  for (const LabelList::Slot& slot : labels.Slots) {
    if (slot.Offset >= 0) InsertSlot(grown, slot);
  }
  labels.Slots = std::move(grown);
}

void AppendName(std::string& out, std::int32_t offset, std::int32_t number) {
  for (const auto& [fixedOffset, name] : FixedNames) {
    if (fixedOffset == offset) {
      out += name;
      return;
    }
  }
  out += "_Label_";
  shell::AppendHex(out, static_cast<std::uint32_t>(offset));
  out += '_';
  shell::AppendDecimal(out, number);
}

}  // namespace

std::string LabelName(std::int32_t offset, std::int32_t number) {
  std::string name;
  AppendName(name, offset, number);
  return name;
}

void ClearLabels(LabelList& labels) {
  labels.Slots.clear();
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
  MakeRoomForOneMore(labels);
  ++labels.LabelCount;
  InsertSlot(labels.Slots, {offset, labels.LabelCount});
}

bool AppendLabelName(std::string& out, const LabelList& labels, std::int32_t offset) {
  const LabelList::Slot* slot = FindSlot(labels, offset);
  if (slot == nullptr) return false;
  AppendName(out, slot->Offset, slot->Number);
  return true;
}

std::string FindLabel(const LabelList& labels, std::int32_t offset) {
  std::string name;
  AppendLabelName(name, labels, offset);
  return name;
}

}  // namespace bytegleaner::analysis
