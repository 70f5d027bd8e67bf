; Each dispatch shape the jump table recognizer knows. The dispatchers are
; called from the reset code; their handlers are reached only through the
; tables. Labels starting with Data are data, Site labels mark dispatches.
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
  im 1
  ld sp,$DFF0
  jp Main

.ORG $0038
Irq:
  ei
  reti

.ORG $0066
Nmi:
  retn

.ORG $0100
Main:
  ld a,(Var)
  call ByteIndexDispatch
  call WordIndexDispatch
  call ExchangeDispatch
  call IndexRegisterDispatch
  call PushDispatch
  call ShiftDispatch
  call CarryDispatch
  call AdcDispatch
  call DirectJump
  call TrampolineCall
  call SharedDispatch
  call RecordDispatch
  call PointerJump
  call VectorDispatch
  call IndexJump
  call FieldJump
-:
  halt
  jr -

ByteIndexDispatch:
  cp 3
  ret nc
  ld hl,DataTableByte
  add a,a
  ld e,a
  ld d,0
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
SiteByte:
  jp (hl)

WordIndexDispatch:
  ld l,a
  ld h,0
  add hl,hl
  ld de,DataTableWord
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
SiteWord:
  jp (hl)

ExchangeDispatch:
  and 1
  ld de,DataTableExchange
  ld l,a
  ld h,0
  add hl,hl
  add hl,de
  ld e,(hl)
  inc hl
  ld d,(hl)
  ex de,hl
SiteExchange:
  jp (hl)

IndexRegisterDispatch:
  ld ix,DataTableIndex
  add a,a
  ld c,a
  ld b,0
  add ix,bc
  ld l,(ix+0)
  ld h,(ix+1)
SiteIndex:
  jp (hl)

PushDispatch:
  cp 2
  jr nc,+
  ld hl,DataTablePush
  add a,a
  ld e,a
  ld d,0
  add hl,de
  ld e,(hl)
  inc hl
  ld d,(hl)
  push de
SitePush:
  ret
+:
  ret

ShiftDispatch:
  ld l,a
  ld h,0
  sla l
  rl h
  ld bc,DataTableShift
  add hl,bc
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
SiteShift:
  jp (hl)

CarryDispatch:
  ld hl,DataTableCarry
  add a,a
  add a,l
  ld l,a
  jr nc,+
  inc h
+:
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
SiteCarry:
  jp (hl)

AdcDispatch:
  ld hl,DataTableAdc
  rlca
  add a,l
  ld l,a
  adc a,h
  sub l
  ld h,a
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
SiteAdc:
  jp (hl)

DirectJump:
  ld hl,HandlerDirect
SiteDirect:
  jp (hl)

TrampolineCall:
  ld hl,HandlerTrampoline
SiteTrampoline:
  call CallHL
  ret

CallHL:
  jp (hl)

SharedDispatch:
  ld hl,DataTableShared
SiteShared:
  call JumpToEntry
  ret

JumpToEntry:
  add a,a
  ld e,a
  ld d,0
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
SiteUnknownBase:
  jp (hl)

RecordDispatch:
  add a,a
  add a,a
  ld e,a
  ld d,0
  ld hl,DataRecords+2
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
SiteRecord:
  jp (hl)

PointerJump:
  ld hl,(Var)
SitePointer:
  jp (hl)

VectorDispatch:
  cp 2
  ret nc
  ld e,a
  add a,a
  add a,e
  ld e,a
  ld d,0
  ld hl,Vectors
  add hl,de
SiteVector:
  jp (hl)
Vectors:
  jp HandlerVector0
  jp HandlerVector1

HandlerByte0:
  ld a,1
  ret
HandlerByte1:
  ld a,2
  ret
HandlerByte2:
  ld a,3
  ret
HandlerWord0:
  ld b,1
  ret
HandlerWord1:
  ld b,2
  ret
HandlerExchange0:
  ld c,1
  ret
HandlerExchange1:
  ld c,2
  ret
HandlerIndex0:
  ld d,1
  ret
HandlerIndex1:
  ld d,2
  ret
HandlerPush0:
  ld e,1
  ret
HandlerPush1:
  ld e,2
  ret
HandlerShift0:
  ld h,1
  ret
HandlerCarry0:
  ld l,1
  ret
HandlerAdc0:
  inc a
  ret
HandlerDirect:
  dec a
  ret
HandlerTrampoline:
  inc b
  ret
HandlerShared0:
  dec b
  ret
HandlerRecord0:
  inc c
  ret
HandlerRecord1:
  dec c
  ret
IndexJump:
  ld hl,HandlerIndexJump
  push hl
  pop iy
SiteIy:
  jp (iy)

FieldJump:
  ld hl,(Var)
  ld de,6
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
SiteField:
  jp (hl)

HandlerIndexJump:
  inc e
  ret
HandlerVector0:
  inc d
  ret
HandlerVector1:
  dec d
  ret

DataTableByte:
  .dw HandlerByte0, HandlerByte1, HandlerByte2
DataAfterByte:
  .db "NOT CODE", 0
DataTableWord:
  .dw HandlerWord0, HandlerWord1
DataTableExchange:
  .dw HandlerExchange0, HandlerExchange1
DataTableIndex:
  .dw HandlerIndex0, HandlerIndex1
DataTablePush:
  .dw HandlerPush0, HandlerPush1
DataTableShift:
  .dw HandlerShift0
DataTableCarry:
  .dw HandlerCarry0
DataTableAdc:
  .dw HandlerAdc0
DataTableShared:
  .dw HandlerShared0
DataRecords:
  .db 10, 20
  .dw HandlerRecord0
  .db 30, 40
  .dw HandlerRecord1
