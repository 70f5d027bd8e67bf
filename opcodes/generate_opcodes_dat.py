#!/usr/bin/env python3
"""Writes opcodes.dat, the instruction table the program reads at start-up.

The table is generated rather than typed so that the regular parts of the
Z80 encoding (register fields, condition codes, the index page's relation to
the base page) come from one rule each instead of 1280 hand-written lines.

Usage: python3 generate_opcodes_dat.py [output path]
(default: opcodes.dat beside this script)
"""

import pathlib
import sys

KEY_WIDTH = 8
TEMPLATE_WIDTH = 25

REGS = ["b", "c", "d", "e", "h", "l", "(hl)", "a"]
PAIRS = ["bc", "de", "hl", "sp"]
PUSH_PAIRS = ["bc", "de", "hl", "af"]
CONDITIONS = ["nz", "z", "nc", "c", "po", "pe", "p", "m"]
ROTATIONS = ["rlc", "rrc", "rl", "rr", "sla", "sra", "sll", "srl"]
# Zilog spelling: the accumulator is named for add, adc and sbc only.
ALU = ["add a,", "adc a,", "sub ", "sbc a,", "and ", "xor ", "or ", "cp "]

PREFIXES = (0xCB, 0xDD, 0xED, 0xFD)


def base_page():
    t = [""] * 256
    for op in range(0x40):
        y, z, p, q = (op >> 3) & 7, op & 7, op >> 4 & 3, op >> 3 & 1
        if z == 0:
            t[op] = ["nop", "ex af,af'", "djnz +", "jr +", "jr nz,+", "jr z,+", "jr nc,+", "jr c,+"][y]
        elif z == 1:
            t[op] = f"ld {PAIRS[p]},##" if q == 0 else f"add hl,{PAIRS[p]}"
        elif z == 2:
            t[op] = ["ld (bc),a", "ld a,(bc)", "ld (de),a", "ld a,(de)",
                     "ld (##),hl", "ld hl,(##)", "ld (##),a", "ld a,(##)"][y]
        elif z == 3:
            t[op] = f"{'inc' if q == 0 else 'dec'} {PAIRS[p]}"
        elif z == 4:
            t[op] = f"inc {REGS[y]}"
        elif z == 5:
            t[op] = f"dec {REGS[y]}"
        elif z == 6:
            t[op] = f"ld {REGS[y]},#"
        else:
            t[op] = ["rlca", "rrca", "rla", "rra", "daa", "cpl", "scf", "ccf"][y]
    for op in range(0x40, 0x80):
        t[op] = "halt" if op == 0x76 else f"ld {REGS[op >> 3 & 7]},{REGS[op & 7]}"
    for op in range(0x80, 0xC0):
        t[op] = ALU[op >> 3 & 7] + REGS[op & 7]
    for op in range(0xC0, 0x100):
        y, z, p, q = (op >> 3) & 7, op & 7, op >> 4 & 3, op >> 3 & 1
        if z == 0:
            t[op] = f"ret {CONDITIONS[y]}"
        elif z == 1:
            t[op] = f"pop {PUSH_PAIRS[p]}" if q == 0 else ["ret", "exx", "jp (hl)", "ld sp,hl"][p]
        elif z == 2:
            t[op] = f"jp {CONDITIONS[y]},*"
        elif z == 3:
            t[op] = ["jp *", "", "out (#),a", "in a,(#)", "ex (sp),hl", "ex de,hl", "di", "ei"][y]
        elif z == 4:
            t[op] = f"call {CONDITIONS[y]},*"
        elif z == 5:
            t[op] = f"push {PUSH_PAIRS[p]}" if q == 0 else ["call *", "", "", ""][p]
        elif z == 6:
            t[op] = ALU[y] + "#"
        else:
            t[op] = f"rst ${y * 8:02X}"
    for op in PREFIXES:
        t[op] = ""  # never selected: the decoder reads these as prefixes
    return t


def cb_page():
    t = []
    for op in range(256):
        x, y, z = op >> 6, op >> 3 & 7, op & 7
        # sll (CB 30-37) is undocumented but real; the assembler knows it.
        t.append(f"{ROTATIONS[y]} {REGS[z]}" if x == 0 else f"{['bit', 'res', 'set'][x - 1]} {y},{REGS[z]}")
    return t


def ed_hole(op):
    # Acts as two nops; only a byte list states it exactly.
    return f".db $ED, ${op:02X}"


def ed_page():
    t = [ed_hole(op) for op in range(256)]
    for op in range(0x40, 0x80):
        y, z, p, q = op >> 3 & 7, op & 7, op >> 4 & 3, op >> 3 & 1
        if z == 0:
            t[op] = "in f,(c)" if y == 6 else f"in {REGS[y]},(c)"
        elif z == 1:
            t[op] = "out (c),0" if y == 6 else f"out (c),{REGS[y]}"
        elif z == 2:
            t[op] = f"{'sbc' if q == 0 else 'adc'} hl,{PAIRS[p]}"
        elif z == 3:
            t[op] = f"ld (##),{PAIRS[p]}" if q == 0 else f"ld {PAIRS[p]},(##)"
        elif z == 4:
            t[op] = "neg"  # 4C..7C mirror 44
        elif z == 5:
            t[op] = "reti" if y == 1 else "retn"  # the others mirror 45
        elif z == 6:
            # 4E and 6E leave the mode undefined in the manual; the silicon
            # takes them as im 0, which is the spelling that reassembles.
            t[op] = f"im {[0, 0, 1, 2, 0, 0, 1, 2][y]}"
        else:
            t[op] = ["ld i,a", "ld r,a", "ld a,i", "ld a,r", "rrd", "rld", ed_hole(op), ed_hole(op)][y]
    for op in range(0xA0, 0xC0):
        y, z = op >> 3 & 7, op & 7
        if z < 4:
            t[op] = [["ldi", "cpi", "ini", "outi"], ["ldd", "cpd", "ind", "outd"],
                     ["ldir", "cpir", "inir", "otir"], ["lddr", "cpdr", "indr", "otdr"]][y - 4][z]
    return t


