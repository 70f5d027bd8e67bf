// Reads arbitrary bytes as a preferences file. Whatever it holds, a folder
// that is taken must be one the program could have written back.
#include "shell/preferences.h"
#include "shell/program_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bytegleaner::shell;
  static const auto state = std::make_unique<ProgramState>();
  state->BreakAtIndirectJump = 1;
  state->LastFolder = "unchanged/";

  const std::span<const std::uint8_t> bytes(data, size);
  const PreferencesStatus status = ReadPreferences(bytes, *state);
  if (status != PreferencesStatus::Taken) {
    Check(state->LastFolder == "unchanged/");
    return 0;
  }
  Check(size >= 1 && data[0] == PreferencesFormatVersion);
  Check(state->BreakAtIndirectJump == (size > 1 ? data[1] : 1));
  // A CR or a 0 byte would end the line when the file is read again.
  Check(state->LastFolder.size() <= LongestPath);
  Check(state->LastFolder.find_first_of(std::string_view("\r\0", 2)) == std::string::npos);
  return 0;
}
