#pragma once

#include <string>

namespace bytegleaner::testing {

// Compares what a test saw with tests/golden/<name>; with
// BYTEGLEANER_UPDATE_GOLDEN=1 rewrites that file instead, after a
// deliberate change, so that the diff shows what changed.
void ExpectGolden(const std::string& name, const std::string& seen);

}  // namespace bytegleaner::testing
