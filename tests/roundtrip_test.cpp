// Examines images with bytegleaner-cli, assembles the source with WLA DX
// and compares the rebuilt image with the input byte for byte. WLA DX is
// found in the folder named by BYTEGLEANER_WLA_DX or on PATH; without it
// these tests skip.

#include "analysis/entry_points.h"
#include "analysis/examination.h"
#include "opcodes/decoder.h"
#include "output/rebuildable_text.h"
#include "platform/file_bytes.h"
#include "text/number_text.h"
#include "reporting/user_interface.h"
#include "tests/rom_generator.h"
#include "tests/test_support.h"
#include "tests/wla_dx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <regex>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace bytegleaner::testing {
namespace {


constexpr std::int32_t BankSize = 0x4000;

// --- The images -----------------------------------------------------------------

struct ImageCase {
  std::string Name;
  std::function<std::vector<std::uint8_t>()> Make;
};

std::vector<std::uint8_t> SampleRom() {
  const std::string path = std::string(BYTEGLEANER_SOURCE_DIR) + "/samples/sample.sms";
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) throw std::runtime_error("cannot read " + path);
  return *bytes;
}

// Images that rebuild in the default output too.
std::vector<ImageCase> GameShapedCases() {
  std::vector<ImageCase> cases = {{"Sample", SampleRom}};
  const std::vector<std::pair<std::string, std::int32_t>> sizes = {
      {"Game16K", 16 << 10},   {"Game32K", 32 << 10},   {"Game48K", 48 << 10},   {"Game64K", 64 << 10},
      {"Game128K", 128 << 10}, {"Game512K", 512 << 10}, {"Game1000Bytes", 1000}, {"Game40000Bytes", 40000}};
  for (const auto& [name, size] : sizes) {
    cases.push_back({name, [size = size] { return GameImage(size, static_cast<std::uint32_t>(size)); }});
  }
  cases.push_back({"InstructionsAcrossBankEnds", BankStraddleImage});
  return cases;
}

// Images that rebuild only with --rebuildable.
std::vector<ImageCase> RebuildableCases() {
  std::vector<ImageCase> cases = GameShapedCases();
  const std::vector<std::pair<std::string, std::int32_t>> sizes = {
      {"Random1000Bytes", 1000}, {"Random32K", 32 << 10}, {"Random40000Bytes", 40000}, {"Random4M", 4 << 20}};
  for (const auto& [name, size] : sizes) {
    cases.push_back(
        {name, [size = size] { return RandomImage(size, 0x5EED0000u + static_cast<std::uint32_t>(size)); }});
  }
  cases.push_back({"DenseCode4M", [] { return DenseCodeImage(ShippedTable(), 4 << 20, 0xC0DE); }});
  cases.push_back({"EveryTableForm", [] { return AllFormsImage(ShippedTable()).Bytes; }});
  return cases;
}

std::string CaseName(const ::testing::TestParamInfo<ImageCase>& info) { return info.param.Name; }
void PrintTo(const ImageCase& imageCase, std::ostream* out) { *out << imageCase.Name; }

// Skips the test where WLA DX is missing.
template <typename Base>
class NeedsWlaDx : public Base {
 protected:
  void SetUp() override {
    if (const std::string missing = WlaDxMissing(); !missing.empty()) GTEST_SKIP() << missing;
  }
};

class DefaultOutput : public NeedsWlaDx<::testing::TestWithParam<ImageCase>> {};
class RebuildableOutput : public NeedsWlaDx<::testing::TestWithParam<ImageCase>> {};

TEST_P(DefaultOutput, RebuildsTheImage) {
  const std::string failure = RoundTripFailure(GetParam().Name + ".sms", GetParam().Make(), false);
  if (!failure.empty()) ADD_FAILURE() << failure;
}

