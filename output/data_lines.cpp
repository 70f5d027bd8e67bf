#include "output/data_lines.h"

#include "text/number_text.h"

namespace bytegleaner::output {

namespace {

// The line width is estimated, not measured: 5 per byte item, 1 per
// character of text, and a line is full from 80 on.
constexpr int FullLine = 80;
constexpr int ByteItemWidth = 5;

struct DbLine {
  std::string& Out;
  int Column = 0;
  bool AtLineStart = true;

  void Start() {
    Out += ".db ";
    Column = 0;
    AtLineStart = true;
  }
  void End() { Out += "\r\n"; }

  void ByteItems(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
      if (Column >= FullLine) {
        End();
        Start();
      }
      if (!AtLineStart) Out += ", ";
      AppendByteItem(Out, byte);
      AtLineStart = false;
      Column += ByteItemWidth;
    }
  }
};

bool CanBeInString(std::uint8_t byte, bool endStringAtBackslash) {
  return byte >= 32 && byte != '"' && !(endStringAtBackslash && byte == '\\');
}

}  // namespace

void AppendByteItem(std::string& out, std::uint8_t byte) {
  out += '$';
  text::AppendHexByte(out, byte);
}

void WriteByteDb(std::string& out, std::span<const std::uint8_t> bytes) {
  DbLine line{out};
  line.Start();
  line.ByteItems(bytes);
  line.End();
}

void WriteTextDb(std::string& out, std::span<const std::uint8_t> bytes, bool endStringAtBackslash) {
  DbLine line{out};
  line.Start();
  std::size_t i = 0;
  if (!bytes.empty() && CanBeInString(bytes[0], endStringAtBackslash)) {
    out += '"';
    for (; i < bytes.size() && CanBeInString(bytes[i], endStringAtBackslash); ++i) {
      if (line.Column >= FullLine) {
        out += "\"\r\n.db \"";
        line.Column = 0;
      }
      out += static_cast<char>(bytes[i]);
      ++line.Column;
    }
    out += '"';
    line.AtLineStart = false;
  }
  line.ByteItems(bytes.subspan(i));
  line.End();
}

}  // namespace bytegleaner::output