def indexed_reg(r):
    """How the prefix rewrites one operand of a register form."""
    return {"h": "i?h", "l": "i?l", "(hl)": "(i?)"}.get(r, r)


def index_page(base):
    # The marker comment names the prefix that had no effect, so the line
    # tells DD from FD although the bytes the assembler makes do not.
    ignored = [f"{text} ; i? ignored" for text in base]
    t = list(ignored)
    t[0x09], t[0x19], t[0x29], t[0x39] = "add i?,bc", "add i?,de", "add i?,i?", "add i?,sp"
    t[0x21], t[0x22], t[0x2A] = "ld i?,##", "ld (##),i?", "ld i?,(##)"
    t[0x23], t[0x2B] = "inc i?", "dec i?"
    t[0x24], t[0x25], t[0x26] = "inc i?h", "dec i?h", "ld i?h,#"
    t[0x2C], t[0x2D], t[0x2E] = "inc i?l", "dec i?l", "ld i?l,#"
    t[0x34], t[0x35], t[0x36] = "inc (i?)", "dec (i?)", "ld (i?),#"
    for op in range(0x40, 0x80):
        if op == 0x76:
            continue
        dst, src = REGS[op >> 3 & 7], REGS[op & 7]
        if "(hl)" in (dst, src):
            # With a memory operand the other register stays h or l.
            dst, src = ("(i?)", src) if dst == "(hl)" else (dst, "(i?)")
        else:
            dst, src = indexed_reg(dst), indexed_reg(src)
        if (dst, src) != (REGS[op >> 3 & 7], REGS[op & 7]):
            t[op] = f"ld {dst},{src}"
    for op in range(0x80, 0xC0):
        if (op & 7) in (4, 5, 6):
            t[op] = ALU[op >> 3 & 7] + indexed_reg(REGS[op & 7])
    t[0xE1], t[0xE3], t[0xE5] = "pop i?", "ex (sp),i?", "push i?"
    # No displacement follows, so the register must not be written "(i?)".
    t[0xE9] = "jp (I?)"
    t[0xF9] = "ld sp,i?"
    # A prefix followed by another prefix: the first one only costs time.
    # Only the byte list keeps the length at 2; its first byte is right for
    # DD and the comment shows when it was FD.
    t[0xDD] = ".db $DD, $DD ; i? ignored"
    t[0xED] = ".db $DD, $ED ; i? ignored"
    t[0xFD] = ".db $DD, $FD ; i? ignored"
    t[0xCB] = ""  # never selected: DD CB leads to the index bit page
    return t


def index_bit_page():
    t = []
    for op in range(256):
        x, y, z = op >> 6, op >> 3 & 7, op & 7
        operation = ROTATIONS[y] if x == 0 else f"{['bit', 'res', 'set'][x - 1]} {y},"
        text = f"{operation} (i?)" if x == 0 else f"{operation}(i?)"
        # Other than for bit, a register field also receives the result.
        # bit has no such form to write, so it reads as the memory test.
        if z != 6 and x != 1:
            text += f",{REGS[z]}"
        t.append(text)
    return t


PAGES = [
    ("Base page: op", "{op:02X}", base_page),
    ("CB page: CB op", "CB {op:02X}", cb_page),
    ("ED page: ED op", "ED {op:02X}", ed_page),
    ("Index page: DD op or FD op; i? and I? become ix or iy", "DD {op:02X}", lambda: index_page(base_page())),
    ("Index bit page: DD CB d op or FD CB d op", "DDCB {op:02X}", index_bit_page),
]


def check(text, where):
    if len(text) > TEMPLATE_WIDTH:
        raise SystemExit(f"{where}: template longer than {TEMPLATE_WIDTH}: {text!r}")
    if text != text.rstrip() or "\r" in text or "\n" in text:
        raise SystemExit(f"{where}: stray blank or line end: {text!r}")
    # The decoder fills one "##" or "#", one "*" or "+", and either one
    # "(i?)" or up to two "i?" and one "I?"; anything more would stay in the
    # text with no byte read for it.
    if "(i?)" in text:
        rest = text.replace("(i?)", "", 1)
    else:
        rest = text.replace("i?", "", 2).replace("I?", "", 1)
    rest = rest.replace("##", "#", 1)
    if rest.count("#") > 1 or rest.count("*") + rest.count("+") > 1 or "?" in rest:
        raise SystemExit(f"{where}: stray placeholder: {text!r}")


def build_lines():
    lines = [
        "; Bytegleaner instruction table. Generated by generate_opcodes_dat.py;",
        "; edit the script, not this file. Columns 1-8 name the bytes, 9-33 hold",
        "; the template. ## word, # byte, * jump/call address, + relative jump,",
        "; (i?) indexed operand with displacement, i?/I? index register name.",
    ]
    count = 0
    for title, key, make in PAGES:
        templates = make()
        assert len(templates) == 256
        lines.append(f"; {title}")
        for op, text in enumerate(templates):
            check(text, key.format(op=op))
            lines.append((key.format(op=op).ljust(KEY_WIDTH) + text).rstrip())
            count += 1
    assert count == 1280
    return lines


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).with_name("opcodes.dat")
    data = "".join(line + "\r\n" for line in build_lines()).encode("ascii")
    out.write_bytes(data)


if __name__ == "__main__":
    main()
