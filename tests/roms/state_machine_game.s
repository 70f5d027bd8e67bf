; A game's shape: a state machine main loop dispatching through a word
; table, objects run through handler records, printing with inline
; arguments, callbacks in RAM, tiles, a font, text and tables beside them.
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
.DEFINE GameState $C000
.DEFINE FrameFlag $C001
.DEFINE Lives $C002
.DEFINE Score $C003
.DEFINE Callback $C004
.DEFINE Objects $C010

.BANK 0 SLOT 0
.ORG $0000
Boot:
  di
  im 1
  jp Start

.ORG $0008
SetVramAddress:
  ld a,l
  out ($BF),a
  ld a,h
  or $40
  out ($BF),a
  ret

.ORG $0038
Irq:
  push af
  in a,($BF)
  ld (FrameFlag),a
  pop af
  ei
  reti

.ORG $0066
Nmi:
  retn

.ORG $0080
Start:
  ld sp,$DFF0
  ld hl,DataVdpRegisters
  ld b,DataVdpRegistersEnd-DataVdpRegisters
  ld c,$BF
  otir
  xor a
  ld (GameState),a
MainLoop:
  call WaitFrame
  ld a,(GameState)
  ld l,a
  ld h,0
  add hl,hl
  ld de,DataStateTable
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
  jp (hl)

WaitFrame:
  ei
-:
  ld a,(FrameFlag)
  or a
  jr z,-
  xor a
  ld (FrameFlag),a
  ret

StateTitle:
  call PrintAt
DataTitleText:
  .db 4, 10, "PRESS START", 0
ResumeTitle:
  call ReadPad
  and $10
  jp z,MainLoop
  ld a,1
  ld (GameState),a
  jp MainLoop

StateStart:
  ld hl,$0000
  rst $08
  ld hl,DataTiles
  ld bc,DataFont-DataTiles
  call CopyToVram
  ld hl,DataFont
  ld b,DataPalette-DataFont
  call LoadFont
  ld hl,DataSpawn
  ld de,Objects
  ld bc,DataSpawnEnd-DataSpawn
  ldir
  ld a,3
  ld (Lives),a
  ld a,2
  ld (GameState),a
  jp MainLoop

StatePlay:
  call RunObjects
  ld a,(Score)
  call PrintDigit
  ld a,(Lives)
  or a
  jp nz,MainLoop
  ld a,3
  ld (GameState),a
  jp MainLoop

StateGameOver:
  call PrintAt
DataGameOverText:
  .db 11, 10, "GAME OVER", 0
ResumeGameOver:
  ld hl,ResetGame
  ld (Callback),hl
  ld hl,(Callback)
  call CallHL
  jp MainLoop

ResetGame:
  xor a
  ld (GameState),a
  ret

CallHL:
  jp (hl)

RunObjects:
  ld ix,Objects
  ld b,4
-:
  push bc
  ld a,(ix+0)
  ld hl,DataObjectTypes
  call RunHandler
  ld a,(ix+0)
  ld hl,DataObjectTypes+2
  call RunHandler
  pop bc
  ld de,8
  add ix,de
  djnz -
  ret

RunHandler:
  cp 4
  ret nc
  add a,a
  add a,a
  ld e,a
  ld d,0
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
  jp (hl)

UpdateNone:
  ret

UpdatePlayer:
  call ReadPad
  bit 2,a
  jr z,+
  dec (ix+1)
+:
  bit 3,a
  jr z,+
  inc (ix+1)
+:
  bit 4,a
  call nz,FireShot
  ret

UpdateEnemy:
  inc (ix+2)
  ld a,(ix+2)
  cp 192
  ret c
  ld (ix+0),0
  ld hl,Lives
  dec (hl)
  ret

UpdateShot:
  dec (ix+2)
  ret nz
  ld (ix+0),0
  ld hl,Score
  inc (hl)
  ret

DrawNone:
  ret

DrawPlayer:
  ld d,1
  jr PutSprite

DrawEnemy:
  ld d,2
  jr PutSprite

DrawShot:
  ld d,3
PutSprite:
  ld a,(ix+1)
  out ($BE),a
  ld a,(ix+2)
  out ($BE),a
  ld a,d
  out ($BE),a
  ret

FireShot:
  ld (ix+8),3
  ld a,(ix+1)
  ld (ix+9),a
  ld (ix+10),180
  ret

ReadPad:
  in a,($DC)
  cpl
  ret

PrintDigit:
  add a,$10
  out ($BE),a
  ret

PrintAt:
  pop hl
  ld e,(hl)
  inc hl
  ld d,(hl)
  inc hl
  ex de,hl
  rst $08
  ex de,hl
-:
  ld a,(hl)
  inc hl
  or a
  jr z,+
  out ($BE),a
  jr -
+:
  jp (hl)

CopyToVram:
  ld a,(hl)
  out ($BE),a
  inc hl
  dec bc
  ld a,b
  or c
  jr nz,CopyToVram
  ret

LoadFont:
  ld a,(hl)
  out ($BE),a
  out ($BE),a
  xor a
  out ($BE),a
  out ($BE),a
  inc hl
  djnz LoadFont
  ret

; Left over from development: nothing calls it, so only a hint finds it.
UnusedDebugBorder:
  ld a,$0F
  out ($BF),a
  ld a,$87
  out ($BF),a
  ret

DataStateTable:
  .dw StateTitle, StateStart, StatePlay, StateGameOver
DataObjectTypes:
  .dw UpdateNone, DrawNone, UpdatePlayer, DrawPlayer
  .dw UpdateEnemy, DrawEnemy, UpdateShot, DrawShot
DataVdpRegisters:
  .db $04,$80,$00,$81,$FF,$82,$FF,$85,$FF,$86,$FF,$87,$00,$88,$00,$89,$FF,$8A
DataVdpRegistersEnd:
DataSpawn:
  .db 1, 120, 160, 0, 0, 0, 0, 0
  .db 2, 40, 0, 0, 0, 0, 0, 0
  .db 2, 200, 16, 0, 0, 0, 0, 0
DataSpawnEnd:
DataTiles:
  .db $3C,$3C,$00,$00, $7E,$42,$3C,$00, $FF,$81,$7E,$18, $FF,$A5,$5A,$3C
  .db $FF,$81,$7E,$3C, $FF,$BD,$42,$18, $7E,$42,$3C,$00, $3C,$3C,$00,$00
  .db $00,$18,$18,$00, $18,$24,$3C,$18, $3C,$5A,$7E,$24, $7E,$99,$FF,$66
  .db $7E,$99,$FF,$66, $3C,$5A,$7E,$24, $18,$24,$3C,$18, $00,$18,$18,$00
DataFont:
  .db $3C,$66,$6E,$76,$66,$66,$3C,$00, $18,$38,$18,$18,$18,$18,$7E,$00
  .db $3C,$66,$06,$0C,$30,$60,$7E,$00, $3C,$66,$06,$1C,$06,$66,$3C,$00
  .db $18,$3C,$66,$7E,$66,$66,$66,$00, $7C,$66,$66,$7C,$66,$66,$7C,$00
  .db $3C,$66,$60,$60,$60,$66,$3C,$00, $78,$6C,$66,$66,$66,$6C,$78,$00
DataPalette:
  .db $00,$3F,$2A,$15,$03,$0C,$30,$0F,$33,$3C,$01,$04,$10,$05,$14,$11
DataHighScores:
  .db "AAA", $00, $50, "BOB", $00, $40, "CAT", $00, $30
