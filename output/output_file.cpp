#include "output/output_file.h"

#include "shell/program_folder.h"

#include <sys/stat.h>

namespace bytegleaner::output {

namespace {
constexpr std::size_t FlushThreshold = 1 << 20;
}  // namespace

OutputFile::~OutputFile() { Close(); }

namespace {

bool MarkedReadOnly(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

bool OutputFile::Create(const std::string& path) {
  Close();
  const std::string folder = shell::FolderOfPath(path);
  if (MarkedReadOnly(path) || MarkedReadOnly(folder.empty() ? "." : folder)) return false;
  File = std::fopen(path.c_str(), "wb");
  WriteFailed = false;
  Text.clear();
  return File != nullptr;
}

void OutputFile::Flush() {
  if (File != nullptr && !Text.empty() && std::fwrite(Text.data(), 1, Text.size(), File) != Text.size()) {
    WriteFailed = true;
  }
  Text.clear();
}

void OutputFile::FlushIfFull() {
  if (Text.size() >= FlushThreshold) Flush();
}

bool OutputFile::Close() {
  if (File == nullptr) return !WriteFailed;
  Flush();
  if (std::fclose(File) != 0) WriteFailed = true;
  File = nullptr;
  return !WriteFailed;
}

}  // namespace bytegleaner::output
