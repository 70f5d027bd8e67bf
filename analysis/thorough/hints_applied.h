#pragma once

// What the hints of a hints file do to the thorough analysis.

#include "analysis/thorough/thorough_state.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bytegleaner::thorough {

// The instructions that reach into a hinted range from before it and were
// traced before the hints were followed: the analysis's own, which the
// hints do not answer for.
struct HintedTracing {
  std::vector<std::int32_t> StartsBefore;  // sorted
};

// Marks the data, words and text ranges so that no run starts in them.
void MarkHintedRanges(ThoroughState& state, std::span<const hints::Hint> hints);

// Records the words hints' tables (taking over a table the analysis found
// at the same place, cutting back those they overlap), queues their entries
// and the code hints, and traces them.
HintedTracing FollowHints(ThoroughState& state, std::span<const hints::Hint> hints);

// Messages for the hinted ranges that an instruction traced from the hints
// runs into.
std::vector<std::string> CheckHintedRanges(const ThoroughState& state, const HintedTracing& tracing,
                                           std::span<const hints::Hint> hints, std::string_view fileName);

// Gives each named offset a label with the hint's name.
void NameHintedLabels(analysis::Examination& examination, std::span<const hints::Hint> hints);

}  // namespace bytegleaner::thorough
