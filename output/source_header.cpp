#include "output/source_header.h"

#include "analysis/rom_image.h"
#include "text/number_text.h"
#include "platform/program_folder.h"

namespace bytegleaner::output {

namespace {

void AppendLine(std::string& out, std::string_view keyword, std::int64_t decimal) {
  out += keyword;
  text::AppendDecimal(out, decimal);
  out += "\r\n";
}

// A partial last bank gets a bank size of its own, so that the assembler
// rebuilds an image of exactly the ROM's size; whole banks keep the plain map.
void WriteBankMap(std::string& out, std::int32_t romSize) {
  const std::int32_t wholeBanks = romSize >> analysis::BankShift;
  const std::int32_t partialBank = romSize & (analysis::BankSize - 1);
  out += ".ROMBANKMAP\r\n";
  if (partialBank == 0) {
    AppendLine(out, "BANKSTOTAL ", wholeBanks);
    out += "BANKSIZE $4000\r\n";
    AppendLine(out, "BANKS ", wholeBanks);
  } else {
    AppendLine(out, "BANKSTOTAL ", wholeBanks + 1);
    if (wholeBanks > 0) {
      out += "BANKSIZE $4000\r\n";
      AppendLine(out, "BANKS ", wholeBanks);
    }
    out += "BANKSIZE $";
    text::AppendHex(out, static_cast<std::uint32_t>(partialBank));
    out += "\r\nBANKS 1\r\n";
  }
  out += ".ENDRO\r\n\r\n";
}

}  // namespace

void WriteSourceHeader(std::string& out, std::int32_t romSize) {
  out += "; Source code created by ";
  out += platform::ProgramName;
  out += ' ';
  out += platform::ProgramVersion;
  out += "\r\n";
  out += "; Size: ";
  text::AppendDecimal(out, romSize);
  out += " bytes\r\n\r\n";
  out +=
      ".MEMORYMAP\r\n"
      "SLOTSIZE $4000\r\n"
      "SLOT 0 $0000\r\n"
      "SLOT 1 $4000\r\n"
      "SLOT 2 $8000\r\n"
      "DEFAULTSLOT 2\r\n"
      ".ENDME\r\n\r\n";
  WriteBankMap(out, romSize);
}

}  // namespace bytegleaner::output
