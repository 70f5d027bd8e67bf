#include "output/cross_references.h"

#include "analysis/examination.h"
#include "analysis/thorough/thorough_examination.h"
#include "hints/hint_text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace bytegleaner::output {

namespace {

using thorough::Reason;

constexpr std::array<std::string_view, 4> KindWords{"called from ", "jumped from ", "table at ", "address loaded in "};

bool IsCall(std::uint8_t opcode) {
  return opcode == 0xCD || (opcode & 0xC7) == 0xC4 || (opcode & 0xC7) == 0xC7;
}

ReferenceKind KindOf(const analysis::RomImage& rom, const thorough::Reference& reference) {
  switch (reference.Why) {
    case Reason::JumpTableEntry:
    case Reason::CodeAddressInTable:
    case Reason::HintedTableEntry: return ReferenceKind::Table;
    case Reason::CodeAddress: return ReferenceKind::AddressLoad;
    case Reason::IndirectJump: return ReferenceKind::Jump;
    case Reason::Traced:
    case Reason::PagedIn:
    case Reason::EntryPoint:
    case Reason::Hint: break;
  }
  return IsCall(rom.ByteAt(reference.From)) ? ReferenceKind::Call : ReferenceKind::Jump;
}

}  // namespace

std::vector<CrossReference> GatherCrossReferences(const analysis::Examination& examination,
                                                  const thorough::Findings& findings) {
  std::vector<CrossReference> gathered;
  gathered.reserve(findings.References.size());
  // The references come in the order of their sources: one sweep finds
  // the label before each.
  std::int32_t scanned = 0;
  std::int32_t lastLabel = -1;
  for (const thorough::Reference& reference : findings.References) {
    const ReferenceKind kind = KindOf(examination.Rom, reference);
    for (; scanned <= reference.From; ++scanned) {
      if ((examination.Map[static_cast<std::size_t>(scanned)] & analysis::HasLabel) != 0) lastLabel = scanned;
    }
    const bool labelInBank = lastLabel >= 0 && thorough::BankOf(lastLabel) == thorough::BankOf(reference.From);
    const std::int32_t source = kind == ReferenceKind::Table || !labelInBank ? reference.From : lastLabel;
    gathered.push_back({reference.Target, source, kind});
  }
  const auto order = [](const CrossReference& a, const CrossReference& b) {
    if (a.Target != b.Target) return a.Target < b.Target;
    if (a.Kind != b.Kind) return a.Kind < b.Kind;
    return a.Source < b.Source;
  };
  std::sort(gathered.begin(), gathered.end(), order);
  gathered.erase(std::unique(gathered.begin(), gathered.end(),
                             [](const CrossReference& a, const CrossReference& b) {
                               return a.Target == b.Target && a.Kind == b.Kind && a.Source == b.Source;
                             }),
                 gathered.end());
  return gathered;
}

void WriteCrossReferences(std::string& out, const analysis::Examination& examination,
                          std::span<const CrossReference> references) {
  if (references.empty()) return;
  out += "; ";
  const std::size_t named = std::min(references.size(), MostReferencesNamed);
  for (std::size_t i = 0; i < named; ++i) {
    const CrossReference& reference = references[i];
    if (i == 0 || reference.Kind != references[i - 1].Kind) {
      if (i > 0) out += "; ";
      out += KindWords[static_cast<std::size_t>(reference.Kind)];
    } else {
      out += ", ";
    }
    const bool labelled = (examination.Map[static_cast<std::size_t>(reference.Source)] & analysis::HasLabel) != 0;
    if (!labelled || !analysis::AppendLabelName(out, examination.Labels, reference.Source)) {
      out += hints::AddressText(reference.Source);
    }
  }
  if (references.size() > named) {
    out += " and ";
    out += std::to_string(references.size() - named);
    out += " more";
  }
  out += "\r\n";
}

}  // namespace bytegleaner::output
