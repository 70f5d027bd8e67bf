// Reads arbitrary bytes as a hints file. Whatever it holds, every hint taken
// must lie in the image, and a file without errors must read back unchanged
// from what the writer makes of it. The thorough analysis of an image made
// of the same bytes then follows the hints: no run may start in a hinted
// range, and every name must label its offset.
#include "analysis/examination.h"
#include "analysis/thorough/thorough_examination.h"
#include "hints/hints_reader.h"
#include "hints/hints_writer.h"
#include "opcodes/opcode_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace bytegleaner::hints;

constexpr std::int32_t RomSize = 0x24000;

void Check(bool holds) {
  if (!holds) std::abort();
}

const bytegleaner::opcodes::OpcodeTable& Table() {
  static const auto table = [] {
    auto loaded = std::make_unique<bytegleaner::opcodes::OpcodeTable>();
    const std::string path = std::string(BYTEGLEANER_SOURCE_DIR) + "/opcodes/opcodes.dat";
    if (LoadOpcodeTableFrom(path, *loaded) != bytegleaner::opcodes::OpcodeTableStatus::Loaded) {
      std::fprintf(stderr, "cannot load %s\n", path.c_str());
      std::abort();
    }
    return loaded;
  }();
  return *table;
}

void CheckAnalysisFollows(std::span<const std::uint8_t> bytes, std::span<const Hint> hints) {
  std::vector<std::uint8_t> image(RomSize, 0);
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(bytes.size(), RomSize)),
            image.begin());
  bytegleaner::analysis::Examination examination;
  bytegleaner::analysis::LoadRom(examination, std::move(image));
  bytegleaner::thorough::Findings findings;
  bytegleaner::thorough::Guidance guidance{hints, "f.hints", {}};
  bytegleaner::thorough::ExamineThoroughly(Table(), examination, findings, {}, guidance);
  for (const Hint& hint : hints) {
    for (std::int32_t at = hint.First; IsRangeHint(hint.Kind) && at <= hint.Last; ++at) {
      Check((examination.Map[static_cast<std::size_t>(at)] & bytegleaner::analysis::CodeStart) == 0);
    }
    if (hint.Kind == HintKind::Name) Check(FindLabel(examination.Labels, hint.First) == hint.Text);
  }
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
  CheckAnalysisFollows(std::span(data, size), reading.Hints);
  return 0;
}
