#include "shell/file_bytes.h"

#include "shell/platform.h"

#include <cstdio>

namespace bytegleaner::shell {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path) {
  const auto file = OpenFileForReading(path);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes(file->Size);
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file->File.get()) != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace bytegleaner::shell
