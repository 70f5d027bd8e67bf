#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace bytegleaner::platform {

// What the operating systems do differently for the program's files. The
// build picks one source for it: platform_posix.cpp or platform_win32.cpp.

extern const char FolderSeparator;

// The running program file's full path; empty when it cannot be found.
std::string RunningProgramPath();

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

struct ReadableFile {
  FilePointer File;
  std::size_t Size = 0;
};

// An existing regular file, opened so that other programs may still read it
// but not change it; nothing when it cannot be opened or is no regular file.
std::optional<ReadableFile> OpenFileForReading(const std::string& path);

// Creates the file, replacing one of that name, so that other programs may
// read it meanwhile; null when the platform refuses.
FilePointer CreateFileForWriting(const std::string& path);

}  // namespace bytegleaner::platform
