// Reads arbitrary bytes as a preferences file. Whatever it holds, a folder
// that is taken must be one the program could have written back.
#include "shell/preferences.h"
#include "shell/program_state.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace bytegleaner::shell;
  // Kept from input to input: the state holds a whole instruction table.
  static const auto kept = std::make_unique<ProgramState>();
  ProgramState& state = *kept;
  state.BreakAtIndirectJump = 1;
  state.LastFolder = "unchanged/";
  const bool taken = ReadPreferences(std::span<const std::uint8_t>(data, size), state) == PreferencesStatus::Taken;
  // A CR or a 0 byte would end the line when the file is read again.
  const bool holds = !taken ? state.LastFolder == "unchanged/"
                            : size >= 1 && data[0] == PreferencesFormatVersion && state.BreakAtIndirectJump == (size > 1 ? data[1] : 1) &&
                                  state.LastFolder.size() <= LongestPath &&
                                  state.LastFolder.find_first_of(std::string_view("\r\0", 2)) == std::string_view::npos;
  if (!holds) std::abort();
  return 0;
}
