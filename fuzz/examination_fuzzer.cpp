// A whole examination of arbitrary bytes as a ROM image, with the shipped
// instruction table, writing the source and binary files into a scratch
// folder. The input's first byte also picks the analysis and the options,
// so both analyses and every way of tracing and of writing text are reached.
#include "analysis/examination.h"
#include "opcodes/opcode_table.h"
#include "output/examine_rom.h"
#include "reporting/user_interface.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace bytegleaner;
namespace fs = std::filesystem;

struct Scratch {
  fs::path Folder = fs::temp_directory_path() / ("bytegleaner-fuzz-" + std::to_string(std::rand()));
  std::string Rom = (Folder / "rom.sms").string();
  opcodes::OpcodeTable Table;
  analysis::Examination Examination;
  Scratch() {
    if (opcodes::LoadOpcodeTableFrom(BYTEGLEANER_SOURCE_DIR "/opcodes/opcodes.dat", Table) != opcodes::OpcodeTableStatus::Loaded) std::abort();
  }
  ~Scratch() { fs::remove_all(Folder); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scratch scratch;
  // Binary files are named by offset; those of earlier inputs would pile up.
  fs::remove_all(scratch.Folder);
  fs::create_directories(scratch.Folder);
  std::ofstream(scratch.Rom, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const std::uint8_t choice = size > 0 ? data[0] : 0;
  const output::ExamineOptions options{(choice & 1) != 0, (choice & 2) != 0};
  // Bit 2 clear (as after `di` or `jp nn`, how cartridges begin) picks the
  // thorough analysis.
  const output::ExamineResult result =
      (choice & 4) == 0 ? output::ExamineRomThoroughly(scratch.Rom, scratch.Table, scratch.Examination, {})
                        : output::ExamineRom(scratch.Rom, scratch.Table, options, scratch.Examination, {});
  // Any readable file in a writable folder is examined to its end.
  if (!result.Examined || result.WriteFailed) std::abort();
  return 0;
}
