#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace bytegleaner::testing {

// One run of bytegleaner-cli on a described image, as a user would start it.
struct CliCase {
  std::string Rule;                // what the case pins, shown in the golden file
  std::size_t Size = 0;            // of the image "ROM"
  std::string Image;               // as for Image(): "@38 C9 ..."
  std::string Arguments = "ROM";   // the command line after the program's name
  // Files placed beside the ROM first, name and text: "ROM.hints" and the like.
  std::vector<std::pair<std::string, std::string>> Files = {};
};

// Runs each case in a fresh folder and says what a user sees: the command,
// the exit code, both streams, and every file afterwards (data files the
// image's own by size; the folder's path left out; CR LF as LF; an .asm
// line repeated is written once with the count of repeats).
std::string CliCasesSeen(const std::vector<CliCase>& cases);

}  // namespace bytegleaner::testing
