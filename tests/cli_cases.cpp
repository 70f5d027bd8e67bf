#include "tests/cli_cases.h"

#include "tests/test_support.h"

#include <filesystem>
#include <set>
#include <sstream>

namespace bytegleaner::testing {
namespace {

namespace fs = std::filesystem;

// Zero-filled stretches would otherwise fill the golden files.
std::string RepeatsFolded(const std::string& text) {
  std::istringstream lines(text);
  std::string folded, previous, line;
  int repeats = 0;
  const auto flush = [&] {
    if (repeats > 0) folded += "  [" + std::to_string(repeats) + " more like it]\n";
    repeats = 0;
  };
  while (std::getline(lines, line)) {
    if (line == previous && line.starts_with(".db")) {
      ++repeats;
      continue;
    }
    flush();
    folded += line + '\n';
    previous = line;
  }
  flush();
  return folded;
}

std::string Seen(const CliCase& run) {
  const TempFolder folder;
  const ByteVector image = Image(run.Size, run.Image);
  WriteFile(folder.File("ROM"), image);
  for (const auto& [name, text] : run.Files) WriteFile(folder.File(name), text);
  const Ran ran = RunShell(folder.Path, Quoted(BYTEGLEANER_CLI) + " " + run.Arguments);
  std::string seen = "=== " + run.Rule + "\n$ bytegleaner-cli " + run.Arguments + "\nexit " + std::to_string(ran.Status) +
                     "\n--- standard output\n" + ran.Out + "--- standard error\n" + ran.Err;
  std::set<std::string> names;  // in a fixed order
  for (const auto& entry : fs::directory_iterator(folder.Path)) names.insert(entry.path().filename().string());
  const std::string imageText(image.begin(), image.end());
  for (const std::string& name : names) {
    if (name == "ROM") continue;
    const std::string text = ReadText(folder.File(name));
    if (name.starts_with("ROM.dat.")) {
      seen += DataFileSeen(name, text, imageText, std::stoul(name.substr(8), nullptr, 16));
    } else {
      seen += "--- " + name + "\n" + (name.ends_with(".asm") ? RepeatsFolded(text) : text);
      if (!seen.ends_with('\n')) seen += "[no line end]\n";
    }
  }
  return Replaced(Replaced(seen, folder.Path + "/", ""), "\r\n", "\n");
}

}  // namespace

std::string CliCasesSeen(const std::vector<CliCase>& cases) {
  std::string seen;
  for (const CliCase& run : cases) seen += Seen(run) + "\n";
  return seen;
}

}  // namespace bytegleaner::testing
