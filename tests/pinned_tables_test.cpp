// Pins jump tables, code addresses, inline data, and the plausibility check that decides what could be code: each case is one described image given to bytegleaner-cli,
// and tests/golden/pinned/tables.txt holds all the user sees.
#include "tests/cli_cases.h"
#include "tests/golden_file.h"

#include <gtest/gtest.h>

namespace bytegleaner::testing {
namespace {

TEST(Pinned, Tables) {
  ExpectGolden("pinned/tables.txt", CliCasesSeen({
      {"a constant bank written to $FFFF pages slot 2 for the call after it", 0x8000, "C3 00 01 @38 C9 @66 C9 @100 3E 02 32 FF FF CD 00 80 18 FE"},
  }));
}

}  // namespace
}  // namespace bytegleaner::testing
