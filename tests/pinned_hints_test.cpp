// Pins the hints file read and applied, the hints written back, and the command line around them: each case is one described image given to bytegleaner-cli,
// and tests/golden/pinned/hints.txt holds all the user sees.
#include "tests/cli_cases.h"
#include "tests/golden_file.h"

#include <gtest/gtest.h>

namespace bytegleaner::testing {
namespace {

std::vector<std::pair<std::string, std::string>> Hints(const std::string& text) { return {{"ROM.hints", text}}; }

// The entry points return at once.
const std::string Rets = "C9 @38 C9 @66 C9 ";
// jp $0100, which dispatches through the table at $0200 to three routines.
const std::string Dispatch = "C3 00 01 @38 C9 @66 C9 @100 87 6F 26 00 11 00 02 19 7E 23 66 6F E9 @200 00 03 10 03 20 03 @300 C9 @310 C9 @320 C9";
// Three calls, each followed by a byte that the routine at $0200 reads.
const std::string Inline = "CD 00 02 05 CD 00 02 06 CD 00 02 07 C9 @38 C9 @66 C9 @200 E3 7E 23 E3 C9";

TEST(Pinned, Hints) {
  ExpectGolden("pinned/hints.txt", CliCasesSeen({
      {"ROM.hints beside the ROM is read by default; the status lines count its lines (blank and remarks too), its hints and the runs they found", 0x8000, Rets + "@100 C9", "ROM", Hints("; mine\n\n# too\ncode $00000100 ; entry, up to eight digits\n")},
      {"--hints names the file to read, and ROM.hints beside the ROM is then left alone", 0x8000, Rets + "@100 C9 @200 C9", "--hints my.hints ROM", {{"my.hints", "code $0200"}, {"ROM.hints", "code $0100\n"}}},
      {"a code hint in bank 1 is traced in slot 1, where its jump to itself names its label", 0x8000, Rets + "@4100 C3 00 41", "ROM", Hints("code 1:$4100\n")},
      {"a code hint in bank 2 is traced in slot 2 as at reset, and one in bank 0 leaves bank 2 in slot 2", 0xC000, Rets + "@100 CD 00 82 C9 @8100 C3 00 81 @8200 C9", "ROM", Hints("code $0100\ncode 2:$8100\n")},
      {"a code hint in bank 3 (up to four digits) is traced with bank 3 paged into slot 2", 0x10000, Rets + "@C000 C3 00 80", "ROM", Hints("code 0003:$8000\n")},
      {"no run starts on a data range, its last byte neither, though a call goes there", 0x8000, "CD 05 03 C9 @38 C9 @66 C9 @300 00*5 C9", "ROM", Hints("data $0300-$0305\n")},
      {"a name (letters from A to z, digits from 0 to 9) goes on the label line and each operand, also in data; a comment above its line; text as strings; a range may start right after a hinted instruction; hint words and hex digits in either case", 0x8000, Rets + "@100 C3 00 02 @200 C9 @300 01 41 42 02 43 44",
       "ROM", Hints("code $0100\nDATA $0103-$01af\ncomment $01ea Lowercase\nname $0200 AtoZ_atoz09\ncomment $0100 Starts here\ntext $0300-$0305\nname $0300 Message\n")},
      {"a words hint is traced entry by entry up to its last word as .dw lines with labels, before the code hints, and these in offset order, whatever the lines' order", 0x8000, Rets + "@200 00 03 10 03 00 06 @300 C9 @310 C9 @400 C9 @500 C9 @600 C9", "ROM", Hints("code $0500\ncode $0400\nwords $0200-$0203\n")},
      {"a words hint starting inside the analysis's jump table cuts that table back", 0x8000, Dispatch, "ROM", Hints("words $0204-$0207\n")},
      {"a words hint that ends on a jump table's first byte removes the analysis's table (the hint's word, split by the table's label, is written as bytes)", 0x8000, Dispatch, "ROM", Hints("words $01FF-$0200\n")},
      {"a words hint at a jump table's start with fewer words shortens it, and --write-hints --force writes it once, with the analysis's reason; one before the table leaves it", 0x8000, Dispatch + " @1F8 10 03 20 03",
       "--write-hints --force ROM", Hints("words $0200-$0203\nwords $01F8-$01FB\n")},
      {"a code hint on a data range's last byte is an error, and nothing is written", 0x8000, Rets, "ROM", Hints("data $0100-$010F\ncode $010F\n")},
      {"each range that an instruction traced from a code hint runs into, by its last byte too, is an error, also right after another", 0x8000, Rets + "@100 DD 21 00 02 C9 @110 3E 05 C9", "ROM", Hints("code $0100\ndata $0102-$0102\ntext $0103-$0103\ncode $0110\ndata $0111-$0111\n")},
      {"a range that an instruction the analysis traced alone runs into is no error", 0x8000, "C3 00 01 @38 C9 @66 C9 @100 C9", "ROM", Hints("data $0002-$0010\n")},
      {"bad lines are reported in line order with their numbers, whichever check found them: a code hint inside a range, also one nested in a wider one, or on its first byte; a word of 40 characters is quoted whole; an address without digits, a bank of five digits, a slot address of five; a range with a blank inside", 0x8000, Rets, "ROM", Hints("code $0150\ndata $0100-$01FF\ntext $0110-$0120\nbogus\ncode $9000\nname $0100 HL\n" + std::string(40, 'x') + "\ntext $0300-$0310\ncode $0300\ncode $\ncode :$0100\ncode 00001:$4100\ncode 1:$04100\ndata $0100 $0101-$0102\n")},
      {"past 50 bad lines only their count is said, one in the singular", 0x8000, Rets, "ROM", Hints([] { std::string lines; for (int i = 0; i < 51; ++i) lines += "bogus\n"; return lines; }())},
      {"a name of 255 characters is taken", 0x8000, Rets, "ROM", Hints("name $0000 " + std::string(255, 'N') + "\n")},
      {"a hints file that cannot be read fails the ROM", 0x8000, Rets, "--hints missing.hints ROM"},
      {"--write-hints writes the jump table and the runs through it, each with its reason", 0x8000, Dispatch, "--write-hints ROM"},
      {"--write-hints writes inline data as data ranges", 0x8000, Inline, "--write-hints ROM"},
      {"--write-hints writes the code address loaded and the bank paged in", 0x10000, "C3 00 01 @38 C9 @66 C9 @100 21 00 03 3E 03 32 FF FF CD 00 80 18 FE @300 3E 01 C9 @C000 C9", "--write-hints ROM"},
      {"given hints are written back: one that says what the analysis found once with its reason, text over inline data instead of the data, others without a reason; a name leaves the data it names", 0x8000, Inline,
       "--write-hints --force ROM", Hints("text $0003-$0003\ndata $0007-$0007\ncomment $0004 Second\nname $0200 ReadByte\ncode $0200\nname $000B Third\n")},
      {"--write-hints keeps an existing ROM.hints: exit 1, and no source is written", 0x8000, Rets + "@100 C9", "--write-hints ROM", Hints("code $0100\n")},
      {"--hints takes one ROM", 0x8000, Rets, "--hints h ROM ROM"},
      {"--hints needs a file, an empty name is none", 0x8000, Rets, "--hints '' ROM"},
      {"--hints as the last word has no file", 0x8000, Rets, "ROM --hints"},
      {"--force goes with --write-hints", 0x8000, Rets, "--force ROM"},
      {"the hints options do not go with --exact", 0x8000, Rets, "--exact --write-hints ROM"},
      {"--rebuildable selects the exact analysis, so --hints with it is a misuse", 0x8000, Rets, "--rebuildable --hints h ROM"},
      {"an unknown option is a usage error", 0x8000, Rets, "--bogus ROM"},
      {"no ROM is a usage error", 0x8000, Rets, ""},
      {"--help shows the usage on standard output", 0x8000, Rets, "--help"},
      {"--version shows the name and version", 0x8000, Rets, "--version"},
      {"an empty word and - are ROMs' names, and after -- so is every word", 0x400, Rets, "'' - -- -x"},
      {"with several ROMs, one that cannot be loaded fails (exit 1) and the others are still examined, each with its ROM.hints", 0x8000, Rets + "@100 C9", "missing ROM", Hints("code $0100\n")},
      {"standard output that cannot be written fails the run", 0x8000, Rets, "ROM > /dev/full"},
      {"--exact stops tracing at jp (hl)", 0x300, "E9 CD 00 02 DD 7E 85 C9 @38 C9 @66 C9 @200 C9", "--exact ROM"},
      {"--no-break-at-indirect-jump traces on after jp (hl), and --rebuildable writes index displacements signed; both select the exact analysis", 0x300, "E9 CD 00 02 DD 7E 85 C9 @38 C9 @66 C9 @200 C9", "--no-break-at-indirect-jump --rebuildable -- ROM"},
  }));
}

}  // namespace
}  // namespace bytegleaner::testing
