// Reads arbitrary bytes as a hints file. Whatever it holds, every hint taken
// must lie in the image, and a file without errors must read back unchanged
// from what the writer makes of it.
#include "hints/hints_reader.h"
#include "hints/hints_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace bytegleaner::hints;

constexpr std::int32_t RomSize = 0x24000;

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const HintsReading reading = ReadHints(std::span<const std::uint8_t>(data, size), "f.hints", RomSize);
  Check(reading.Errors.size() <= 51);
  for (const std::string& error : reading.Errors) Check(error.starts_with("f.hints:"));
  for (const Hint& hint : reading.Hints) {
    Check(hint.First >= 0 && hint.First <= hint.Last && hint.Last < RomSize);
    Check(hint.Line >= 1 && hint.Line <= reading.LineCount && (IsRangeHint(hint.Kind) || hint.First == hint.Last));
    Check(hint.Kind != HintKind::Name || WhyNotAName(hint.Text).empty());
  }

  if (!reading.Errors.empty()) return 0;
  std::vector<Decision> decisions;
  for (const Hint& hint : reading.Hints) decisions.push_back({hint, "why"});
  const std::string text = HintsFileText(decisions, "f.sms");
  const HintsReading again =
      ReadHints(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), "f.hints", RomSize);
  Check(again.Errors.empty() && again.Hints.size() == reading.Hints.size());
  for (std::size_t i = 0; i < again.Hints.size(); ++i) {
    const Hint& before = reading.Hints[i];
    const Hint& after = again.Hints[i];
    Check(after.Kind == before.Kind && after.First == before.First && after.Last == before.Last &&
          after.Text == before.Text);
  }
  return 0;
}
