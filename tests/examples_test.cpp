// Small images examined as the front ends examine them, one shared
// examination after another as in the programs. Everything the user sees
// (status lines, error boxes, the source text, the binary files) is
// compared with tests/golden/examples.txt; BYTEGLEANER_UPDATE_GOLDEN=1
// rewrites that file after a deliberate change.
#include "analysis/examination.h"
#include "output/examine_rom.h"
#include "reporting/user_interface.h"
#include "tests/golden_file.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace bytegleaner::testing {
namespace {

namespace fs = std::filesystem;

struct Example {
  std::string Name;
  ByteVector Image;
  std::string Runs = "d";  // per letter one run: d default, n no break at jp (hl), r rebuildable
  // What stands in the way: "missing", "folder", "unreadable", "full", or a
  // file made read-only; or "sample", the bundled one.
  std::string Setup = "";
};

// Code at $0068 that calls each piece, and the pieces behind it: a ret,
// then the bytes, which make one data stretch.
ByteVector Stretches(const std::vector<std::string>& pieces) {
  ByteVector image = Image(0x69 + 3 * pieces.size(), "C3 68 00 @38 C9 @66 C9");
  image.back() = 0xC9;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    image[0x68 + 3 * i] = 0xCD;
    image[0x69 + 3 * i] = static_cast<std::uint8_t>(image.size());
    image[0x6A + 3 * i] = static_cast<std::uint8_t>(image.size() >> 8);
    image.push_back(0xC9);
    image.insert(image.end(), pieces[i].begin(), pieces[i].end());
  }
  return image;
}

std::vector<Example> Examples() {
  const std::string entries = "@0 C9 @38 C9 @66 C9";
  std::vector<Example> examples = {
      {"depth-first numbering, rst vectors, interrupt entries, overlapping runs",
       Image(0x400, "F3 31 00 C0 C3 00 01 @8 CD 80 03 C9 @38 CD 80 02 F5 F1 FB ED 4D @66 ED 45 "
                    "@100 CD 00 02 CD 00 03 CF FF C3 A0 03 @200 CD 40 02 C9 @240 C9 @280 C9 @300 C9 "
                    "@380 CD 84 03 00 3E 01 C9 @3A0 3E AF C3 A1 03")},
      {"targets outside the image, instruction cut by the image's end",
       Image(0x80, "CD 00 C0 CD 10 80 18 80 @38 C3 7F 00 @66 ED 45 @7F CD")},
      {"jp (hl), jp (ix), jp (iy) at each entry point",
       Image(0x130, "E9 CD 00 01 C9 @38 DD E9 CD 10 01 C9 @66 FD E9 CD 20 01 C9 @100 C9 @110 C9 @120 C9"), "dn"},
      // As many labels as the run before, elsewhere: no name may be taken from that examination.
      {"operand texts", Image(0x70, "01 00 00 06 0A FD 21 FF FF DD 29 FD 65 DD 36 05 80 DD CB FE 46 FD CB 03 C7 "
                                    "FD 7E 00 DD DD ED 4C ED 63 34 12 CD 68 00 10 FE 18 FE @38 ED 4D @66 ED 45 @68 C9"), "dr"},
      {"banks, cut instructions and the rebuildable rewrites",
       Image(0x10000, "11*65536 @0 C3 E0 3F @38 C3 01 80 @66 ED 45 "
                      "@3FE0 CD FF BF CD F8 BF CD 00 C0 DD 7E 85 FD 77 80 DD 7E 7F DD 00 FD DD ED 63 34 12 C3 FE 3F "
                      "@3FFE C3 00 80 @8000 3E 2F C9 @BFF8 18 16 @BFFF C9 @C000 C3 FF FF @C010 18 FE @FFFF CD"), "dr"},
      {"data stretches",
       Stretches({std::string(9, 0), "BCD", "ABCD", "A B C", "aaaaa\raaaaaaaaaaaaaa", std::string("\0\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17\20", 17),
                  "\5", std::string("HELLO\0", 6), std::string("\0ABCD", 5), "AB\"CD", "\x80\xFF\x7F ",
                  std::string(100, 'x'), std::string(80, 'y') + '\0', std::string(70, 'z') + std::string(3, 0),
                  "A\\B\\", "\\ABC", std::string(1024, 1), std::string(1025, 1), std::string(2048, 0)}),
       "dr"},
      {"binary file already there and read-only", Image(0x8000, entries), "d", "ROM.dat.4000"},
      {"binary file on a full device", Image(0x8000, entries), "d", "full"},
      // The examination stays as it was when the ROM cannot be loaded.
      {"missing ROM", {}, "d", "missing"},
      {"ROM is a folder", {}, "d", "folder"},
      {"ROM nobody may read", Image(0x100, entries), "d", "unreadable"},
      {"source file already there and read-only", Image(0x100, entries), "d", "ROM.asm"},
      {"read-only folder", Image(0x100, entries), "d", "."},
  };
  for (const std::size_t size : {0, 1, 0x33, 0x38, 0x39, 0x66, 0x67, 1000, 20000, 32768, 40000})
    examples.push_back({std::to_string(size) + " bytes", Image(size, size < 0x100 ? "C9*103" : entries)});
  examples.push_back({"the bundled sample", {}, "d", "sample"});
  return examples;
}

