; Code addresses kept as values: a callback stored in RAM, handler records
; walked with IX, a pointer table. Beside them tiles, a font, a palette,
; text and a map, referenced the same way, which must stay data.
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
.DEFINE Callback $C000
.DEFINE Cursor $C002

.BANK 0 SLOT 0
.ORG $0000
Boot:
  di
  im 1
  ld sp,$DFF0
  jp Main

.ORG $0038
Irq:
  push af
  in a,($BF)
  pop af
  ei
  reti

.ORG $0066
Nmi:
  retn

.ORG $0100
Main:
  ld hl,FadeDone
  ld (Callback),hl
  ld hl,DataTiles
  ld bc,DataFont-DataTiles
  call CopyToVram
  ld hl,DataFont
  ld bc,DataPalette-DataFont
  call CopyToVram
  ld hl,DataPalette
  ld bc,16
  call CopyToVram
  ld hl,DataTitle
  call PrintString
  ld hl,DataMap
  ld (Cursor),hl
MainLoop:
  ld ix,DataRecords
  ld b,3
-:
  ld l,(ix+2)
  ld h,(ix+3)
  push bc
SiteRecordLoop:
  call CallHL
  pop bc
  ld de,4
  add ix,de
  djnz -
  ld hl,(Callback)
  call CallHL
  jr MainLoop

CallHL:
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

PrintString:
  ld a,(hl)
  or a
  ret z
  out ($BE),a
  inc hl
  jr PrintString

FadeDone:
  ld hl,Idle
  ld (Callback),hl
  ret

Idle:
  ret

UpdateWalker:
  ld a,(ix+0)
  inc a
  ld (ix+0),a
  ret

UpdateFlyer:
  ld a,(ix+1)
  add a,2
  ld (ix+1),a
  ret

UpdateMessenger:
  ld hl,DataMessages
  ld a,(ix+0)
  and 1
  add a,a
  ld e,a
  ld d,0
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
  jp PrintString

DataRecords:
  .db 0, 0
  .dw UpdateWalker
  .db 5, 9
  .dw UpdateFlyer
  .db 2, 1
  .dw UpdateMessenger
DataMessages:
  .dw DataMessageWin, DataMessageLose
DataMessageWin:
  .db "YOU WIN!", 0
DataMessageLose:
  .db "TRY AGAIN", 0
DataTitle:
  .db "PRESS START BUTTON", 0
DataTiles:
  .db $3C,$3C,$00,$00, $7E,$42,$3C,$00, $FF,$81,$7E,$18, $FF,$A5,$5A,$3C
  .db $FF,$81,$7E,$3C, $FF,$BD,$42,$18, $7E,$42,$3C,$00, $3C,$3C,$00,$00
  .db $18,$00,$18,$00, $3C,$24,$18,$00, $7E,$5A,$24,$18, $FF,$DB,$66,$3C
  .db $FF,$C3,$7E,$3C, $7E,$66,$18,$18, $3C,$24,$18,$00, $18,$00,$18,$00
DataFont:
  .db $3C,$66,$6E,$76,$66,$66,$3C,$00, $18,$38,$18,$18,$18,$18,$7E,$00
  .db $3C,$66,$06,$0C,$30,$60,$7E,$00, $3C,$66,$06,$1C,$06,$66,$3C,$00
  .db $06,$0E,$1E,$66,$7F,$06,$06,$00, $7E,$60,$7C,$06,$06,$66,$3C,$00
  .db $3C,$66,$60,$7C,$66,$66,$3C,$00, $7E,$66,$0C,$18,$18,$18,$18,$00
  .db $3C,$66,$66,$3C,$66,$66,$3C,$00, $3C,$66,$66,$3E,$06,$66,$3C,$00
  .db $18,$3C,$66,$7E,$66,$66,$66,$00, $7C,$66,$66,$7C,$66,$66,$7C,$00
DataPalette:
  .db $00,$3F,$2A,$15,$03,$0C,$30,$0F,$33,$3C,$01,$04,$10,$05,$14,$11
DataMap:
  .db 1,1,1,2,3,3,3,2,1,1,4,5,6,4,5,6,7,7,8,9,9,8,7,7,1,2,3,4,5,6,7,8
