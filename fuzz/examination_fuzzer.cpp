// A whole examination of arbitrary bytes as a ROM image, with the real
// instruction table, writing the source and binary files into a scratch
// folder. The input's first byte also picks the analysis and the options,
// so both analyses and every way of tracing and of writing text are reached.
#include "analysis/examination.h"
#include "opcodes/opcode_table.h"
#include "output/examine_rom.h"
#include "reporting/user_interface.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

namespace {

using namespace bytegleaner;

struct ScratchFolder {
  std::filesystem::path Path;
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bytegleaner-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    Path = pattern;
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(Path, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Binary files are named by offset; stale ones from a larger earlier
  // input would pile up. The image and the source are rewritten in place,
  // which is cheaper than making them anew.
  void RemoveAllBut(const std::filesystem::path& rom, const std::filesystem::path& source) const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Path, error)) {
      if (entry.path() != rom && entry.path() != source) std::filesystem::remove(entry, error);
    }
  }
};

struct Fixture {
  ScratchFolder Folder;
  std::filesystem::path Rom = Folder.Path / "rom.sms";
  std::filesystem::path Source = Folder.Path / "rom.sms.asm";
  std::string RomPath = Rom.string();
  opcodes::OpcodeTable Table;
  analysis::Examination Examination;
  reporting::UserInterface Ui;

  Fixture() {
    const std::string tablePath = std::string(BYTEGLEANER_SOURCE_DIR) + "/opcodes/opcodes.dat";
    if (opcodes::LoadOpcodeTableFrom(tablePath, Table) != opcodes::OpcodeTableStatus::Loaded) {
      std::fprintf(stderr, "cannot load %s\n", tablePath.c_str());
      std::abort();
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto fixture = std::make_unique<Fixture>();
  fixture->Folder.RemoveAllBut(fixture->Rom, fixture->Source);
  {
    std::ofstream rom(fixture->RomPath, std::ios::binary | std::ios::trunc);
    rom.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!rom) std::abort();
  }
  const std::uint8_t choice = size > 0 ? data[0] : 0;
  const output::ExamineOptions options{(choice & 1) != 0, (choice & 2) != 0};
  // Bit 2 clear (as after `di` or `jp nn`, how cartridges begin) picks the
  // thorough analysis.
  const output::ExamineResult result =
      (choice & 4) == 0
          ? output::ExamineRomThoroughly(fixture->RomPath, fixture->Table, fixture->Examination, fixture->Ui)
          : output::ExamineRom(fixture->RomPath, fixture->Table, options, fixture->Examination, fixture->Ui);
  // Any readable file in a writable folder is examined to its end.
  if (!result.Examined || result.WriteFailed) std::abort();
  return 0;
}
