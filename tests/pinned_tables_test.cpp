// Pins jump tables, code addresses, inline data, and the plausibility check that decides what could be code: each case is one described image given to bytegleaner-cli,
// and tests/golden/pinned/tables.txt holds all the user sees.
#include "tests/cli_cases.h"
#include "tests/golden_file.h"

#include <gtest/gtest.h>

namespace bytegleaner::testing {
namespace {

// Interrupt handlers that return, and five handlers ($200, $210 ... $240)
// that stay data unless something reaches them.
const std::string Handlers = "@38 C9 @66 C9 @200 3E 01 32 00 C0 C9 @210 3E 02 32 00 C0 C9 @220 3E 03 32 00 C0 C9 "
                             "@230 3E 04 32 00 C0 C9 @240 3E 05 32 00 C0 C9 ";
// ld a,($C000) / add a,a / ld e,a / ld d,0 / ld hl,$0100 / add hl,de / ld a,(hl) / inc hl / ld h,(hl) / ld l,a / jp (hl)
const std::string Dispatch = "3A 00 C0 87 5F 16 00 21 00 01 19 7E 23 66 6F E9 ";
const std::string At0 = Handlers + "@0 " + Dispatch;
// ld hl,$0100 / ld ($C000),hl / jr $
const std::string Loads100 = Handlers + "@0 21 00 01 22 00 C0 18 FE ";

// Code at $0000 that loads the address of each snippet ($100, $110 ...)
// as a constant, so that only the plausibility check decides what each is.
std::string Loaded(const std::vector<std::string>& snippets) {
  std::string code = "@0";
  std::string placed;
  for (std::size_t i = 0; i < snippets.size(); ++i) {
    const std::string low = std::string(1, "0123456789ABCDEF"[i]) + "0";
    code += " 21 " + low + " 01";
    placed += " @1" + low + " " + snippets[i];
  }
  return Handlers + code + " 18 FE" + placed;
}

std::string Repeated(const std::string& bytes, int count) {
  std::string all;
  for (; count > 0; --count) all += bytes;
  return all;
}

TEST(Pinned, Tables) {
  ExpectGolden("pinned/tables.txt", CliCasesSeen({
      {"a table read as far as it looks like code addresses stops at a zero word", 0x8000, At0 + "@100 00 02 10 02 00 00 20 02"},
      {"a table stops at its bank's end: no word spans two banks", 0x8000, At0 + "@8 FD 3F @3FFD 00 02 10 02 20 02"},
      {"a table ends where the nearest code it leads to begins, and that entry stays", 0x8000, At0 + "@100 04 01 00 02 3E 01 32 00 C0 C9"},
      {"a table stops at a byte traced as code", 0x8000, Handlers + "@0 CD 04 01 " + Dispatch + "@100 00 02 10 02 30 02 3E 01 C9"},
      {"a table ends before its first entry into itself", 0x8000, At0 + "@100 10 02 02 01 00 C0 02 C9"},
      {"a table ends where another dispatch's table begins", 0x8000, Handlers + "@0 3A 02 C0 B7 CA 40 00 C3 50 00 @40 " + Dispatch +
           "@50 " + Dispatch + "@58 04 01 @100 00 02 10 02 20 02 30 02"},
      {"a table ends at another dispatch's table found before it", 0x8000, Handlers + "@0 3A 02 C0 B7 CA 50 00 C3 40 00 @40 " + Dispatch +
           "@50 " + Dispatch + "@58 04 01 @100 00 02 10 02 20 02 30 02"},
      {"the dispatch's path back is read for 16 instructions: a base loaded 16 back is found", 0x8000, Handlers + "@0 21 00 02 00*15 E9"},
      {"the dispatch's path back is read for 16 instructions: a base loaded 17 back is not", 0x8000, Handlers + "@0 21 00 02 00*16 E9"},
      {"a called routine is read for 16 instructions: jp (hl) as the 16th dispatches", 0x8000, Handlers + "@0 21 00 02 CD 40 00 18 FE @40 00*15 E9"},
      {"a called routine is read for 16 instructions: jp (hl) as the 17th does not", 0x8000, Handlers + "@0 21 00 02 CD 40 00 18 FE @40 00*16 E9"},
      {"cp n / ret nc bounds a table; a bounded table takes a zero word as an entry", 0x8000,
       Handlers + "@0 3A 00 C0 FE 03 D0 87 5F 16 00 21 00 01 19 7E 23 66 6F E9 @100 00 02 00 00 10 02 20 02"},
      {"a bounded table stops at a word leading to bytes that cannot begin a routine", 0x8000,
       Handlers + "@0 3A 00 C0 FE 03 D0 87 5F 16 00 21 00 01 19 7E 23 66 6F E9 @100 00 02 00 03 10 02"},
      {"an index kept doubled bounded by cp 5 reads three words", 0x8000,
       Handlers + "@0 3A 00 C0 FE 05 D0 5F 16 00 21 00 01 19 7E 23 66 6F E9 @100 00 02 10 02 20 02 30 02"},
      {"a table of jp ends where its first jump leads", 0x8000,
       Handlers + "@0 3A 00 C0 5F 87 83 5F 16 00 21 00 01 19 E9 @100 C3 0B 01 C3 10 02 C3 20 02 C3 30 02 C9"},
      {"a table of jp behind a called dispatcher ends where its first jump leads too", 0x8000,
       Handlers + "@0 CD 40 00 18 FE @40 3A 00 C0 5F 87 83 5F 16 00 21 00 01 19 E9 @100 C3 0B 01 C3 10 02 C3 20 02 C3 30 02 C9"},
      {"a table of jr is traced entry by entry up to the first that is no jump", 0x8000,
       Handlers + "@0 3A 00 C0 87 5F 16 00 21 C0 01 19 E9 @1C0 18 3E 18 4C 18 5A"},
      {"cp 2 / ret nc bounds a table of jr", 0x8000, Handlers + "@0 3A 00 C0 FE 02 D0 87 5F 16 00 21 C0 01 19 E9 @1C0 18 3E 18 4C 18 5A"},
      {"add a,l / ld l,a / adc a,h / sub l / ld h,a carries into H: the table is read", 0x8000,
       Handlers + "@0 3A 00 C0 87 21 00 01 85 6F 8C 95 67 7E 23 66 6F E9 @100 00 02 10 02"},
      {"add a,l / ld l,a / ld a,0 / adc a,h / ld h,a carries into H too", 0x8000,
       Handlers + "@0 3A 00 C0 87 21 00 01 85 6F 3E 00 8C 67 7E 23 66 6F E9 @100 00 02 10 02"},
      {"add a,l / ld l,a / ld a,h / adc a,0 / ld h,a carries into H too", 0x8000,
       Handlers + "@0 3A 00 C0 87 21 00 01 85 6F 7C CE 00 67 7E 23 66 6F E9 @100 00 02 10 02"},
      {"and 3 on the index bounds the table to four words, a zero word among them", 0x8000,
       Handlers + "@0 3A 00 C0 E6 03 87 5F 16 00 21 00 01 19 7E 23 66 6F E9 @100 00 02 00 00 10 02 20 02 30 02"},
      {"and 5 is no bound: the table stops at its zero word", 0x8000,
       Handlers + "@0 3A 00 C0 E6 05 87 5F 16 00 21 00 01 19 7E 23 66 6F E9 @100 00 02 00 00 10 02 20 02 30 02"},
      {"or 3 is no bound: the table stops at its zero word", 0x8000,
       Handlers + "@0 3A 00 C0 F6 03 87 5F 16 00 21 00 01 19 7E 23 66 6F E9 @100 00 02 00 00 10 02 20 02 30 02"},
      {"cp 0 / ret nc is no bound: the table stops at its zero word", 0x8000,
       Handlers + "@0 3A 00 C0 FE 00 D0 87 5F 16 00 21 00 01 19 7E 23 66 6F E9 @100 00 02 10 02 00 00 20 02"},
      {"sla c / rl b doubles BC: the table's words are read one an index", 0x8000,
       Handlers + "@0 3A 00 C0 4F 06 00 CB 21 CB 10 21 00 01 09 7E 23 66 6F E9 @100 00 02 10 02"},
      {"pushing the table's word and ret dispatches", 0x8000,
       Handlers + "@0 3A 00 C0 87 5F 16 00 21 00 01 19 5E 23 56 D5 C9 @100 00 02 10 02"},
      {"a call to a jump to jp (hl) jumps to the address in HL", 0x8000, Handlers + "@0 21 00 02 CD 30 00 18 FE @30 C3 33 00 E9"},
      {"a shared dispatcher reads the table its caller names", 0x8000,
       Handlers + "@0 21 00 01 3A 00 C0 CD 30 00 18 FE @30 87 5F 16 00 19 7E 23 66 6F E9 @100 00 02 10 02"},
      {"an index scaled by 4 reads one handler word a record, the other fields data", 0x8000,
       Handlers + "@0 3A 00 C0 87 87 5F 16 00 21 02 01 19 7E 23 66 6F E9 @100 AA BB 00 02 CC DD 10 02"},
      {"a record table stops where a record's other field holds traced code", 0x8000,
       Handlers + "@0 CD 04 01 3A 00 C0 87 87 5F 16 00 21 02 01 19 7E 23 66 6F E9 @100 AA BB 00 02 C9 DD 10 02"},
      {"a djnz loop moving IX by a record calls three records' handlers", 0x8000, Handlers +
           "@0 DD 21 00 01 06 03 DD 6E 02 DD 66 03 C5 CD 30 00 C1 11 04 00 DD 19 10 EE C9 @30 E9 @100 01 02 00 02 03 04 10 02 05 06 20 02 07 08 30 02"},
      {"a loop moving IX by a record until a zero handler, its back branch a jr, reads the records' handlers", 0x8000, Handlers +
           "@0 DD 21 00 01 DD 6E 02 DD 66 03 CD 30 00 11 04 00 DD 19 DD 7E 03 B7 20 EC C9 @30 E9 @100 01 02 00 02 03 04 10 02 05 06 20 02 07 08 00 00"},
      {"a constant pointing at code addresses makes them a table", 0x8000, Loads100 + "@100 00 02 10 02"},
      {"a constant's table stops at a word leading into traced code where no label is", 0x8000,
       Handlers + "@0 21 00 01 22 00 C0 3E 01 18 FE @100 00 02 10 02 06 00 20 02"},
      {"a constant's table needs two different entries", 0x8000, Loads100 + "@100 00 02 00 02"},
      {"a constant pointing at code is traced", 0x8000, Handlers + "@0 21 00 02 22 00 C0 18 FE"},
      {"bytes that would be code but are two words leading near each other are a table", 0x8000, Loads100 + "@100 10 02 20 02 3E 01 C9"},
      {"a routine popping its return address and adding 2 takes 2 bytes of inline data", 0x8000,
       Handlers + "@0 CD 30 00 01 02 CD 30 00 03 04 18 FE @30 E1 23 23 E5 C9"},
      {"a routine reading up to a zero byte past its return address takes a string", 0x8000,
       Handlers + "@0 CD 30 00 48 49 00 18 FE @30 E1 7E 23 B7 20 FB E9"},
      {"a routine dispatching through the words after its call makes them a table", 0x8000,
       Handlers + "@0 3A 00 C0 CD 30 00 00 02 10 02 @30 E1 87 5F 16 00 19 7E 23 66 6F E9"},
      {"words after the call of a routine adding an index kept doubled are a table", 0x8000,
       Handlers + "@0 3A 00 C0 CD 40 00 00 02 10 02 @40 E1 5F 16 00 19 7E 23 66 6F E9"},
      {"a routine waiting in djnz $ with B unknown still takes its inline byte", 0x8000, Handlers + "@0 CD 40 00 07 18 FE @40 E1 23 10 FE E5 C9"},
      {"an rst vector jumping on twice reaches the routine taking inline bytes", 0x8000,
       Handlers + "@0 CF 01 02 18 FE @8 C3 40 00 @40 C3 30 00 @30 E1 23 23 E5 C9"},
      {"an rst vector jumping on three times is not followed to its routine", 0x8000,
       Handlers + "@0 CF 01 02 18 FE @8 C3 40 00 @40 C3 50 00 @50 C3 30 00 @30 E1 23 23 E5 C9"},
      {"inline data up to its bank's last byte is taken", 0x8000, Handlers + "@0 C3 FB 3F @3FFB CD 30 00 AA BB 18 FE @30 E1 23 23 E5 C9"},
      {"inline data that would cross its bank's end is not taken", 0x8000,
       Handlers + "@0 C3 FC 3F @3FFC CD 30 00 AA BB 18 FE @30 E1 23 23 E5 C9"},
      {"a string is not looked for past its bank's end", 0x8000,
       Handlers + "@0 C3 F8 3F @3FF8 CD 40 00 48 49 4A 4B 4C 4D 00 18 FE @40 E1 7E 23 B7 20 FB E9"},
      {"a routine that skips one byte on one path and two on another takes no inline data", 0x8000,
       Handlers + "@0 CD 40 00 AA 18 FE @40 E1 7E FE 05 28 03 23 E5 C9 23 23 E5 C9"},
      {"a routine that reads further than it skips takes no inline data", 0x8000, Handlers + "@0 CD 40 00 AA 18 FE @40 E1 7E 23 23 46 2B E5 C9"},
      {"a call to $0000 that is jp (hl) dispatches", 0x8000, Handlers + "@0 E9 @38 21 00 02 CD 00 00 C9"},
      {"a called routine writing the caller's A to $FFFF pages that bank for the next call", 0x10000,
       Handlers + "@0 3E 03 CD 00 01 CD 00 80 18 FE @100 32 FF FF C9 @C000 3E 01 32 00 C0 C9"},
      {"a called routine paging a bank the image lacks leaves slot 2 unknown", 0x10000,
       Handlers + "@0 3E 09 CD 00 01 CD 00 80 18 FE @100 32 FF FF C9 @8000 3E 01 32 00 C0 C9"},
      {"a called routine putting cartridge RAM in slot 2 ($FFFC bit 3) leaves it unknown", 0x10000,
       Handlers + "@0 CD 00 01 CD 00 80 18 FE @100 3E 08 32 FC FF C9 @8000 3E 01 32 00 C0 C9"},
      {"a called routine that branches after paging leaves the slot unknown", 0x10000,
       Handlers + "@0 3E 03 CD 00 01 CD 00 80 18 FE @100 32 FF FF 18 00 C9 @8000 3E 01 32 00 C0 C9 @C000 3E 01 32 00 C0 C9"},
      // Each snippet below is code where the golden file shows it as instructions.
      {"out (n),a is code for the console's ports 00-06 3E 3F 7E 7F BE BF C0 C1 DC-DF F0-F2 only", 0x8000,
       Loaded({"D3 06 C9", "D3 07 C9", "D3 3D C9", "D3 3E C9", "D3 3F C9", "D3 40 C9", "D3 7D C9", "D3 7E C9", "D3 7F C9",
               "D3 80 C9", "D3 BD C9", "D3 BE C9", "D3 BF C9", "D3 C0 C9", "D3 C1 C9"})},
      {"out (n),a and in a,(n) on ports around the pads' and the FM unit's", 0x8000,
       Loaded({"D3 C2 C9", "D3 DB C9", "D3 DC C9", "D3 DF C9", "D3 E0 C9", "D3 EF C9", "D3 F0 C9", "D3 F2 C9", "D3 F3 C9",
               "DB DC C9", "DB 12 C9"})},
      {"stores go to RAM or a slot's first byte, loads come from RAM, ld sp takes a RAM constant", 0x8000,
       Loaded({"32 00 C0 C9", "32 FF BF C9", "31 00 C0 C9", "32 00 80 C9", "32 01 80 C9", "32 00 40 C9", "32 00 00 C9", "32 FF 3F C9",
               "3A 00 C0 C9", "3A FF BF C9", "31 F0 DF C9", "31 FF BF C9", "F9 C9", "ED 47 C9", "7F C9"})},
      {"cp a, nop, halt, reti, retn, im 2, parity tests, jr to the next byte and ld a,ixh are not code", 0x8000,
       Loaded({"BF C9", "FE 01 C8 C9", "00 C9", "76 C9", "ED 4D", "ED 45", "ED 56 C9", "ED 5E C9", "E0 C9", "F0 C9",
               "18 00 C9", "DD 7C C9"})},
      {"rst is code where its vector could begin a routine, never rst 0 or rst 38", 0x8000,
       Loaded({"C7", "FF", "EF C9", "E7 C9"}) + " @28 3E 01 C9"},
      {"calls and jumps lead to plausible code in ROM; jp (hl) and push/ret need the register set", 0x8000,
       Loaded({"CD 00 02 C9", "CD 00 03 C9", "CD 00 C0 C9", "3E 01 32 00 C0 C3 10 02", "3E 01 C3 20 02", "C3 30 02",
               "21 00 02 E9", "E9", "E5 C9", "21 40 02 E5 C9", "20 FF C9", "B7 38 01 3C C9"})},
      {"a straight run of 64 instructions before its ret is data, of 63 code", 0x8000,
       Handlers + "@0 21 00 01 21 80 01 18 FE @100 21 00 C0 " + Repeated("23 13 ", 31) + "77 C9 @180 21 00 C0 " + Repeated("23 13 ", 30) + "23 77 C9"},
      {"8 printable bytes in a row (a space counts) or a byte 5 times are data, 7 and 4 are not", 0x8000,
       Loaded({"21 41 42 3E 20 77 23 77 C9", "21 41 42 3E 20 77 77 C9", "21 00 C0 23 23 23 23 23 77 C9",
               "21 00 C0 23 23 23 23 77 C9"})},
      {"a byte that is no text restarts the count: 7 printable bytes after it are not data", 0x8000, Loaded({"D3 BE 21 41 42 3E 20 77 77 C9"})},
      {"a call taking one inline byte skips it when judging the code after it", 0x8000, Loaded({"CD 40 00 76 C9"}) + " @40 E1 23 E5 C9"},
      {"a routine using an undocumented instruction takes no inline data", 0x8000, Handlers + "@0 CD 40 00 AA 18 FE @40 E1 CB 30 23 E5 C9"},
      {"ld a,b / adc a,0 is no carry into the table's H: no table", 0x8000,
       Handlers + "@0 3A 00 C0 87 21 00 01 85 6F 78 CE 00 67 7E 23 66 6F E9 @100 00 02 10 02"},
      {"a djnz $ wait on the dispatch's path back", 0x8000, Handlers + "@0 21 00 02 10 FE E9"},
      {"flags set by cp and read by ret z are live across ld l,n; push af reads the flags, not L", 0x8000,
       Loaded({"FE 05 2E 03 C8 7D C9", "2E 03 F5 2E 04 F1 C9"})},
      {"a compare of a constant before the dispatch bounds nothing", 0x8000, Handlers + "@0 3E 03 FE 05 30 04 21 00 02 E9 18 FE"},
      {"a loaded address whose instruction would cover a traced one's start is not code", 0x8000,
       Handlers + "@0 21 00 01 CD 01 01 18 FE @100 01 3E 01 C9"},
      {"a loaded address whose instruction the image's end cuts short is not code", 0x8000, Handlers + "@0 21 FF 7F 18 FE @7FFF C3"},
      {"a candidate whose second instruction would cover a traced start is not code", 0x8000,
       Handlers + "@0 21 00 01 CD 02 01 18 FE @100 AF 01 3E 01 C9"},
      {"an index scaled by 4 jumps into a table of jp nn / nop entries", 0x8000, Handlers + "@0 3A 00 C0 87 87 5F 16 00 21 00 01 19 E9 @100 C3 00 02 00 C3 10 02 00"},
      {"a dispatch in bank 2 at an odd address reads its table in bank 2", 0xC000,
       Handlers + "@0 C3 00 80 @8000 3A 00 C0 87 5F 16 00 21 00 81 19 7E 23 66 6F E9 @8100 10 81 20 81 @8110 3E 01 C9 @8120 3E 02 C9"},
      {"neg is code, its undocumented mirror ED 4C is not", 0x8000, Loaded({"3E 01 ED 4C C9", "3E 01 ED 44 C9"})},
      {"an index scaled by 3 is no whole number of words: no table", 0x8000,
       Handlers + "@0 3A 00 C0 5F 87 83 5F 16 00 21 00 01 19 7E 23 66 6F E9 @100 00 02 AA 10 02 BB"},
      {"an inline-data routine reaches its return address within 4 instructions, not 5", 0x8000,
       Handlers + "@0 CD 40 00 05 CD 50 00 05 18 FE @40 3E 01 06 02 0E 03 E1 23 E5 C9 @50 3E 01 06 02 0E 03 16 04 E1 23 E5 C9"},
      {"a called ex de,hl / ret returns, it does not jump to HL", 0x8000, Handlers + "@0 21 00 03 CD 30 00 18 FE @30 EB C9 @300 00 00 C9"},
      {"a loaded address inside a traced instruction is not code", 0x8000, Handlers + "@0 C3 05 01 @100 3E C9 C9 18 FE @105 CD 00 01 21 01 01 18 FE"},
      {"the image's last three bytes are too few to be two code addresses: they are code", 0x8000, Handlers + "@0 21 FD 7F 18 FE @7FFD 3E 01 C9"},
      {"text after a call to a string routine does not make the caller data", 0x8000,
       Loaded({"CD 30 00 48 49 00 C9", "CD 30 00 41 42 43 44 45 46 47 48 49 00 C9"}) + " @30 E1 7E 23 B7 20 FB E9"},
  }));
}

}  // namespace
}  // namespace bytegleaner::testing
