// Examines images with bytegleaner-cli, rebuilds them with WLA DX and
// compares byte for byte; WLA DX is also the judge of which encodings the
// rebuildable text must write as bytes.
#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "output/rebuildable_text.h"
#include "text/number_text.h"
#include "tests/test_support.h"
#include "tests/wla_dx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <regex>

namespace bytegleaner::testing {
namespace {

// A table entry's bytes with operands behind them, cut to the decoder's
// length (which the oracle test proves against objdump), its target operand
// made to lead to `target`.
opcodes::DecodedInstruction PlaceForm(ByteVector& image, std::int32_t at, int index, std::uint8_t prefix,
                                      std::array<std::uint8_t, 4> operands, std::int32_t target) {
  const auto op = static_cast<std::uint8_t>(index);
  const ByteVector pages[] = {{op}, {0xCB, op}, {0xED, op}, {prefix, op}, {prefix, 0xCB, operands[0], op}};
  ByteVector bytes = pages[index >> 8];
  bytes.insert(bytes.end(), operands.begin(), operands.end());
  analysis::Examination examination;
  analysis::LoadRom(examination, bytes);
  opcodes::DecodedInstruction decoded;
  opcodes::MeasureInstruction(ShippedTable(), examination, 0, decoded);
  bytes.resize(static_cast<std::size_t>(decoded.Length));
  const ByteVector word = Bytes({target & 0xFF, (target >> 8) & 0xFF});
  if (decoded.Kind == opcodes::TargetKind::AbsoluteTarget) std::copy(word.begin(), word.end(), bytes.end() - 2);
  if (decoded.Kind == opcodes::TargetKind::RelativeTarget) bytes.back() = static_cast<std::uint8_t>(target - (at + 2));
  image.resize(std::max(image.size(), at + bytes.size()));
  std::copy(bytes.begin(), bytes.end(), image.begin() + at);
  return decoded;
}

// ret, jp nn, jr e, jp (hl) (also behind a prefix without effect), retn, reti.
bool EndsRun(const opcodes::DecodedInstruction& decoded) {
  const int op = decoded.Opcode();
  return decoded.PrefixCode == 0 ? op == 0xC9 || op == 0xC3 || op == 0x18 || op == 0xE9
                                 : decoded.PrefixCode == 0xED && (op == 0x45 || op == 0x4D);
}

// ret at each RST vector, reti and retn at the interrupt entry points.
const std::string Vectors = "@8 C9 @10 C9 @18 C9 @20 C9 @28 C9 @30 C9 @38 ED 4D @66 ED 45";

// Code from $0080, instruction after instruction with random operands;
// calls and jumps lead to earlier instruction starts, relative jumps to the
// next one. `game`: code in banks 0 to 2 only, of the forms whose usual
// text assembles back, so that the default output rebuilds, and now and
// then a jump over data as games have it (text, a count and bytes, zeros,
// tiles); else every form, to the image's end.
ByteVector CodeImage(std::int32_t size, std::uint32_t seed, bool game) {
  std::mt19937 random(seed);  // the same numbers everywhere, unlike the standard distributions
  const auto below = [&random](std::size_t bound) { return static_cast<std::uint32_t>(random() % bound); };
  ByteVector image = Image(static_cast<std::size_t>(size), "C3 80 00 " + Vectors);
  const std::int32_t codeEnd = game ? std::min(size, 0xC000) : size;
  std::generate(image.begin() + codeEnd, image.end(), std::ref(random));  // paged banks, data to the tracer
  std::vector<std::int32_t> starts = {0x80};
  std::int32_t at = 0x80;
  while (at + 48 < codeEnd) {
    if (game && below(48) == 0) {
      const auto kind = below(4);
      ByteVector data(std::min<std::uint32_t>(8 + below(kind == 3 ? 1600 : 200), static_cast<std::uint32_t>(codeEnd - at - 45)));
      for (std::size_t i = 0; i < data.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(random());
        const char letter = i % 12 == 11 ? '\0' : "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789.,!?'\"()-"[byte % 46];
        data[i] = kind == 0 ? letter : kind == 1 ? (i == 0 ? 1 + byte % 31 : byte) : kind == 2 ? 0 : 0x80 | byte;
      }
      const auto next = static_cast<std::int32_t>(at + 3 + data.size());
      const ByteVector jump = Bytes({0xC3, next & 0xFF, next >> 8});
      std::copy(data.begin(), data.end(), std::copy(jump.begin(), jump.end(), image.begin() + at));
      starts.push_back(at = next);
      continue;
    }
    const int index = std::array{0, 0, 0, 0, 1, 1, 2, 3, 3, 4}[below(10)] * 0x100 + static_cast<int>(below(256));
    const std::uint8_t prefix = below(2) ? 0xDD : 0xFD;
    std::array<std::uint8_t, 4> operands{};
    std::generate(operands.begin(), operands.end(), std::ref(random));
    if (game) operands[0] &= 0x7F;  // index displacements below $80
    const auto low = static_cast<std::uint32_t>(std::upper_bound(starts.begin(), starts.end(), 0xFFFF) - starts.begin());
    ByteVector scratch;
    opcodes::DecodedInstruction form = PlaceForm(scratch, 0, index, prefix, operands, 0);
    if (form.TableIndex != index || EndsRun(form) || (game && output::HasNoExactSpelling(scratch[0], index))) continue;
    const std::int32_t target = form.Kind == opcodes::TargetKind::RelativeTarget ? at + form.Length : starts[below(low)];
    starts.push_back(at += PlaceForm(image, at, index, prefix, operands, target).Length);
  }
  image[static_cast<std::size_t>(at)] = 0xC9;  // so that the paged banks stay data
  return image;
}

// Every form the decoder can select, for both index prefixes, with operands
// below $80 and from $80 up, each behind a jr nz over it so that the trace
// reaches all; `placed` gets the offsets and table indices of the first.
ByteVector EveryFormImage(std::vector<std::pair<std::int32_t, int>>* placed = nullptr) {
  ByteVector image = Image(0x100, "C3 00 01 " + Vectors);
  for (const auto& operands : {std::array<std::uint8_t, 4>{0x05, 0x12, 0x56, 0x34}, std::array<std::uint8_t, 4>{0xFE, 0x9A, 0xDE, 0xBC}}) {
    for (int index = 0; index < opcodes::OpcodeTableSize; ++index) {
      for (const std::uint8_t prefix : {0xDD, 0xFD}) {
        ByteVector scratch;
        const opcodes::DecodedInstruction form = PlaceForm(scratch, 0, index, prefix, operands, 0);
        if ((index < opcodes::IndexPage && prefix == 0xFD) || form.TableIndex != index) continue;
        image.insert(image.end(), {0x20, static_cast<std::uint8_t>(form.Length)});
        const auto at = static_cast<std::int32_t>(image.size());
        if (placed != nullptr && operands[0] < 0x80) placed->emplace_back(at, index);
        PlaceForm(image, at, index, prefix, operands, at + form.Length);
      }
    }
  }
  image.push_back(0xC9);
  return image;
}

// Kind: Sample, Game, Random, Dense or EveryForm; Way: Exact, Rebuildable
// (both the exact analysis) or Thorough.
struct ImageCase {
  std::string Kind;
  int Size = 0;
  std::string Way = "Rebuildable";
};
std::string Name(const ImageCase& c) { return c.Kind + (c.Size > 0 ? std::to_string(c.Size) : "") + c.Way; }
void PrintTo(const ImageCase& c, std::ostream* out) { *out << Name(c); }

ByteVector MakeImage(const ImageCase& c) {
  if (c.Kind == "Game" || c.Kind == "Dense") return CodeImage(c.Size, static_cast<std::uint32_t>(c.Size), c.Kind == "Game");
  if (c.Kind == "EveryForm") return EveryFormImage();
  const std::string sample = ReadText(BYTEGLEANER_SOURCE_DIR "/samples/sample.sms");
  ByteVector image = c.Kind == "Sample" ? ByteVector(sample.begin(), sample.end()) : ByteVector(static_cast<std::size_t>(c.Size));
  if (c.Kind == "Random") std::generate(image.begin(), image.end(), std::mt19937(static_cast<std::uint32_t>(c.Size)));
  return image;
}

std::vector<ImageCase> Cases() {
  std::vector<ImageCase> cases = {{"Dense", 4 << 20}, {"Dense", 4 << 20, "Thorough"}, {"EveryForm"}, {"EveryForm", 0, "Thorough"}};
  for (const char* way : {"Exact", "Rebuildable", "Thorough"}) {
    cases.push_back({"Sample", 0, way});
    for (const int size : {1000, 16 << 10, 32 << 10, 40000, 48 << 10, 64 << 10, 128 << 10, 512 << 10}) cases.push_back({"Game", size, way});
  }
  for (const int size : {1000, 20000, 32 << 10, 40000, 4 << 20}) {
    cases.push_back({"Random", size});
    cases.push_back({"Random", size, "Thorough"});
  }
  return cases;
}

class RoundTrip : public ::testing::TestWithParam<ImageCase> {};

TEST_P(RoundTrip, RebuildsTheImage) {
  const std::string& way = GetParam().Way;
  EXPECT_EQ(RoundTripFailure("rom.sms", MakeImage(GetParam()), way == "Exact" ? "--exact" : way == "Rebuildable" ? "--rebuildable" : ""), "");
}

INSTANTIATE_TEST_SUITE_P(Images, RoundTrip, ::testing::ValuesIn(Cases()), [](const auto& info) { return Name(info.param); });

// Each form's usual text alone in an 8-byte slot: it has an exact spelling
// when the slot comes back as its bytes and zeros.
TEST(NoExactSpellingList, NamesExactlyTheFormsWlaDxWritesDifferently) {
  std::vector<std::pair<std::int32_t, int>> placed;
  analysis::Examination examination;  // without labels, so targets stay numbers
  analysis::LoadRom(examination, EveryFormImage(&placed));
  std::vector<opcodes::DecodedInstruction> forms(placed.size());
  for (std::size_t i = 0; i < placed.size(); ++i) opcodes::DecodeInstruction(ShippedTable(), examination, placed[i].first, forms[i]);
  std::vector<bool> rejected(placed.size());
  TempFolder folder;
  for (;;) {
    std::string source = ".MEMORYMAP\nSLOTSIZE $4000\nDEFAULTSLOT 0\nSLOT 0 $0000\n.ENDME\n.ROMBANKMAP\nBANKSTOTAL 1\n"
                         "BANKSIZE $4000\nBANKS 1\n.ENDRO\n.BANK 0 SLOT 0\n";
    for (std::size_t i = 0; i < placed.size(); ++i) source += ".ORG " + std::to_string(i * 8) + "\n" + (rejected[i] ? "" : "  " + forms[i].Text) + "\n";
    WriteFile(folder.File("forms.asm"), source);
    // WLA DX stops at the first text it rejects, which has no exact
    // spelling either; the text of slot i is on line 13 + 2i.
    const std::string failure = Assemble(folder.Path, "forms.asm");
    if (failure.empty()) break;
    std::smatch line;
    ASSERT_TRUE(std::regex_search(failure, line, std::regex(R"(forms\.asm:(\d+))"))) << failure;
    const std::size_t slot = (std::stoul(line[1]) - 13) / 2;
    ASSERT_FALSE(rejected.at(slot)) << failure;
    rejected[slot] = true;
  }
  const std::string rebuilt = ReadText(folder.File("rebuilt.rom"));
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const auto at = examination.Rom.Bytes.begin() + placed[i].first;
    std::string expected(at, at + forms[i].Length);
    expected.resize(8, '\0');
    const bool exact = !rejected[i] && rebuilt.substr(i * 8, 8) == expected;
    EXPECT_EQ(output::HasNoExactSpelling(*at, placed[i].second), !exact)
        << "entry $" << text::HexText(static_cast<std::uint32_t>(placed[i].second)) << " \"" << forms[i].Text << "\""
        << (rejected[i] ? " is rejected" : exact ? " assembles exactly" : " assembles to other bytes");
  }
}

}  // namespace
}  // namespace bytegleaner::testing
