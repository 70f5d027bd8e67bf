#include "hints/hints_writer.h"

#include "hints/hint_text.h"
#include "platform/platform.h"
#include "platform/program_folder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace bytegleaner::hints {

namespace {

constexpr std::string_view FormatLines =
    "; One hint a line; a \";\" after a hint starts a remark. ADDR is $hhhh, an offset\r\n"
    "; in the image, or B:$hhhh, bank B at an address in any slot ($0000-$BFFF).\r\n"
    ";   code ADDR          an entry point: trace from there\r\n"
    ";   data ADDR-ADDR     bytes that are data even if something points there as code\r\n"
    ";   words ADDR-ADDR    a table of 16-bit code addresses\r\n"
    ";   text ADDR-ADDR     bytes to write as text\r\n"
    ";   name ADDR Name     the label's name (a letter first, then letters, digits, _)\r\n"
    ";   comment ADDR Text  a comment line above the line at ADDR\r\n";

// A text the file keeps on one line; tabs stay, as the reader keeps them.
std::string OneLine(std::string_view text) {
  std::string line(Trimmed(text));
  for (char& c : line) {
    if (IsControl(c) && c != '\t') c = ' ';
  }
  return line;
}

void AppendHintLine(std::string& out, const Decision& decision) {
  const Hint& hint = decision.What;
  const std::string why = OneLine(decision.Why);
  if (hint.Kind == HintKind::Comment && !why.empty()) out += "; " + why + "\r\n";
  out += HintWord(hint.Kind);
  out += ' ';
  out += AddressText(hint.First);
  if (IsRangeHint(hint.Kind)) out += "-" + AddressText(hint.Last);
  if (hint.Kind == HintKind::Name || hint.Kind == HintKind::Comment) out += ' ' + OneLine(hint.Text);
  if (hint.Kind != HintKind::Comment && !why.empty()) out += " ; " + why;
  out += "\r\n";
}

}  // namespace

std::string HintsPathFor(const std::string& romPath) { return romPath + ".hints"; }

std::string HintsFileText(std::span<const Decision> decisions, std::string_view romName) {
  std::string out = "; Hints for ";
  out += OneLine(romName);
  out += ", written by ";
  out += platform::ProgramName;
  out += ' ';
  out += platform::ProgramVersion;
  out += " from what its analysis decided.\r\n"
         "; Change the decisions, add hints and examine again.\r\n";
  out += FormatLines;
  out += "\r\n";
  for (const Decision& decision : decisions) AppendHintLine(out, decision);
  return out;
}

HintsFileStatus WriteHintsFile(const std::string& path, std::string_view text, bool replace) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  if (!replace && std::filesystem::exists(status)) return HintsFileStatus::AlreadyExists;
  platform::FilePointer file = platform::CreateFileForWriting(path);
  if (!file) return HintsFileStatus::CannotCreate;
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  // Closed here rather than by the pointer, so that a failing close counts.
  const bool closed = std::fclose(file.release()) == 0;
  return written && closed ? HintsFileStatus::Written : HintsFileStatus::WriteFailed;
}

std::string HintsFileMessage(HintsFileStatus status, const std::string& path) {
  switch (status) {
    case HintsFileStatus::Written: return "Hints written to " + path;
    case HintsFileStatus::AlreadyExists: return path + " exists already and is kept; --force replaces it";
    case HintsFileStatus::CannotCreate: return path + " cannot be created";
    case HintsFileStatus::WriteFailed: return path + " could not be written completely";
  }
  return {};
}

}  // namespace bytegleaner::hints
