#include "analysis/examination.h"
#include "output/examine_rom.h"
#include "reporting/user_interface.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace bytegleaner::output {
namespace {

using bytegleaner::testing::ReadText;
using bytegleaner::testing::ShippedTable;
using bytegleaner::testing::TempFolder;
using bytegleaner::testing::WriteFile;

void Place(std::vector<std::uint8_t>& image, std::size_t offset, std::initializer_list<int> bytes) {
  for (const int byte : bytes) image[offset++] = static_cast<std::uint8_t>(byte);
}

// One examination in a scratch folder, with everything the front end saw.
struct ExamineRun {
  TempFolder Folder;
  std::string RomPath = Folder.File("game.sms");
  std::vector<std::string> Calls;  // status lines, "error: ...", "clear", "buttons on/off"
  analysis::Examination Examination;
  ExamineResult Result;

  reporting::UserInterface Ui() {
    reporting::UserInterface ui;
    ui.AddStatusLine = [this](std::string_view line) { Calls.emplace_back(line); };
    ui.ClearStatusLog = [this] { Calls.emplace_back("clear"); };
    ui.ShowError = [this](std::string_view text) { Calls.push_back("error: " + std::string(text)); };
    ui.EnableButtons = [this](bool on) { Calls.emplace_back(on ? "buttons on" : "buttons off"); };
    return ui;
  }
  std::string Examine(const std::vector<std::uint8_t>& image, ExamineOptions options = {}) {
    WriteFile(RomPath, image);
    Calls.clear();
    return ExamineAgain(options);
  }
  std::string ExamineAgain(ExamineOptions options = {}) {
    Result = ExamineRom(RomPath, ShippedTable(), options, Examination, Ui());
    return ReadText(RomPath + ".asm");
  }
  // The body: everything after the header's 17 lines.
  std::string Body(const std::string& source) const {
    std::size_t at = 0;
    for (int line = 0; line < 17; ++line) at = source.find("\r\n", at) + 2;
    return source.substr(at);
  }
};

// An image of one byte value with a ret at each entry point.
std::vector<std::uint8_t> Quiet(std::size_t size, std::uint8_t fill = 0) {
  std::vector<std::uint8_t> image(size, fill);
  for (const std::size_t entry : {0x00u, 0x38u, 0x66u}) {
    if (entry < size) image[entry] = 0xC9;
  }
  return image;
}

std::string Header(std::int32_t size, const std::string& bankMap) {
  return "; Source code created by Bytegleaner V1.0\r\n; Size: " + std::to_string(size) +
         " bytes\r\n\r\n.MEMORYMAP\r\nSLOTSIZE $4000\r\nSLOT 0 $0000\r\nSLOT 1 $4000\r\nSLOT 2 $8000\r\n"
         "DEFAULTSLOT 2\r\n.ENDME\r\n\r\n.ROMBANKMAP\r\n" +
         bankMap + ".ENDRO\r\n\r\n";
}

TEST(SourceFile, HeaderDeclaresWholeBanksAndPartialBanksExactly) {
  ExamineRun run;
  const std::string whole = run.Examine(Quiet(262144));
  EXPECT_EQ(whole.rfind(Header(262144, "BANKSTOTAL 16\r\nBANKSIZE $4000\r\nBANKS 16\r\n") + "\r\n.BANK 0 SLOT 0\r\n", 0), 0u);
  EXPECT_EQ(run.Calls[2], "Filename: " + run.RomPath);
  EXPECT_EQ(run.Calls[3], "Size: 262144 bytes");
  EXPECT_EQ(run.Examine(Quiet(32768)).find("BANKSTOTAL 2\r\nBANKSIZE $4000\r\nBANKS 2\r\n.ENDRO"), 174u);
  EXPECT_EQ(run.Examine(Quiet(49152)).find("BANKSTOTAL 3\r\nBANKSIZE $4000\r\nBANKS 3\r\n.ENDRO"), 174u);

  const std::string partial = run.Examine(Quiet(40000));
  EXPECT_EQ(partial.rfind(Header(40000, "BANKSTOTAL 3\r\nBANKSIZE $4000\r\nBANKS 2\r\nBANKSIZE $1C40\r\nBANKS 1\r\n"), 0), 0u);
  EXPECT_NE(partial.find("\r\n.BANK 2 SLOT 2\r\n.ORG $0000\r\n\r\n\r\n; Data from $8000 to $9C3F (7232 bytes)\r\n"),
            std::string::npos);

  EXPECT_EQ(run.Examine(Quiet(1000)).rfind(Header(1000, "BANKSTOTAL 1\r\nBANKSIZE $3E8\r\nBANKS 1\r\n") +
                                           "\r\n.BANK 0 SLOT 0\r\n.ORG $0000\r\n\r\n_START:\r\n  ret\r\n\r\n",
                                           0),
            0u);
  // An empty image has nothing to write after the header.
  EXPECT_EQ(run.Examine({}), Header(0, "BANKSTOTAL 0\r\nBANKSIZE $4000\r\nBANKS 0\r\n"));
  EXPECT_EQ(run.Calls[3], "Size: 0 bytes");
  EXPECT_EQ(run.Calls[run.Calls.size() - 3], "Found 0 labels.");
}

TEST(SourceFile, SmallImageInFull) {
  std::vector<std::uint8_t> image(0x80, 0);
  Place(image, 0x00, {0xF3, 0xC3, 0x40, 0x00});           // di; jp $0040
  Place(image, 0x10, {'H', 'I', '!', '!', 0x00});         // text
  Place(image, 0x38, {0xFB, 0xED, 0x4D});                 // ei; reti
  Place(image, 0x40, {0x20, 0xFE, 0xDD, 0x7E, 0x85, 0xC9});  // jr nz,self; ld a,(ix+$85); ret
  Place(image, 0x66, {0xED, 0x45});
  Place(image, 0x68, {0x01, 0x02, 0x03});
  ExamineRun run;
  const std::string source = run.Examine(image);
  EXPECT_EQ(run.Body(source),
            "\r\n.BANK 0 SLOT 0\r\n.ORG $0000\r\n\r\n"
            "_START:\r\n  di\r\n  jp _Label_40_2\r\n\r\n"
            // Text that does not start the stretch gets no string item.
            "\r\n; Data from $4 to $37 (52 bytes)\r\n"
            ".db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $48, $49, $21, $21\r\n"
            ".db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00\r\n"
            ".db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00\r\n"
            ".db $00, $00, $00, $00\r\n\r\n"
            "_IRQ_HANDLER:\r\n  ei\r\n  reti\r\n\r\n"
            "\r\n; Data from $3B to $3F (5 bytes)\r\n; (only NULL-bytes)\r\n.db $00, $00, $00, $00, $00\r\n\r\n"
            "_Label_40_2:\r\n  jr nz,_Label_40_2\r\n  ld a,(ix+$85)\r\n  ret\r\n\r\n"
            "\r\n; Data from $46 to $65 (32 bytes)\r\n; (only NULL-bytes)\r\n"
            ".db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00\r\n"
            ".db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00\r\n\r\n"
            "_NMI_HANDLER:\r\n  retn\r\n\r\n"
            "\r\n; Data from $68 to $7F (24 bytes)\r\n"
            ".db $01, $02, $03, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00\r\n"
            ".db $00, $00, $00, $00, $00, $00, $00, $00\r\n\r\n");
  EXPECT_EQ(run.Calls,
            (std::vector<std::string>{"clear", "buttons off", "Filename: " + run.RomPath, "Size: 128 bytes",
                                      "Examining code...", "Examining IRQ handler...", "Examining NMI handler...",
                                      "Creating ASM file...", "Finished.", "Found 4 labels.", "Created 0 binaries.",
                                      "buttons on"}));
  // The rebuildable form differs only where the text would not assemble back.
  const std::string rebuildable = run.ExamineAgain({true, true});
  std::string expected = source;
  expected.replace(expected.find("(ix+$85)"), 8, "(ix-$7B)");
  EXPECT_EQ(rebuildable, expected);
}

TEST(SourceFile, BanksGetHeadersAndDataStopsAtEveryBanksEnd) {
  std::vector<std::uint8_t> image = Quiet(0x10000, 0x11);
  Place(image, 0x0000, {0xC3, 0x00, 0xC0});
  Place(image, 0xC000, {0xC3, 0xF0, 0x3F});
  Place(image, 0x3FF0, {0xC9});
  ExamineRun run;
  const std::string source = run.Examine(image);
  for (const char* header : {"\r\n.BANK 0 SLOT 0\r\n.ORG $0000\r\n\r\n", "\r\n\r\n\r\n.BANK 1 SLOT 1\r\n.ORG $0000\r\n\r\n\r\n",
                             "\r\n.BANK 2 SLOT 2\r\n.ORG $0000\r\n\r\n", "\r\n.BANK 3\r\n.ORG $0000\r\n\r\n_Label_C000_2:\r\n"}) {
    EXPECT_NE(source.find(header), std::string::npos) << header;
  }
  EXPECT_NE(source.find("_START:\r\n  jp _Label_C000_2\r\n"), std::string::npos);
  EXPECT_NE(source.find("; Data from $3FF1 to $3FFF (15 bytes)\r\n.db $11,"), std::string::npos);
  EXPECT_NE(source.find("; Data from $4000 to $7FFF (16384 bytes)\r\n.incbin \"" + run.RomPath + ".dat.4000\"\r\n\r\n"),
            std::string::npos);
  EXPECT_EQ(run.Result.BinaryFileCount, 4);
  EXPECT_EQ(std::filesystem::file_size(run.RomPath + ".dat.4000"), 16384u);
  EXPECT_EQ(std::vector<std::string>(run.Calls.begin() + 8, run.Calls.begin() + 12),
            (std::vector<std::string>{"Writing binary ($67)...", "Writing binary ($4000)...", "Writing binary ($8000)...",
                                      "Writing binary ($C003)..."}));
}

TEST(SourceFile, StretchesAreWrittenByTheDecisionTable) {
  std::vector<std::uint8_t> image = Quiet(0x4000);
  Place(image, 0x0000, {0xC3, 0x00, 0x10});
  // Each stretch is closed off by an instruction start after it.
  Place(image, 0x1000, {0xCD, 0x00, 0x14, 0xCD, 0x0A, 0x14, 0xCD, 0x0E, 0x14, 0xCD, 0x30, 0x14,
                        0xCD, 0x00, 0x18, 0xCD, 0x00, 0x1C, 0xCD, 0x00, 0x24, 0xCD, 0x00, 0x25, 0xC9});
  // $1400: 10 zeros, then $140A: 3 printable bytes, $140E: 20 bytes of text holding a CR.
  Place(image, 0x140A, {'A', 'B', 'C', 'D'});
  for (int i = 0; i < 20; ++i) image[0x140E + i] = 'a';
  image[0x1414] = 13;
  // $1430..$17FF: 976 bytes; $1800..$1BFF: 1024 bytes of 1s; $1C00..$23FF: 2048 zeros; $2400: 1025 bytes
  for (int i = 0x1800; i < 0x1C00; ++i) image[i] = 1;
  for (int i = 0x1C00; i < 0x2400; ++i) image[i] = 0;
  for (int i = 0x2401; i < 0x2800; ++i) image[i] = 'x';
  for (const int start : {0x1400, 0x140A, 0x140E, 0x1430, 0x1800, 0x1C00, 0x2400, 0x2500}) image[start] = 0xC9;
  image[0x1400] = 0xC9;
  ExamineRun run;
  const std::string source = run.Examine(image);
  EXPECT_NE(source.find("; Data from $1401 to $1409 (9 bytes)\r\n; (only NULL-bytes)\r\n.db $00, $00, $00, $00, $00, $00, $00, $00, $00\r\n\r\n"),
            std::string::npos);
  EXPECT_NE(source.find("; Data from $140B to $140D (3 bytes)\r\n.db $42, $43, $44\r\n"), std::string::npos);
  EXPECT_NE(source.find("; Data from $140F to $142F (33 bytes)\r\n.db $61, $61, $61, $61, $61, $0D,"), std::string::npos);
  EXPECT_NE(source.find("; Data from $1801 to $1BFF (1023 bytes)\r\n.db $01, "), std::string::npos);
  EXPECT_NE(source.find("; Data from $1C01 to $23FF (2047 bytes)\r\n; (only NULL-bytes)\r\n.incbin \"" + run.RomPath + ".dat.1C01\"\r\n"),
            std::string::npos);
  EXPECT_NE(source.find("; Data from $2401 to $24FF (255 bytes)\r\n.db \"xxxx"), std::string::npos);
  EXPECT_NE(source.find("; Data from $2501 to $3FFF (6911 bytes)\r\n.incbin"), std::string::npos);
}

TEST(SourceFile, ThousandAndTwentyFourBytesStayInTheSourceOneMoreGoesToAFile) {
  for (const int length : {1024, 1025}) {
    std::vector<std::uint8_t> image(0x100 + static_cast<std::size_t>(length) + 1, 0x05);
    Place(image, 0x0000, {0xC3, 0x00, 0x00});
    image.back() = 0xC9;
    Place(image, 0x0000, {0xC3, static_cast<int>(image.size() - 1) & 0xFF, static_cast<int>(image.size() - 1) >> 8});
    Place(image, 0x00FF, {0xC9});
    ExamineRun run;
    const std::string source = run.Examine(image);
    const std::size_t dbLines = static_cast<std::size_t>(std::count(source.begin(), source.end(), '\n'));
    if (length == 1024) {
      EXPECT_EQ(run.Result.BinaryFileCount, 0);
      EXPECT_GT(dbLines, 64u);
    } else {
      EXPECT_EQ(run.Result.BinaryFileCount, 1);
    }
  }
}

TEST(SourceFile, UnreadableRomChangesNothing) {
  ExamineRun run;
  run.Examine(std::vector<std::uint8_t>(0x100, 0xC9));
  run.Calls.clear();
  run.RomPath = run.Folder.File("missing.sms");
  run.ExamineAgain();
  EXPECT_FALSE(run.Result.Examined);
  EXPECT_EQ(run.Calls, (std::vector<std::string>{"error: Can't load ROM file."}));
  EXPECT_EQ(run.Examination.Rom.RomSize, 0x100);
  EXPECT_EQ(run.Examination.Labels.LabelCount, 3);
  EXPECT_FALSE(std::filesystem::exists(run.RomPath + ".asm"));
  run.RomPath = run.Folder.Path;  // a folder is not a ROM
  run.ExamineAgain();
  EXPECT_EQ(run.Calls.back(), "error: Can't load ROM file.");
}

TEST(SourceFile, ReadOnlySourceFileStopsTheJobAfterLoading) {
  ExamineRun run;
  WriteFile(run.RomPath + ".asm", std::string("keep me"));
  chmod((run.RomPath + ".asm").c_str(), 0444);
  run.Examine(std::vector<std::uint8_t>(0x100, 0xC9));
  EXPECT_FALSE(run.Result.Examined);
  EXPECT_EQ(run.Calls, (std::vector<std::string>{"clear", "error: Can't create ASM file."}));
  EXPECT_EQ(ReadText(run.RomPath + ".asm"), "keep me");
  EXPECT_EQ(run.Examination.Rom.RomSize, 0x100);
  EXPECT_EQ(run.Examination.Labels.LabelCount, 0);
  EXPECT_EQ(run.Examination.Map[0], 0);
}

TEST(SourceFile, BinaryFileThatCannotBeMadeIsReportedAndSkipped) {
  ExamineRun run;
  WriteFile(run.RomPath + ".dat.4000", std::string("old"));
  chmod((run.RomPath + ".dat.4000").c_str(), 0444);
  run.Examine(Quiet(0x8000));
  const std::string source = ReadText(run.RomPath + ".asm");
  EXPECT_NE(source.find(".incbin \"" + run.RomPath + ".dat.4000\"\r\n"), std::string::npos);
  EXPECT_NE(std::find(run.Calls.begin(), run.Calls.end(), "Unable to create data file. (4000)"), run.Calls.end());
  EXPECT_EQ(run.Calls.back(), "buttons on");
  EXPECT_EQ(run.Calls[run.Calls.size() - 2], "Created 1 binaries.");
  EXPECT_EQ(ReadText(run.RomPath + ".dat.4000"), "old");
}

TEST(SourceFile, InstructionsCutAtBankEndsImageEndsAndInnerLabels) {
  std::vector<std::uint8_t> image(0x8002, 0);
  Place(image, 0x0000, {0xC3, 0xFE, 0x3F});
  Place(image, 0x3FFE, {0x3E, 0xAF, 0xC3, 0xFF, 0x3F});  // ld a,$AF straddles... no: see below
  Place(image, 0x3FFE, {0xC3, 0x00, 0x80});               // jp $8000 straddles the bank end
  Place(image, 0x8000, {0x3E, 0x2F});                     // ld a,$2F with a jump into its operand
  Place(image, 0x0038, {0xC3, 0x01, 0x80});
  ExamineRun run;
  const std::string source = run.Examine(image);
  EXPECT_NE(source.find("_Label_3FFE_2:\r\n  .db $C3, $00 ; jp _Label_8000_3\r\n\r\n\r\n.BANK 1 SLOT 1\r\n.ORG $0000\r\n\r\n"
                        "\r\n; Data from $4000 to $7FFF"),
            std::string::npos);
  EXPECT_NE(source.find("_Label_8000_3:\r\n  .db $3E ; ld a,$2F\r\n_Label_8001_5:\r\n  cpl\r\n"), std::string::npos);
}

}  // namespace
}  // namespace bytegleaner::output
