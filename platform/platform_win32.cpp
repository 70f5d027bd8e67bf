#include "platform/platform.h"

#include <utility>

#include <share.h>
#include <sys/stat.h>
#include <windows.h>

namespace bytegleaner::platform {

const char FolderSeparator = '\\';

std::string RunningProgramPath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer may hold a cut path; only a shorter result is whole.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Access the user may not have fails at the opening itself, so unlike on
// POSIX no permission bits are looked at.
std::optional<ReadableFile> OpenFileForReading(const std::string& path) {
  FilePointer file(_fsopen(path.c_str(), "rb", _SH_DENYWR));
  if (!file) return std::nullopt;
  struct _stat64 status {};
  if (_fstat64(_fileno(file.get()), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) return std::nullopt;
  return ReadableFile{std::move(file), static_cast<std::size_t>(status.st_size)};
}

// Windows refuses to replace a file marked read-only, also for an
// administrator; wine run as root would not, so the mark is looked at here.
// A folder of that name fails at the opening.
FilePointer CreateFileForWriting(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return nullptr;
  return FilePointer(_fsopen(path.c_str(), "wb", _SH_DENYWR));
}

}  // namespace bytegleaner::platform
