#include "output/data_stretch.h"

#include "analysis/examination.h"
#include "output/data_lines.h"
#include "output/source_job.h"
#include "text/number_text.h"
#include "reporting/user_interface.h"

#include <algorithm>

namespace bytegleaner::output {

namespace {

bool LooksLikeText(std::span<const std::uint8_t> bytes, bool allZero) {
  const bool noControlBytes = std::none_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b >= 1 && b <= 31; });
  return noControlBytes && bytes.size() >= 4 && !allZero;
}

}  // namespace

DataStretch MakeDataStretch(const SourceJob& job, std::int32_t start, std::int32_t stop) {
  const auto& bytes = job.Examination.Rom.Bytes;
  const bool allZero = std::all_of(bytes.begin() + start, bytes.begin() + stop, [](std::uint8_t b) { return b == 0; });
  return {start, stop - start, allZero};
}

void WriteDataHeading(SourceJob& job, const DataStretch& stretch) {
  std::string& out = job.Source.Text;
  out += "\r\n; Data from $";
  text::AppendHex(out, static_cast<std::uint32_t>(stretch.Start));
  out += " to $";
  text::AppendHex(out, static_cast<std::uint32_t>(stretch.Start + stretch.Length - 1));
  out += " (";
  text::AppendDecimal(out, stretch.Length);
  out += stretch.Length == 1 ? " byte)\r\n" : " bytes)\r\n";
}

void WriteBinaryData(SourceJob& job, std::int32_t start, std::int32_t length) {
  const std::string offsetText = text::HexText(static_cast<std::uint32_t>(start));
  const std::string path = job.ChosenRomPath + ".dat." + offsetText;
  std::string& out = job.Source.Text;
  out += ".incbin \"";
  out += path;
  out += "\"\r\n";

  OutputFile binary;
  if (!binary.Create(path)) {
    reporting::AddStatusLine(job.Ui, "Unable to create data file. (" + offsetText + ")");
    return;
  }
  reporting::AddStatusLine(job.Ui, "Writing binary ($" + offsetText + ")...");
  const auto& bytes = job.Examination.Rom.Bytes;
  binary.Text.assign(bytes.begin() + start, bytes.begin() + start + length);
  if (!binary.Close()) job.BinaryWriteFailed = true;
  ++job.BinaryFileCount;
}

void WriteDataStretch(SourceJob& job, const DataStretch& stretch) {
  std::string& out = job.Source.Text;
  if (stretch.AllZero) out += "; (only NULL-bytes)\r\n";
  if (stretch.Length > LongestDbStretch) {
    WriteBinaryData(job, stretch.Start, stretch.Length);
    return;
  }
  const std::span<const std::uint8_t> bytes(job.Examination.Rom.Bytes.data() + stretch.Start,
                                            static_cast<std::size_t>(stretch.Length));
  if (LooksLikeText(bytes, stretch.AllZero)) {
    WriteTextDb(out, bytes, job.Options.Rebuildable);
  } else {
    WriteByteDb(out, bytes);
  }
}

}  // namespace bytegleaner::output