TEST_P(RebuildableOutput, RebuildsTheImage) {
  const std::string failure = RoundTripFailure(GetParam().Name + ".sms", GetParam().Make(), true);
  if (!failure.empty()) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Images, DefaultOutput, ::testing::ValuesIn(GameShapedCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Images, RebuildableOutput, ::testing::ValuesIn(RebuildableCases()), CaseName);

// --- The list of encodings without an exact spelling ---------------------------

// Each form's usual text alone in an 8-byte slot of its own: the form has
// an exact spelling when its slot comes back as its bytes and zeros.
using NoExactSpellingList = NeedsWlaDx<::testing::Test>;

TEST_F(NoExactSpellingList, NamesExactlyTheFormsTheAssemblerWritesDifferently) {
  constexpr std::int32_t SlotSize = 8;
  const FormsImage forms = AllFormsImage(ShippedTable());
  analysis::Examination examination;  // without labels, targets stay numbers
  analysis::LoadRom(examination, forms.Bytes);

  struct Slot {
    PlacedForm Form;
    opcodes::DecodedInstruction Decoded;
    bool Assembles = true;
  };
  std::vector<Slot> slots;
  for (const PlacedForm& form : forms.Forms) {
    if (form.HighOperands) continue;
    Slot slot{form, {}, true};
    opcodes::DecodeInstruction(ShippedTable(), examination, form.Offset, slot.Decoded);
    slots.push_back(std::move(slot));
  }
  ASSERT_LE(static_cast<std::int32_t>(slots.size()) * SlotSize, BankSize);

  TempFolder folder;
  std::string failure;
  for (;;) {
    std::string source =
        ".MEMORYMAP\r\nSLOTSIZE $4000\r\nDEFAULTSLOT 0\r\nSLOT 0 $0000\r\n.ENDME\r\n"
        ".ROMBANKMAP\r\nBANKSTOTAL 1\r\nBANKSIZE $4000\r\nBANKS 1\r\n.ENDRO\r\n.BANK 0 SLOT 0\r\n";
    int lineNumber = 11;  // the lines above
    std::vector<std::size_t> slotOfLine(static_cast<std::size_t>(lineNumber) + 2 * slots.size() + 1, slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
      if (!slots[i].Assembles) continue;
      source += ".ORG " + Hex(static_cast<std::uint32_t>(i) * SlotSize) + "\r\n  " + slots[i].Decoded.Text + "\r\n";
      lineNumber += 2;
      slotOfLine[static_cast<std::size_t>(lineNumber)] = i;
    }
    WriteFile(folder.File("forms.asm"), source);
    failure = Assemble(folder.Path, "forms.asm", false);
    if (failure.empty()) break;
    // Texts the assembler rejects have no exact spelling either; take them
    // out and try again.
    static const std::regex located{R"(forms\.asm:(\d+))"};
    bool removed = false;
    for (auto match = std::sregex_iterator(failure.begin(), failure.end(), located); match != std::sregex_iterator();
         ++match) {
      const auto line = std::stoul((*match)[1].str());
      if (line < slotOfLine.size() && slotOfLine[line] < slots.size()) {
        slots[slotOfLine[line]].Assembles = false;
        removed = true;
      }
    }
    if (!removed) break;
  }
  ASSERT_EQ(failure, "");
  const auto rebuilt = platform::ReadFileBytes(folder.File("rebuilt.rom"));
  ASSERT_TRUE(rebuilt.has_value());

  std::string wrong;
  int inexact = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const Slot& slot = slots[i];
    const auto start = forms.Bytes.begin() + slot.Form.Offset;
    std::vector<std::uint8_t> expected(start, start + slot.Decoded.Length);
    expected.resize(SlotSize, 0);
    const auto slotStart = rebuilt->begin() + static_cast<std::ptrdiff_t>(i * SlotSize);
    const std::vector<std::uint8_t> built(slotStart, slotStart + SlotSize);
    const bool exact = slot.Assembles && built == expected;
    inexact += exact ? 0 : 1;
    const std::uint8_t firstByte = forms.Bytes[static_cast<std::size_t>(slot.Form.Offset)];
    if (output::HasNoExactSpelling(firstByte, slot.Form.TableIndex) == !exact) continue;
    const std::span<const std::uint8_t> formBytes(expected.data(), static_cast<std::size_t>(slot.Decoded.Length));
    wrong += "  entry " + Hex(static_cast<std::uint32_t>(slot.Form.TableIndex)) + " (" + HexBytes(formBytes) + ", \"" +
             slot.Decoded.Text + "\"): ";
    if (!slot.Assembles) {
      wrong += "rejected by the assembler, but not listed\n";
    } else if (exact) {
      wrong += "listed, but assembles exactly\n";
    } else {
      wrong += "assembles to " + HexBytes(built) + ", but not listed\n";
    }
  }
  if (!wrong.empty()) {
    ADD_FAILURE() << "HasNoExactSpelling disagrees with WLA DX on these forms (" << inexact << " of " << slots.size()
                  << " have no exact spelling):\n"
                  << wrong;
  }
}

// --- The generator keeps its promises -------------------------------------------

// Traced as bytegleaner-cli traces by default.
analysis::Examination Traced(const std::vector<std::uint8_t>& image) {
  analysis::Examination examination;
  analysis::LoadRom(examination, image);
  analysis::ExamineEntryPoints(ShippedTable(), examination, true, reporting::UserInterface{});
  return examination;
}

