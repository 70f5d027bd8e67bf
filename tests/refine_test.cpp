// The hints file, the cross-references, the cartridge header and the
// hardware's names in the thorough source, through bytegleaner-cli.
#include "analysis/examination.h"
#include "analysis/thorough/thorough_examination.h"
#include "hints/hint_text.h"
#include "hints/hints_reader.h"
#include "platform/file_bytes.h"
#include "tests/test_roms.h"
#include "tests/test_support.h"
#include "tests/wla_dx.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace bytegleaner::testing {
namespace {

int RunCli(const std::string& arguments, const TempFolder& folder) {
  const std::string command = "cd '" + folder.Path + "' && '" + std::string(BYTEGLEANER_CLI) + "' " + arguments +
                              " > out.txt 2> err.txt < /dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Empty when the source beside the image assembles back into it.
std::string RebuildFailure(const TempFolder& folder, const std::string& rom) {
  if (std::string failure = Assemble(folder.Path, rom + ".asm"); !failure.empty()) return failure;
  return platform::ReadFileBytes(folder.File("rebuilt.rom")) == platform::ReadFileBytes(folder.File(rom))
             ? ""
             : "the rebuilt image differs";
}

std::string At(const TestRom& rom, const std::string& label, std::int32_t plus = 0) {
  return hints::AddressText(rom.OffsetOf(label) + plus);
}

TEST(Hints, EveryKindShapesTheSourceWhichRebuildsAndWrittenHintsChangeNothing) {
  const TestRom& rom = AssembledTestRom("state_machine_game");
  ASSERT_TRUE(rom.Failure.empty()) << rom.Failure;
  // Code nothing calls, which only a hint finds, and hints that repeat
  // what the analysis finds alone.
  const std::string hintsText =
      "# every kind\ncode " + At(rom, "UnusedDebugBorder") + "\n"
      "words " + At(rom, "DataObjectTypes") + "-" + At(rom, "DataObjectTypes", 7) + " ; the first records\n" +
      "code " + At(rom, "UpdateEnemy") + "\ncode " + At(rom, "DrawEnemy") + "\ncode 0:" + At(rom, "UpdateShot") +
      "\ncode " + At(rom, "DrawShot") + "\ndata " + At(rom, "DataVdpRegisters") + "-" + At(rom, "DataSpawnEnd", -1) +
      "\ntext " + At(rom, "DataHighScores") + "-" + At(rom, "DataHighScores", 14) + "\nname " +
      At(rom, "PutSprite") + " PutSprite\nname " + At(rom, "DataTiles") + " Tiles\ncomment " + At(rom, "MainLoop") +
      " The main loop; it never ends\n";
  const hints::HintsReading reading = hints::ReadHints(
      std::span(reinterpret_cast<const std::uint8_t*>(hintsText.data()), hintsText.size()), "h", 0x8000);
  ASSERT_TRUE(reading.Errors.empty()) << reading.Errors.front();
  analysis::Examination examination;
  analysis::LoadRom(examination, rom.Image);
  thorough::Findings findings;
  thorough::Guidance guidance{reading.Hints, "h", {}};
  thorough::ExamineThoroughly(ShippedTable(), examination, findings, {}, guidance);
  EXPECT_TRUE(guidance.Errors.empty());
  for (const RomLabel& label : rom.Labels) {
    const bool traced = (examination.Map[static_cast<std::size_t>(label.Offset)] & analysis::CodeStart) != 0;
    EXPECT_EQ(traced, label.IsCode() || label.Name == "UnusedDebugBorder") << label.Name;
  }

  TempFolder folder;
  WriteFile(folder.File("game.sms"), rom.Image);
  WriteFile(folder.File("game.sms.hints"), hintsText);
  ASSERT_EQ(RunCli("game.sms", folder), 0);
  const std::string source = ReadText(folder.File("game.sms.asm"));
  for (const char* expected : {"\r\nTiles:\r\n", "; The main loop; it never ends\r\n_Label_", "\r\n  jr PutSprite\r\n",
                               "\r\nPutSprite:\r\n", ".db \"AAA\", $00\r\n.db \"PBOB\", $00\r\n", ".dw _Label_", "; code hint\r\n"}) {
    EXPECT_NE(source.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(RebuildFailure(folder, "game.sms"), "");

  // Written hints, read back by default, change nothing: from scratch and
  // with the user's hints kept in the file.
  ASSERT_EQ(RunCli("--write-hints --force game.sms", folder), 0);
  EXPECT_EQ(ReadText(folder.File("game.sms.asm")), source);
  ASSERT_EQ(RunCli("game.sms", folder), 0);
  EXPECT_EQ(ReadText(folder.File("game.sms.asm")), source);
  TempFolder plain;
  WriteFile(plain.File("game.sms"), rom.Image);
  ASSERT_EQ(RunCli("--write-hints game.sms", plain), 0);
  const std::string written = ReadText(plain.File("game.sms.hints"));
  EXPECT_NE(written.find("\r\nwords " + At(rom, "DataStateTable") + "-"), std::string::npos) << written;
  EXPECT_NE(written.find(" ; jump table used at "), std::string::npos);
  const std::string unhinted = ReadText(plain.File("game.sms.asm"));
  ASSERT_EQ(RunCli("game.sms", plain), 0);
  EXPECT_EQ(ReadText(plain.File("game.sms.asm")), unhinted);
}

TEST(ThoroughSource, DecodesTheHeaderNamesHardwareAndSaysWhereLabelsAreReachedFrom) {
  // call $0010 / out ($BF),a / ld ($FFFF),a / ret, and a header whose
  // checksum holds the sum of $0000-$7FEF or not.
  std::vector<std::uint8_t> image(0x8000, 0);
  const std::vector<std::uint8_t> code{0xCD, 0x10, 0x00, 0xD3, 0xBF, 0x32, 0xFF, 0xFF, 0xC9};
  std::copy(code.begin(), code.end(), image.begin());
  image[0x10] = image[0x38] = image[0x66] = 0xC9;
  const std::string signature = "TMR SEGA";
  std::copy(signature.begin(), signature.end(), image.begin() + 0x7FF0);
  image[0x7FFF] = 0x4C;
  std::uint32_t sum = 0;
  for (std::int32_t at = 0; at < 0x7FF0; ++at) sum += image[static_cast<std::size_t>(at)];
  for (const bool matching : {true, false}) {
    image[0x7FFA] = static_cast<std::uint8_t>(matching ? sum : 0x12);
    image[0x7FFB] = static_cast<std::uint8_t>(matching ? sum >> 8 : 0x34);
    TempFolder folder;
    WriteFile(folder.File("game.sms"), image);
    ASSERT_EQ(RunCli("game.sms", folder), 0);
    const std::string source = ReadText(folder.File("game.sms.asm"));
    for (const char* expected :
         {"; called from _START\r\n_RST_10H:\r\n", "  out ($BF),a ; VDP control\r\n", "  ld ($FFFF),a ; slot 2 bank\r\n",
          "; Cartridge header at $7FF0 (16 bytes)\r\n_CartridgeHeader:\r\n",
          matching ? ", matches the sum of $0000-$7FEF\r\n" : "; checksum $3412, but the sum of $0000-$7FEF is "}) {
      EXPECT_NE(source.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(RebuildFailure(folder, "game.sms"), "") << matching;
  }
}

}  // namespace
}  // namespace bytegleaner::testing
