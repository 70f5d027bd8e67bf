#include "platform/file_bytes.h"

#include "platform/platform.h"

#include <cstdio>

namespace bytegleaner::platform {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path) {
  const auto file = OpenFileForReading(path);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  // A little room beyond the file, so a caller can append a few bytes (the
  // ROM image's spare bytes) without moving the whole block.
  bytes.reserve(file->Size + 16);
  bytes.resize(file->Size);
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file->File.get()) != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace bytegleaner::platform
