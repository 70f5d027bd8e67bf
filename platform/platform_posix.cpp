#include "platform/platform.h"

#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include <sys/stat.h>

namespace bytegleaner::platform {

const char FolderSeparator = '/';

std::string RunningProgramPath() {
  std::error_code error;
  std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
  return error ? std::string() : path;
}

std::optional<ReadableFile> OpenFileForReading(const std::string& path) {
  FilePointer file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  struct stat status {};
  if (fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  // A file nobody may read stays unread, also for an administrator.
  if ((status.st_mode & (S_IRUSR | S_IRGRP | S_IROTH)) == 0) return std::nullopt;
  return ReadableFile{std::move(file), static_cast<std::size_t>(status.st_size)};
}

namespace {

bool MarkedReadOnly(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

// A read-only file or folder (no write permission for anyone) is refused
// even where the user could override it, as an administrator on Windows
// cannot write a file marked read-only either.
FilePointer CreateFileForWriting(const std::string& path) {
  const std::string folder = FolderOfPath(path);
  if (MarkedReadOnly(path) || MarkedReadOnly(folder.empty() ? "." : folder)) return nullptr;
  return FilePointer(std::fopen(path.c_str(), "wb"));
}

}  // namespace bytegleaner::platform
