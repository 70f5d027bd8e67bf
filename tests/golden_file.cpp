#include "tests/golden_file.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace bytegleaner::testing {

void ExpectGolden(const std::string& name, const std::string& seen) {
  const std::string path = BYTEGLEANER_SOURCE_DIR "/tests/golden/" + name;
  if (const char* update = std::getenv("BYTEGLEANER_UPDATE_GOLDEN"); update != nullptr && *update == '1') WriteFile(path, seen);
  if (seen == ReadText(path)) return;
  std::string flat = name;
  for (char& c : flat) c = c == '/' ? '-' : c;
  const std::string seenPath = (std::filesystem::temp_directory_path() / ("bytegleaner-" + flat)).string();
  WriteFile(seenPath, seen);
  ADD_FAILURE() << "see diff " << path << " " << seenPath;
}

}  // namespace bytegleaner::testing
