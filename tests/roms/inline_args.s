; Routines that read the bytes after their call site and return past them,
; an rst dispatcher whose table follows the rst, and ordinary routines that
; must not be taken for either.
.MEMORYMAP
SLOTSIZE $4000
SLOT 0 $0000
SLOT 1 $4000
SLOT 2 $8000
DEFAULTSLOT 2
.ENDME
.ROMBANKMAP
BANKSTOTAL 2
BANKSIZE $4000
BANKS 2
.ENDRO
.DEFINE Var $C000

.BANK 0 SLOT 0
.ORG $0000
Boot:
  di
  ld sp,$DFF0
  jp Main

.ORG $0008
RstDispatch:
  jp WordDispatch

.ORG $0038
Irq:
  ei
  reti

.ORG $0066
Nmi:
  retn

.ORG $0100
Main:
  call PrintInline
DataHello:
  .db "HELLO", 0
ResumeHello:
  call SetCursor
DataCursor:
  .db $C9, $18
ResumeCursor:
  call SkipOne
DataSkipped:
  .db $C3
ResumeSkipped:
  call CopyInline
DataCopied:
  .db $21, $00, $C0, $E9
ResumeCopied:
  call PrintAt
DataPrintAt:
  .db 0, 3, "AT", 0
ResumePrintAt:
  call Ordinary
  call PopsAndPushesBack
  ld a,(Var)
  rst $08
DataRstTable:
  .dw RstHandler0, RstHandler1

RstHandler0:
  call CountedCopy
DataCounted:
  .db 1, 2, 3
ResumeCounted:
  jp Main
RstHandler1:
  jp Main

WordDispatch:
  pop hl
  add a,a
  ld e,a
  ld d,0
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
  jp (hl)

PrintInline:
  pop hl
-:
  ld a,(hl)
  inc hl
  or a
  jr z,+
  out ($BE),a
  jr -
+:
  jp (hl)

SetCursor:
  pop hl
  ld e,(hl)
  inc hl
  ld d,(hl)
  inc hl
  push hl
  ld (Var),de
  ret

SkipOne:
  ex (sp),hl
  ld a,(hl)
  inc hl
  ex (sp),hl
  ld (Var),a
  ret

CopyInline:
  pop hl
  ld de,Var
  ld bc,4
  ldir
  jp (hl)

PrintAt:
  pop hl
  ld e,(hl)
  inc hl
  ld d,(hl)
  inc hl
-:
  ld a,(hl)
  inc hl
  and a
  jr z,+
  call PutChar
  jr -
+:
  push hl
  ret

CountedCopy:
  pop hl
  ld b,3
-:
  ld a,(hl)
  out ($BE),a
  inc hl
  djnz -
  jp (hl)

PutChar:
  out ($BE),a
  ret

Ordinary:
  push hl
  ld hl,Var
  inc (hl)
  pop hl
  ret

PopsAndPushesBack:
  pop hl
  ld (Var),hl
  push hl
  ret

UnusedVariableSkip:
  pop hl
  ld a,(hl)
  inc hl
  or a
  jr z,+
  inc hl
+:
  jp (hl)

UnusedAbandonsCaller:
  pop hl
  jp Main