// One run as the user sees it, with the folder's path left out.
std::string Examined(const Example& example, char run, analysis::Examination& examination) {
  TempFolder folder;
  const std::string rom = folder.File("ROM");
  std::string seen;
  reporting::UserInterface ui;
  ui.AddStatusLine = [&seen](std::string_view line) { (seen += line) += '\n'; };
  ui.ClearStatusLog = [&seen] { seen += "[clear]\n"; };
  ui.ShowError = [&seen](std::string_view text) { (seen += "[error] ") += std::string(text) + '\n'; };
  ui.EnableButtons = [&seen](bool on) { seen += on ? "[buttons on]\n" : "[buttons off]\n"; };
  if (example.Setup == "sample") fs::copy_file(BYTEGLEANER_SOURCE_DIR "/samples/sample.sms", rom);
  if (example.Setup != "missing" && example.Setup != "folder" && example.Setup != "sample") WriteFile(rom, example.Image);
  if (example.Setup == "folder") fs::create_directory(rom);
  if (example.Setup == "unreadable") fs::permissions(rom, fs::perms::none);
  if (example.Setup == "full") fs::create_symlink("/dev/full", rom + ".dat.67");
  if (example.Setup.starts_with("ROM.") || example.Setup == ".") {
    if (example.Setup != ".") WriteFile(folder.File(example.Setup), std::string("kept"));
    fs::permissions(folder.File(example.Setup), fs::perms::owner_read | fs::perms::owner_exec);
  }
  const output::ExamineResult result = output::ExamineRom(rom, ShippedTable(), {run != 'n', run == 'r'}, examination, ui);
  seen += std::string(result.Examined ? "examined" : "not examined") + (result.WriteFailed ? ", not all written" : "") +
          "; the examination holds " + std::to_string(examination.Rom.RomSize) + " bytes and " +
          std::to_string(examination.Labels.LabelCount) + " labels\n";
  const std::string image = fs::is_regular_file(rom) ? ReadText(rom) : "";
  std::set<std::string> names;  // in a fixed order
  for (const auto& entry : fs::directory_iterator(folder.Path)) names.insert(entry.path().filename().string());
  for (const std::string& name : names) {
    if (name == "ROM" || fs::is_symlink(folder.File(name))) continue;
    std::string text = ReadText(folder.File(name));
    // The sample's source is committed as it is written, CR LF and all.
    if (example.Setup == "sample" && name == "ROM.asm") {
      text = Replaced(text, folder.Path + "/", "") == ReadText(BYTEGLEANER_SOURCE_DIR "/tests/golden/sample.sms.asm") ? "as in" : "unlike";
      text += " tests/golden/sample.sms.asm";
    }
    const auto start = name.starts_with("ROM.dat.") ? std::stoul(name.substr(8), nullptr, 16) : image.size();
    if (start < image.size()) {
      seen += DataFileSeen(name, text, image, start);
      continue;
    }
    EXPECT_EQ(Replaced(text, "\r\n", "").find('\n'), std::string::npos) << name << " has a line without CR";
    seen += "--- " + name + "\n" + text + (text.ends_with('\n') ? "" : "\n");
  }
  return Replaced(Replaced(seen, folder.Path + "/", ""), "\r\n", "\n");
}

TEST(Examples, MatchTheGoldenFile) {
  std::string written;
  analysis::Examination examination;
  for (const Example& example : Examples()) {
    for (const char run : example.Runs) {
      written += "=== " + example.Name + (run == 'n' ? ", no break at jp (hl)" : run == 'r' ? ", rebuildable" : "") + "\n" +
                 Examined(example, run, examination);
    }
  }
  ExpectGolden("examples.txt", written);
}

}  // namespace
}  // namespace bytegleaner::testing