bool IsCodeStart(const analysis::Examination& examination, std::int32_t offset) {
  return (examination.Map[static_cast<std::size_t>(offset)] & analysis::CodeStart) != 0;
}

// Offsets where a traced instruction has another one starting inside it,
// other than where a bank's end cuts it.
std::vector<std::int32_t> OverlappingInstructions(const analysis::Examination& examination) {
  std::vector<std::int32_t> overlapping;
  opcodes::DecodedInstruction decoded;
  for (std::int32_t offset = 0; offset < examination.Rom.RomSize; ++offset) {
    if (!IsCodeStart(examination, offset)) continue;
    opcodes::MeasureInstruction(ShippedTable(), examination, offset, decoded);
    const std::int32_t end =
        std::min({offset + decoded.Length, (offset / BankSize + 1) * BankSize, examination.Rom.RomSize});
    for (std::int32_t inside = offset + 1; inside < end; ++inside) {
      if (IsCodeStart(examination, inside)) overlapping.push_back(offset);
    }
  }
  return overlapping;
}

TEST(GeneratedImages, GameImagesHaveCodeInEveryDirectlyAddressedBankAndNoOverlaps) {
  for (const std::int32_t size : {1000, 16 << 10, 40000, 48 << 10, 512 << 10}) {
    SCOPED_TRACE(size);
    const std::vector<std::uint8_t> image = GameImage(size, static_cast<std::uint32_t>(size));
    ASSERT_EQ(static_cast<std::int32_t>(image.size()), size);
    EXPECT_EQ(image, GameImage(size, static_cast<std::uint32_t>(size)));
    const analysis::Examination examination = Traced(image);
    for (const std::int32_t entry : {0x00, 0x08, 0x10, 0x18, 0x20, 0x28, 0x30, 0x38, 0x66}) {
      EXPECT_TRUE(IsCodeStart(examination, entry)) << "entry " << entry;
    }
    for (std::int32_t bank = 0; bank < std::min(3, (size + BankSize - 1) / BankSize); ++bank) {
      const auto first = examination.Map.begin() + bank * BankSize;
      const auto last = examination.Map.begin() + std::min((bank + 1) * BankSize, size);
      EXPECT_GT(std::count_if(first, last, [](std::uint8_t flags) { return (flags & analysis::CodeStart) != 0; }), 20)
          << "bank " << bank;
    }
    EXPECT_EQ(OverlappingInstructions(examination), std::vector<std::int32_t>{});
  }
}

TEST(GeneratedImages, EveryTableFormIsTracedAsItself) {
  const FormsImage forms = AllFormsImage(ShippedTable());
  const analysis::Examination examination = Traced(forms.Bytes);
  int checked = 0;
  opcodes::DecodedInstruction decoded;
  for (const PlacedForm& form : forms.Forms) {
    SCOPED_TRACE("entry " + Hex(static_cast<std::uint32_t>(form.TableIndex)) + " at " +
                 Hex(static_cast<std::uint32_t>(form.Offset)));
    ASSERT_TRUE(IsCodeStart(examination, form.Offset));
    opcodes::MeasureInstruction(ShippedTable(), examination, form.Offset, decoded);
    ASSERT_EQ(decoded.TableIndex, form.TableIndex);
    ++checked;
  }
  EXPECT_EQ(checked, 2 * (256 * 3 - 4 + 2 * (256 * 2 - 1)));
  EXPECT_EQ(OverlappingInstructions(examination), std::vector<std::int32_t>{});
}

TEST(GeneratedImages, DenseCodeIsTracedAlmostWhole) {
  const std::vector<std::uint8_t> image = DenseCodeImage(ShippedTable(), 256 << 10, 0xC0DE);
  const analysis::Examination examination = Traced(image);
  std::int32_t covered = 0;
  opcodes::DecodedInstruction decoded;
  for (std::int32_t offset = 0; offset < examination.Rom.RomSize; ++offset) {
    if (!IsCodeStart(examination, offset)) continue;
    opcodes::MeasureInstruction(ShippedTable(), examination, offset, decoded);
    covered += decoded.Length;
  }
  EXPECT_GT(covered, examination.Rom.RomSize * 9 / 10);
  EXPECT_TRUE(IsCodeStart(examination, examination.Rom.RomSize - 1));
  EXPECT_EQ(OverlappingInstructions(examination), std::vector<std::int32_t>{});
}

}  // namespace
}  // namespace bytegleaner::testing
