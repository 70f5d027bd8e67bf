#include "output/hint_decisions.h"

#include "analysis/thorough/thorough_examination.h"
#include "hints/hint_text.h"
#include "text/number_text.h"

#include <algorithm>

namespace bytegleaner::output {

namespace {

using hints::Decision;
using hints::Hint;
using hints::HintKind;
using thorough::Reason;

std::string At(std::string_view what, std::int32_t offset) { return std::string(what) + hints::AddressText(offset); }

std::string WhyTable(const thorough::WordTable& table) {
  switch (table.Kind) {
    case thorough::TableKind::JumpTable: return At("jump table used at ", table.UsedAt);
    case thorough::TableKind::WordsAfterCall: return At("jump table after the call at ", table.UsedAt);
    case thorough::TableKind::CodeAddresses: return At("code addresses, a table loaded at ", table.UsedAt);
    case thorough::TableKind::Hinted: break;
  }
  return {};
}

std::string WhyRun(const thorough::FoundRun& run) {
  switch (run.Why) {
    case Reason::JumpTableEntry: return At("jump table at ", run.From);
    case Reason::IndirectJump: return At("indirect jump at ", run.From);
    case Reason::CodeAddress: return At("code address loaded at ", run.From);
    case Reason::CodeAddressInTable: return At("code address in the table at ", run.From);
    case Reason::PagedIn:
      return "bank " + text::DecimalText(thorough::BankOf(run.Offset)) + " paged into slot " +
             text::DecimalText(run.Slot) + At(", reached from ", run.From);
    case Reason::Traced:
    case Reason::EntryPoint:
    case Reason::Hint:
    case Reason::HintedTableEntry: break;
  }
  return {};
}

bool SameKind(HintKind a, HintKind b) { return a == b || (hints::IsRangeHint(a) && hints::IsRangeHint(b)); }

// Keeps a decision unless a given hint of its kind (any range hint for a
// range) overlaps it; a given hint that says the same is kept as the
// decision, with its reason.
void Decide(std::vector<Decision>& decisions, std::span<const Hint> given, std::vector<bool>& represented,
            Hint what, std::string why) {
  bool overlapped = false;
  for (std::size_t i = 0; i < given.size(); ++i) {
    const Hint& hint = given[i];
    if (!SameKind(hint.Kind, what.Kind) || hint.First > what.Last || what.First > hint.Last) continue;
    if (hint.Kind == what.Kind && hint.First == what.First && hint.Last == what.Last) {
      represented[i] = true;
      decisions.push_back({std::move(what), std::move(why)});
      return;
    }
    overlapped = true;
  }
  if (!overlapped) decisions.push_back({std::move(what), std::move(why)});
}

}  // namespace

std::vector<Decision> DecisionsOf(const thorough::Findings& findings, std::span<const Hint> given) {
  std::vector<Decision> decisions;
  std::vector<bool> represented(given.size(), false);
  for (const thorough::WordTable& table : findings.Tables) {
    if (table.Kind == thorough::TableKind::Hinted) continue;
    const std::int32_t last = table.Offset + 2 * table.Count - 1;
    Decide(decisions, given, represented, Hint{HintKind::Words, table.Offset, last, {}, 0}, WhyTable(table));
  }
  for (const thorough::InlineData& data : findings.InlineStretches) {
    const std::int32_t last = data.Offset + data.Length - 1;
    Decide(decisions, given, represented, Hint{HintKind::Data, data.Offset, last, {}, 0},
           At("inline data of the call at ", data.CallAt));
  }
  for (const thorough::FoundRun& run : findings.Runs) {
    std::string why = WhyRun(run);
    if (!why.empty()) Decide(decisions, given, represented, Hint{HintKind::Code, run.Offset, run.Offset, {}, 0}, why);
  }
  for (std::size_t i = 0; i < given.size(); ++i) {
    if (!represented[i]) decisions.push_back({given[i], {}});
  }
  std::stable_sort(decisions.begin(), decisions.end(),
                   [](const Decision& a, const Decision& b) { return a.What.First < b.What.First; });
  return decisions;
}

}  // namespace bytegleaner::output
