#include "text/line_reader.h"

namespace bytegleaner::text {

std::string LineReader::ReadLine() {
  std::string line;
  while (Position < Bytes.size()) {
    const std::uint8_t byte = Bytes[Position++];
    if (byte == 13) {
      if (Position < Bytes.size()) ++Position;
      break;
    }
    if (byte == 0) break;
    if (line.size() < MaxLineLength) line.push_back(static_cast<char>(byte));
  }
  return line;
}

}  // namespace bytegleaner::text
