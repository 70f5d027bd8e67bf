#include "shell/program_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace bytegleaner::shell {

std::string ProgramFolder() {
  std::error_code error;
  const std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
  const auto cut = path.rfind(FolderSeparator);
  if (error || cut == std::string::npos) return {};
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

}  // namespace bytegleaner::shell
