// Pins what the thorough source says: labels, reasons, callers, the header block, hardware names, text: each case is one described image given to bytegleaner-cli,
// and tests/golden/pinned/source.txt holds all the user sees.
#include "tests/cli_cases.h"
#include "tests/golden_file.h"

#include <gtest/gtest.h>

namespace bytegleaner::testing {
namespace {

// Returns at the entry points, so that only what a case places is traced.
const std::string Rets = "C9 @38 C9 @66 C9 ";
// "TMR SEGA"; the header's other 8 bytes follow it in each case.
const std::string Tmr = "54 4D 52 20 53 45 47 41 ";

TEST(Pinned, Source) {
  ExpectGolden("pinned/source.txt", CliCasesSeen({
      {"rst, call and call nz are \"called from\" the label before them; jp, jp z, jr and jr c are \"jumped from\"", 0x20,
       "D7 C4 10 00 CD 10 00 18 0A @10 C9 @13 CA 10 00 38 F8 C3 10 00"},
      {"a routine called from eight places names all eight, from nine places eight and \"and 1 more\"", 0x98,
       Rets + "@0 C3 70 00 @8 C9 @10 C9 @70 CF D7 18 00 CF D7 18 00 CF D7 18 00 CF D7 18 00 CF D7 18 00 CF D7 18 00 CF D7 18 00 CF D7 18 00 D7 18 FE"},
      {"a call with no label before it in its bank is named by its address", 0x8000,
       Rets + "@0 C3 FD 3F @3FFD 00 00 00 CD 10 40 18 FE @4010 C9"},
      {"a code address loaded into HL is named in the instruction, and its run says where it was loaded", 0x20,
       "21 14 00 C9 @14 3E 01 C9"},
      {"a table of code addresses in bank 2, written in slot 2, names its words by their labels", 0xC000,
       Rets + "@0 3E 02 32 FF FF CD 00 80 18 FE @8000 21 10 80 C9 @8010 20 80 24 80 @8020 3E 01 C9 @8024 3E 02 C9"},
      {"a label inside an instruction cuts it short: its bytes are .db with the instruction as a comment", 0x10,
       "3E C9 C3 01 00"},
      {"a code hint's run says so", 0x20, "C9 @14 3E 01 C9", "ROM", {{"ROM.hints", "code $14\n"}}},
      {"comment hints, in address order, stand above the instruction whose later byte they name; one in data splits the stretch", 0x20,
       "DD 21 02 03 C9", "ROM", {{"ROM.hints", "comment $10 table\ncomment $3 the high byte\ncomment $3 of ix\n"}}},
      {"text hints, in address order, open a string for each run of printable bytes, and end it before a backslash", 0x20,
       "18 0F 48 65 6C 6C 6F 00 57 6F 72 6C 64 00 41 5C 42 18 FE", "ROM", {{"ROM.hints", "text $E-$10\ntext $2-$D\n"}}},
      {"data stretches: text with spaces as a string, four printable bytes at least, no control bytes, a string "
       "ends at a quote or backslash, one byte", 0x34,
       "18 0E 50 72 65 73 73 20 73 74 61 72 74 00 47 4F 18 04 41 42 43 44 18 03 58 59 5A 18 05 41 42 1F 43 44 18 01 "
       "FF 18 09 48 69 5C 74 68 65 72 65 00 18 FE"},
      {"a stretch of 1024 bytes is .db lines, of 1025 an .incbin file; a string wraps after 80 characters", 0x8E0,
       Rets + "@0 C3 70 00 @70 C3 73 04 01*1024 C3 77 08 01*1025 18 64 41*100 18 FE"},
      {"every console port is named by what reading or writing it reaches; other ports are not", 0xC0,
       Rets + "@0 C3 70 00 @70 DB 00 D3 00 DB 01 D3 01 DB 02 D3 02 DB 03 D3 03 DB 04 D3 04 DB 05 D3 05 DB 06 D3 06 DB 3E "
       "D3 3E DB 3F D3 3F DB 7E D3 7E DB 7F D3 7F DB BE D3 BE DB BF D3 BF DB DC D3 DC DB DD D3 DD DB F0 D3 F0 DB F1 D3 F1 "
       "DB F2 D3 F2 D3 10 DB C0 ED 79 C9"},
      {"loads and stores at $FFFC-$FFFF name the mapper registers they reach, a word store both; other addresses nothing",
       0xC0, Rets + "@0 C3 70 00 @70 32 FC FF 3A FD FF 22 FE FF 2A FF FF ED 43 FC FF ED 5B FE FF ED 73 FB FF DD 22 FC FF "
       "FD 2A FE FF 01 FF FF 11 FE FF 21 FD FF DD 21 FC FF 31 FF FF 32 00 C0 C9"},
      {"header at $7FF0: a 32 KB SMS Export image whose checksum matches", 0x8000,
       Rets + "@7FF0 " + Tmr + "FF FF 5B 02 98 79 15 4C"},
      {"header at $3FF0: a 16 KB SMS Japan image whose checksum does not match", 0x4000,
       Rets + "@3FF0 " + Tmr + "00 00 34 12 21 43 65 3B"},
      {"header at $1FF0: an 8 KB GG Japan image", 0x2000, Rets + "@1FF0 " + Tmr + "20 20 5B 02 00 00 00 5A"},
      {"a 48 KB header sums $0000-$BFEF, the header with it", 0xC000, Rets + "@7FF0 " + Tmr + "00 00 00 00 00 00 00 6D"},
      {"a 64 KB GG International header sums $0000-$7FEF and $8000-$FFFF", 0x10000,
       Rets + "@7FF0 " + Tmr + "00 00 5E 02 00 00 00 7E @8000 02 @FFFF 01"},
      {"a 128 KB header sums $0000-$7FEF and $8000-$1FFFF", 0x20000,
       Rets + "@7FF0 " + Tmr + "00 00 5E 02 00 00 00 4F @8000 02 @1FFFF 01"},
      {"a 256 KB header in a smaller image is not checked", 0x8000, Rets + "@7FF0 " + Tmr + "00 00 00 00 00 00 00 40"},
      {"a 512 KB header in a smaller image is not checked", 0x8000, Rets + "@7FF0 " + Tmr + "00 00 00 00 00 00 00 41"},
      {"a 1 MB header in a smaller image is not checked", 0x8000, Rets + "@7FF0 " + Tmr + "00 00 00 00 00 00 00 42"},
      {"an unknown region and size code, and a product code that is not decimal", 0x8000,
       Rets + "@7FF0 " + Tmr + "00 00 00 00 7A 00 00 85"},
      {"\"TMR SEGA\" at $3FF0 and $7FF0: the header is the one at $7FF0", 0x8000,
       Rets + "@3FF0 " + Tmr + "@7FF0 " + Tmr + "00 00 5B 02 00 00 00 4C"},
      {"\"TMR SEGA\" at $7FF0 of an image one byte short of 32 KB is no header", 0x7FFF,
       Rets + "@7FF0 " + Tmr + "00 00 5B 02 00 00 00 4C"},
      {"a header that code reaches is not written as a header", 0x8000,
       Rets + "@0 C3 FF 7F @7FF0 " + Tmr + "00 00 5B 02 00 00 00 4C"},
      {"a jump table is .dw lines under the dispatch that uses it, and each entry's run says so", 0x38,
       "21 20 00 87 5F 16 00 19 7E 23 66 6F E9 @20 2C 00 30 00 @2C 3E 01 C9 @30 3E 02 C9"},
      {"a jump to a loaded address is an indirect jump", 0x30, "21 24 00 E9 @24 3E 01 C9"},
      {"a words hint is .dw lines, and each entry's run says so", 0x38, "C9 @20 2C 00 30 00 @2C 3E 01 C9 @30 3E 02 C9",
       "ROM", {{"ROM.hints", "words $20-$23\n"}}},
      {"words after a call to a dispatcher are its jump table", 0x38,
       "CD 10 00 2C 00 30 00 @10 E1 87 5F 16 00 19 7E 23 66 6F E9 @2C 3E 01 C9 @30 3E 02 C9"},
      {"bytes a routine reads after its call site are inline data", 0x20, "CD 10 00 41 42 00 C9 @10 E3 7E 23 B7 20 FB E3 C9"},
      {"a text hint that ends inside inline data ends its line there", 0x20, "CD 10 00 41 42 00 C9 @10 E3 7E 23 B7 20 FB E3 C9",
       "ROM", {{"ROM.hints", "text $1-$3\n"}}},
      {"bank 3 paged into slot 1, then slot 2: its run says the slot it is written in and from where, and the code address "
       "and call through slot 1 keep their numbers", 0x10000,
       Rets + "@0 3E 03 32 FE FF 21 05 40 CD 00 40 3E 03 32 FF FF CD 00 80 18 FE @C000 C9 @C005 3E 01 C9"},
      {"an index prefix without effect is .db with the instruction as a comment; (ix+d) is signed", 0x10,
       "DD 00 FD DD 21 00 00 DD 7E 80 DD 7E 7F C9"},
      {"an instruction cut by the bank's end is .db with the instruction as a comment", 0x8000, Rets + "@0 C3 FE 3F @3FFE 00 C3"},
  }));
}

}  // namespace
}  // namespace bytegleaner::testing
