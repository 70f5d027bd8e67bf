; A game's shape in another style: modes chosen by an rst dispatcher with
; its table after the rst, a frame hook and object handlers kept in RAM as
; addresses the code loads as constants, a paged bank with a table of jr
; instructions, text drawn through a table of pointers.
.MEMORYMAP
SLOTSIZE $4000
SLOT 0 $0000
SLOT 1 $4000
SLOT 2 $8000
DEFAULTSLOT 2
.ENDME
.ROMBANKMAP
BANKSTOTAL 4
BANKSIZE $4000
BANKS 4
.ENDRO
.DEFINE Mode $C000
.DEFINE FrameHook $C001
.DEFINE FrameCount $C003
.DEFINE Lives $C004
.DEFINE Rank $C005
.DEFINE Blink $C006
.DEFINE Objects $C010

.BANK 0 SLOT 0
.ORG $0000
Boot:
  di
  im 1
  jp Init

.ORG $0008
VdpAddress:
  ld a,l
  out ($BF),a
  ld a,h
  out ($BF),a
  ret

.ORG $0018
ModeDispatch:
  jp JumpTableAfterCall

.ORG $0038
Irq:
  push af
  push hl
  in a,($BF)
  ld hl,FrameCount
  inc (hl)
  ld hl,(FrameHook)
  call CallHook
  pop hl
  pop af
  ei
  reti

.ORG $0066
Nmi:
  retn

.ORG $0080
Init:
  ld sp,$DFF0
  ld hl,$C000
  ld de,$C001
  ld bc,$1FF0
  ld (hl),0
  ldir
  ld hl,FrameNothing
  ld (FrameHook),hl
  ld hl,DataPalette
  ld bc,$20BE
  otir
  ei
Main:
  ld a,(Mode)
  rst $18
DataModes:
  .dw ModeTitle, ModeGame, ModeScore

JumpTableAfterCall:
  ex (sp),hl
  push de
  add a,a
  ld e,a
  ld d,0
  add hl,de
  ld e,(hl)
  inc hl
  ld d,(hl)
  ex de,hl
  pop de
  ex (sp),hl
  ret

CallHook:
  jp (hl)

ModeTitle:
  ld hl,DataTitleScreen
  call DrawScreen
  ld hl,FrameTitle
  ld (FrameHook),hl
  call WaitButton
  ld a,1
  ld (Mode),a
  jp Main

ModeGame:
  ld a,3
  ld (Lives),a
  ld ix,Objects
  ld hl,ObjPaddle
  call SpawnObject
  ld ix,Objects+8
  ld hl,ObjBall
  call SpawnObject
-:
  call WaitFrame
  call RunObjects
  ld a,(Lives)
  or a
  jr nz,-
  ld a,2
  ld (Mode),a
  jp Main

ModeScore:
  ld a,:ScoreScreen
  ld ($FFFF),a
  call ScoreScreen
  xor a
  ld (Mode),a
  jp Main

SpawnObject:
  ld (ix+0),l
  ld (ix+1),h
  ld (ix+2),120
  ld (ix+3),0
  ld (ix+4),2
  ret

RunObjects:
  ld ix,Objects
  ld b,4
-:
  push bc
  ld l,(ix+0)
  ld h,(ix+1)
  ld a,h
  or l
  call nz,CallHook
  pop bc
  ld de,8
  add ix,de
  djnz -
  ret

ObjPaddle:
  in a,($DC)
  bit 2,a
  jr nz,+
  dec (ix+2)
+:
  bit 3,a
  ret nz
  inc (ix+2)
  ret

ObjBall:
  ld a,(ix+3)
  add a,(ix+4)
  ld (ix+3),a
  cp 184
  ret c
  ld hl,ObjBallLost
  ld (ix+0),l
  ld (ix+1),h
  ret

ObjBallLost:
  ld hl,Lives
  dec (hl)
  ld (ix+0),0
  ld (ix+1),0
  ret

FrameTitle:
  ld a,(Blink)
  inc a
  ld (Blink),a
  ret

FrameNothing:
  ret

DrawScreen:
  ld e,(hl)
  inc hl
  ld d,(hl)
  inc hl
  push hl
  ex de,hl
  call DrawText
  pop hl
  ld a,(hl)
  inc hl
  or a
  jr nz,DrawScreen
  ret

DrawText:
  ld a,(hl)
  or a
  ret z
  out ($BE),a
  inc hl
  jr DrawText

WaitButton:
  in a,($DC)
  and $10
  jr nz,WaitButton
  ret

WaitFrame:
  ld hl,FrameCount
  ld a,(hl)
-:
  cp (hl)
  jr z,-
  ret

DataTitleScreen:
  .dw DataTextTitle
  .db 1
  .dw DataTextPress
  .db 0
DataTextTitle:
  .db "PADDLE BALL", 0
DataTextPress:
  .db "PRESS BUTTON 1", 0
DataPalette:
  .db $00,$3F,$30,$0C,$03,$2A,$15,$3C,$0F,$33,$00,$00,$00,$00,$00,$00
  .db $00,$3F,$30,$0C,$03,$2A,$15,$3C,$0F,$33,$00,$00,$00,$00,$00,$00
DataSine:
  .db 0,6,12,18,24,30,36,42,48,53,59,64,69,74,79,84,88,92,96,100,104,107,111,114
  .db 116,119,121,123,124,126,127,127,128,127,127,126,124,123,121,119,116,114,111
DataBallTiles:
  .db $3C,$00,$00,$00, $7E,$3C,$00,$00, $FF,$7E,$18,$00, $FF,$7E,$3C,$00
  .db $FF,$7E,$3C,$00, $FF,$7E,$18,$00, $7E,$3C,$00,$00, $3C,$00,$00,$00

.BANK 1 SLOT 1
.ORG $0000
DataLevels:
  .db 3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3, 2, 3, 8, 4, 6, 2, 6, 4

.BANK 2 SLOT 2
.ORG $0000
ScoreScreen:
  ld a,(Rank)
  and 3
  add a,a
  ld e,a
  ld d,0
  ld hl,RankJumps
  add hl,de
  jp (hl)
RankJumps:
  jr RankGreat
  jr RankGood
  jr RankFair
  jr RankPoor
RankGreat:
  ld hl,DataTextGreat
  jr ShowRank
RankGood:
  ld hl,DataTextGood
  jr ShowRank
RankFair:
  ld hl,DataTextFair
  jr ShowRank
RankPoor:
  ld hl,DataTextPoor
ShowRank:
  ld de,$7800
  ex de,hl
  rst $08
  ex de,hl
  jp DrawText

DataTextGreat:
  .db "GREAT", 0
DataTextGood:
  .db "GOOD", 0
DataTextFair:
  .db "FAIR", 0
DataTextPoor:
  .db "TRY AGAIN", 0

.BANK 3 SLOT 2
.ORG $0000
DataMusic:
  .db $9F, $BF, $DF, $FF, $80, $0F, $90, $A0, $06, $B0, $C0, $0A, $D0, $E4, $F2
