#pragma once

#include <cstdio>
#include <string>

namespace bytegleaner::output {

// A file written through one growing text buffer, flushed in large pieces.
// Write failures are remembered so a caller can report them at the end.
struct OutputFile {
  // Text is written out once it holds this much; a writer adds at most one
  // line or one data stretch's lines beyond it.
  static constexpr std::size_t FlushSize = std::size_t{1} << 20;
  static constexpr std::size_t LargestPiece = std::size_t{1} << 16;

  std::string Text;

  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Replaces any file of that name. A read-only file or folder (no write
  // permission for anyone) is refused even where the user could override
  // it, as an administrator on the program's own platform cannot either.
  bool Create(const std::string& path);
  void FlushIfFull();
  // Writes what is pending and closes; false when anything failed to write.
  bool Close();
  [[nodiscard]] bool IsOpen() const { return File != nullptr; }

 private:
  void Flush();
  std::FILE* File = nullptr;
  bool WriteFailed = false;
};

}  // namespace bytegleaner::output
