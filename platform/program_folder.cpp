#include "platform/program_folder.h"

#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace bytegleaner::platform {

std::string ProgramFolder() {
  const std::string path = RunningProgramPath();
  const auto cut = path.rfind(FolderSeparator);
  if (cut == std::string::npos) return {};
  return path.substr(0, cut + 1);
}

std::string ProgramFile(std::string_view name) {
  static const std::string folder = ProgramFolder();
  std::string path = folder;
  path.append(name);
  return path;
}

std::string FolderOfPath(const std::string& path) {
  const auto separator = path.rfind(FolderSeparator);
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

void EndProgram() {
  std::fflush(nullptr);
  std::exit(0);
}

}  // namespace bytegleaner::platform
