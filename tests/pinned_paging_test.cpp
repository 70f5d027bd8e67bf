// Pins paging: which bank a run sees in slots 1 and 2, and what is traced through it: each case is one described image given to bytegleaner-cli,
// and tests/golden/pinned/paging.txt holds all the user sees.
#include "tests/cli_cases.h"
#include "tests/golden_file.h"

#include <gtest/gtest.h>

namespace bytegleaner::testing {
namespace {

constexpr std::size_t FourBanks = 0x10000;

// `code` at $0000 of a four-bank image whose banks 1-3 start with
// `ld b,BANK / ret`, so that the source shows which bank was traced where;
// `more` may overwrite those.
std::string Banked(const std::string& code, const std::string& more = "") {
  return code + " @38 C9 @66 C9 @4000 06 01 C9 @8000 06 02 C9 @C000 06 03 C9 " + more;
}

TEST(Pinned, Paging) {
  ExpectGolden("pinned/paging.txt", CliCasesSeen({
      {"ld ($FFFF),a with a constant A pages that bank into slot 2 for a call there", FourBanks, Banked("3E 03 32 FF FF CD 00 80 18 FE")},
      {"ld ($FFFE),a pages slot 1", FourBanks, Banked("3E 03 32 FE FF CD 00 40 18 FE")},
      {"at reset slot 1 holds bank 1 and slot 2 bank 2; calls there are plain tracing, not paging", FourBanks, Banked("CD 00 40 CD 00 80 18 FE")},
      {"ld (hl),n with HL = $FFFF pages slot 2", FourBanks, Banked("21 FF FF 36 03 CD 00 80 18 FE")},
      {"ld (hl),a with HL = $FFFE pages slot 1", FourBanks, Banked("21 FE FF 3E 03 77 CD 00 40 18 FE")},
      {"ld (de),a with DE = $FFFF pages slot 2", FourBanks, Banked("11 FF FF 3E 03 12 CD 00 80 18 FE")},
      {"ld (bc),a with BC = $FFFE pages slot 1", FourBanks, Banked("01 FE FF 3E 03 02 CD 00 40 18 FE")},
      {"H and L loaded one by one make the address", FourBanks, Banked("26 FF 2E FE 36 03 CD 00 40 18 FE")},
      {"inc a and inc hl between two writes: bank 2 into slot 1, bank 3 into slot 2", FourBanks, Banked("21 FE FF 3E 02 77 23 3C 77 CD 00 40 CD 00 80 18 FE")},
      {"dec hl and dec a between two writes: bank 3 into slot 2, bank 2 into slot 1", FourBanks, Banked("21 FF FF 3E 03 77 2B 3D 77 CD 00 40 CD 00 80 18 FE")},
      {"ld a,($FFFF) reads the bank of slot 2 (2 at reset), and it is paged into slot 1", FourBanks, Banked("3E 03 32 FE FF 3A FF FF 32 FE FF CD 00 40 18 FE")},
      {"ld a,(de) with DE = $FFFE reads slot 1's bank, paged into slot 2", FourBanks, Banked("11 FE FF 1A 32 FF FF CD 00 80 18 FE")},
      {"bank 4 of four leaves slot 2 unknown: reading it back and stepping down finds nothing", FourBanks, Banked("3E 04 32 FF FF 3A FF FF 3D 32 FF FF CD 00 80 18 FE")},
      {"a bank read from the joypad leaves slot 2 unknown and nothing is traced there", FourBanks, Banked("DB DC 32 FF FF CD 00 80 18 FE")},
      {"a constant is forgotten at a label, where other paths join", FourBanks, Banked("28 02 3E 03 32 FF FF CD 00 80 18 FE")},
      {"a constant is forgotten after a call", FourBanks, Banked("3E 03 CD 30 00 32 FF FF CD 00 80 18 FE @30 C9")},
      {"a call into RAM forgets the constants too", FourBanks, Banked("3E 03 CD 00 C0 32 FF FF CD 00 80 18 FE")},
      {"push af / call / pop af keeps the bank in A", FourBanks, Banked("3E 03 F5 CD 30 00 F1 32 FF FF CD 00 80 18 FE @30 C9")},
      {"push bc / pop hl carries both halves", FourBanks, Banked("01 FE FF C5 E1 36 03 CD 00 40 18 FE")},
      {"ld sp,nn, ld sp,hl and ex (sp),hl each forget what was pushed: nothing is traced", FourBanks,
       Banked("3E 03 F5 31 F0 DF F1 32 FF FF CD 00 80 3E 03 F5 F9 F1 32 FE FF CD 00 40 3E 03 F5 E3 F1 32 FF FF CD 03 80 18 FE", "@C003 0E 03 C9")},
      {"bit n,a leaves A known, res n,a forgets it", FourBanks, Banked("3E 03 CB 47 32 FF FF CD 00 80 3E 03 CB BF 32 FE FF CD 00 40 18 FE")},
      {"scf and ccf leave A known, rlca forgets it", FourBanks, Banked("3E 03 37 3F 32 FF FF CD 00 80 3E 03 07 32 FE FF CD 00 40 18 FE")},
      {"add hl,de forgets HL: slot 2 keeps bank 2", FourBanks, Banked("21 FF FF 19 36 03 CD 00 80 18 FE")},
      {"dec hl on an unknown HL leaves it unknown: slot 2 keeps bank 2", FourBanks, Banked("2B 36 03 CD 00 80 18 FE")},
      {"ld a,(hl) from ROM leaves A unknown", FourBanks, Banked("3E 03 21 00 01 7E 32 FF FF CD 00 80 18 FE")},
      {"inc (hl) on $FFFF leaves slot 2 unknown", FourBanks, Banked("21 FF FF 34 CD 00 80 18 FE")},
      {"xor a pages bank 0 into slot 1: a call to $4020 traces $0020", FourBanks, Banked("AF 32 FE FF CD 20 40 18 FE @20 06 00 C9")},
      {"sub, and, or, xor and cp with constants keep A known: 6-2 & 7 | 1 ^ 6 is bank 3", FourBanks, Banked("3E 06 D6 02 E6 07 F6 01 EE 06 FE 09 32 FF FF CD 00 80 18 FE")},
      {"ld a,b / sub c with known B and C is known: 5-2 is bank 3", FourBanks, Banked("06 05 0E 02 78 91 32 FF FF CD 00 80 18 FE")},
      {"a call to a routine that writes the caller's A to $FFFF pages that bank", FourBanks, Banked("3E 03 CD 30 00 CD 00 80 18 FE @30 32 FF FF C9")},
      {"a call to a routine that pages a constant bank pages it for the caller", FourBanks, Banked("CD 30 00 CD 00 40 18 FE @30 3E 03 32 FE FF C9")},
      {"a routine that branches before its ret leaves the slot it wrote unknown, the other as it was", FourBanks, Banked("3E 03 CD 30 00 CD 00 80 CD 00 40 18 FE @30 32 FF FF C8 C9")},
      {"a routine's write after 22 nops is followed, after 23 it is not", FourBanks, Banked("3E 03 CD 20 01 3E 03 CD 00 02 CD 00 80 CD 00 40 18 FE @120 00*22 32 FF FF C9 @200 00*23 32 FE FF C9")},
      {"$FFFC with bit 3 puts RAM into slot 2; without it changes nothing", FourBanks, Banked("3E 07 32 FC FF CD 00 80 3E 08 32 FC FF CD 03 80 18 FE", "@8003 0E 02 C9")},
      {"$FFFD, slot 0's register, pages nothing", FourBanks, Banked("3E 03 32 FD FF CD 00 40 CD 00 80 18 FE")},
      {"in a short last bank, a call to its last byte is traced, one past it is not", 0x15000, Banked("3E 05 32 FF FF CD FF 8F CD 00 90 18 FE", "@14FFF C9")},
      {"code that pages another bank over its own slot ends there; its own bank again goes on", FourBanks, Banked("CD 00 40 CD 00 80 18 FE", "@4000 3E 01 32 FE FF 06 01 C9 @8000 3E 03 32 FF FF 06 02 C9")},
      {"a run falling off slot 0's end goes on in the bank slot 1 holds", FourBanks, Banked("3E 03 32 FE FF C3 FD 3F")},
      {"an instruction across slot 0's end whose rest lies in another bank ends the run", FourBanks, Banked("3E 03 32 FE FF C3 FE 3F", "@3FFE 21 34")},
      {"out (n),a / ld b,1 / ret looks like code where its address is loaded", 0x8000, "21 20 00 18 FE @20 D3 BE 06 01 C9 @38 C9 @66 C9"},
      {"adc a,b / ret, taking a carry nothing set, does not look like code where its address is loaded", 0x8000, "21 20 00 18 FE @20 88 C9 @38 C9 @66 C9"},
      {"inc b / ret z / ret, testing the zero flag inc set, looks like code", 0x8000, "21 20 00 18 FE @20 04 C8 C9 @38 C9 @66 C9"},
      {"a jump back to $0000 is followed like any other", 0x8000, "00 C3 00 00 @38 C9 @66 C9"},
      {"a jump into slot 2 reaches the bank paged there", FourBanks, Banked("3E 03 32 FF FF C3 00 80")},
      {"a bank is written in the slot most of its runs start in", FourBanks, Banked("3E 03 32 FE FF 32 FF FF CD 00 40 CD 10 40 CD 20 80 18 FE", "@C010 0E 03 C9 @C020 16 03 C9")},
      {"on a tie, in the slot of the run traced first: the later call's, as runs wait on a stack", FourBanks, Banked("3E 03 32 FE FF 32 FF FF CD 00 40 CD 10 80 18 FE", "@C010 0E 03 C9")},
      {"a dispatch in bank 3 paged into slot 2 reads its table in bank 3", FourBanks,
       Banked("3E 03 32 FF FF CD 00 80 18 FE", "@C000 3A 00 C0 87 5F 16 00 21 00 81 19 7E 23 66 6F E9 @C100 10 81 20 81 @C110 0E 01 C9 @C120 0E 02 C9")},
      {"the stack keeps four pushes: A pushed under three more comes back", FourBanks, Banked("3E 03 F5 C5 C5 C5 C1 C1 C1 F1 32 FF FF CD 00 80 18 FE")},
      {"...and under four more it is forgotten", FourBanks, Banked("3E 03 F5 C5 C5 C5 C5 C1 C1 C1 C1 F1 32 FF FF CD 00 80 18 FE")},
      {"a routine that pages A after ld a,i leaves slot 2 unknown", FourBanks, Banked("3E 03 CD 30 00 CD 00 80 18 FE", "@30 ED 57 32 FF FF C9")},
      {"...and with the calls the other way round, slot 1's", FourBanks, Banked("3E 03 32 FE FF 32 FF FF CD 10 80 CD 00 40 18 FE", "@C010 0E 03 C9")},
      {"a called routine that pages bank 4 of four leaves slot 2 unknown: reading it back and stepping down finds nothing", FourBanks,
       Banked("CD 30 00 3A FF FF 3D 32 FF FF CD 00 80 18 FE", "@30 3E 04 32 FF FF C9")},
      {"ld ($FFFE),hl pages L into slot 1 and H into slot 2", FourBanks, Banked("21 02 03 22 FE FF CD 00 40 CD 00 80 18 FE")},
      {"ld ($FFFE),de does the same", FourBanks, Banked("11 02 03 ED 53 FE FF CD 00 40 CD 00 80 18 FE")},
      {"ld hl,(nn) forgets HL: slot 2 keeps bank 2", FourBanks, Banked("21 FF FF 2A 00 C0 36 03 CD 00 80 18 FE")},
      {"ex de,hl swaps the pairs", FourBanks, Banked("11 FF FF EB 36 03 CD 00 80 18 FE")},
      {"exx forgets BC, DE and HL: slot 2 keeps bank 2", FourBanks, Banked("21 FF FF D9 36 03 CD 00 80 18 FE")},
      {"ex af,af' forgets A", FourBanks, Banked("3E 03 08 32 FF FF CD 00 80 18 FE")},
      {"ld (ix+0),n writes through IX, not HL", FourBanks, Banked("21 FF FF DD 36 00 03 CD 00 80 18 FE")},
      {"ld ixh,n leaves H", FourBanks, Banked("21 FF FF DD 26 00 36 03 CD 00 80 18 FE")},
  }));
}

}  // namespace
}  // namespace bytegleaner::testing
