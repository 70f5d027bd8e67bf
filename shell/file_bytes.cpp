#include "shell/file_bytes.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace bytegleaner::shell {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return std::nullopt;
  struct stat status {};
  if (fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  // A file nobody may read stays unread, also for an administrator.
  if ((status.st_mode & (S_IRUSR | S_IRGRP | S_IROTH)) == 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size));
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return std::nullopt;
  return bytes;
}

}  // namespace bytegleaner::shell
