#include "output/output_file.h"

#include "platform/platform.h"

namespace bytegleaner::output {

OutputFile::~OutputFile() { Close(); }

bool OutputFile::Create(const std::string& path) {
  Close();
  File = platform::CreateFileForWriting(path).release();
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
  if (Text.size() >= FlushSize) Flush();
}

bool OutputFile::Close() {
  if (File == nullptr) return !WriteFailed;
  Flush();
  if (std::fclose(File) != 0) WriteFailed = true;
  File = nullptr;
  return !WriteFailed;
}

}  // namespace bytegleaner::output
