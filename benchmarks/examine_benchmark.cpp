// Time of whole examinations (read, trace, write the source and binary
// files) on generated images, in bytes of ROM per second.
#include "analysis/examination.h"
#include "opcodes/opcode_table.h"
#include "output/examine_rom.h"
#include "reporting/user_interface.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace bytegleaner;

constexpr std::size_t FourMegabytes = 4u << 20;

// Instructions that never end a run and never jump, so dense code stays one
// long run with a label at every relative jump's target.
const std::vector<std::vector<std::uint8_t>> PlainInstructions = {
    {0x00}, {0x3E, 0x12}, {0x21, 0x34, 0x12}, {0x77}, {0x23}, {0xDD, 0x7E, 0x05}, {0xED, 0xB0},
    {0xCB, 0x47}, {0x3A, 0x00, 0x80}, {0xFE, 0x20}, {0xFD, 0xCB, 0x03, 0xC6}, {0x28, 0x02}, {0x10, 0x00},
};

std::vector<std::uint8_t> DenseCode(std::size_t size) {
  std::mt19937 random(1);
  std::vector<std::uint8_t> image;
  image.reserve(size);
  while (image.size() + 4 < size) {
    const auto& instruction = PlainInstructions[random() % PlainInstructions.size()];
    image.insert(image.end(), instruction.begin(), instruction.end());
  }
  image.resize(size, 0xC9);
  return image;
}

// Dense code in every bank, bank 0 paging each other bank into slot 2 and
// calling it there, so that the thorough analysis traces all of it.
std::vector<std::uint8_t> PagedDenseCode(std::size_t size) {
  std::vector<std::uint8_t> image = DenseCode(size);
  std::vector<std::uint8_t> loader = {0xF3};  // di
  for (std::size_t bank = 1; bank < size / 0x4000 && bank < 256; ++bank) {
    // ld a,bank / ld ($FFFF),a / call $8000
    loader.insert(loader.end(), {0x3E, static_cast<std::uint8_t>(bank), 0x32, 0xFF, 0xFF, 0xCD, 0x00, 0x80});
  }
  loader.insert(loader.end(), {0x18, 0xFE});  // jr $
  std::copy(loader.begin(), loader.end(), image.begin());
  return image;
}

std::vector<std::uint8_t> RandomBytes(std::size_t size) {
  std::mt19937 random(2);
  std::vector<std::uint8_t> image(size);
  for (std::uint8_t& byte : image) byte = static_cast<std::uint8_t>(random());
  return image;
}

// Code in the first two banks, then tile-like data and zero runs.
std::vector<std::uint8_t> GameShaped(std::size_t size) {
  std::vector<std::uint8_t> image = DenseCode(0x8000);
  image.resize(size, 0);
  std::mt19937 random(3);
  for (std::size_t at = 0x8000; at < size; at += 0x800) {
    if ((at / 0x800) % 3 == 0) continue;  // a zero run
    for (std::size_t i = at; i < at + 0x800 && i < size; ++i) image[i] = static_cast<std::uint8_t>(random() | 0x80);
  }
  return image;
}

struct BenchmarkFolder {
  std::string Path;
  BenchmarkFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bytegleaner-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) Path = pattern;
  }
  ~BenchmarkFolder() {
    std::error_code error;
    std::filesystem::remove_all(Path, error);
  }
};

const opcodes::OpcodeTable& Table() {
  static const opcodes::OpcodeTable table = [] {
    opcodes::OpcodeTable loaded;
    opcodes::LoadOpcodeTableFrom(std::string(BYTEGLEANER_SOURCE_DIR) + "/opcodes/opcodes.dat", loaded);
    return loaded;
  }();
  return table;
}

void ExamineImage(benchmark::State& state, const std::vector<std::uint8_t>& image, bool breakAtIndirectJump) {
  BenchmarkFolder folder;
  const std::string rom = folder.Path + "/image.sms";
  std::ofstream(rom, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                             static_cast<std::streamsize>(image.size()));
  analysis::Examination examination;
  const reporting::UserInterface ui;
  for (auto _ : state) {
    const output::ExamineResult result = output::ExamineRom(rom, Table(), {breakAtIndirectJump, false}, examination, ui);
    if (!result.Examined) state.SkipWithError("examination failed");
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.size()));
  state.counters["labels"] = examination.Labels.LabelCount;
}

void DenseCode4MB(benchmark::State& state) { ExamineImage(state, DenseCode(FourMegabytes), true); }
void RandomBytes4MB(benchmark::State& state) { ExamineImage(state, RandomBytes(FourMegabytes), true); }
void RandomBytes4MBNoBreak(benchmark::State& state) { ExamineImage(state, RandomBytes(FourMegabytes), false); }
void GameShaped512KB(benchmark::State& state) { ExamineImage(state, GameShaped(512u << 10), true); }

BENCHMARK(DenseCode4MB)->Unit(benchmark::kMillisecond);
BENCHMARK(RandomBytes4MB)->Unit(benchmark::kMillisecond);
BENCHMARK(RandomBytes4MBNoBreak)->Unit(benchmark::kMillisecond);
BENCHMARK(GameShaped512KB)->Unit(benchmark::kMillisecond);

}  // namespace

// With --write-images FOLDER, writes the generated images as files for
// timing other programs on the same bytes, instead of benchmarking.
int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-images") {
    const std::string folder = argv[2];
    const auto write = [&folder](const std::string& name, const std::vector<std::uint8_t>& image) {
      std::ofstream(folder + "/" + name, std::ios::binary)
          .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    };
    write("dense-4mb.sms", DenseCode(FourMegabytes));
    write("random-4mb.sms", RandomBytes(FourMegabytes));
    write("game-512kb.sms", GameShaped(512u << 10));
    write("dense-64kb.sms", DenseCode(64u << 10));
    write("paged-dense-4mb.sms", PagedDenseCode(FourMegabytes));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
