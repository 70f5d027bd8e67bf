; A 128 KB game's shape: bank 0 pages code banks into slot 2 through the
; mapper and calls them; the banks dispatch through tables of their own,
; call back into bank 0 with inline arguments and an rst table dispatcher;
; tiles, music and text fill banks of their own.
.MEMORYMAP
SLOTSIZE $4000
SLOT 0 $0000
SLOT 1 $4000
SLOT 2 $8000
DEFAULTSLOT 2
.ENDME
.ROMBANKMAP
BANKSTOTAL 8
BANKSIZE $4000
BANKS 8
.ENDRO
.DEFINE State $C000
.DEFINE FrameFlag $C001
.DEFINE CurrentBank $C002
.DEFINE IntroStep $C003
.DEFINE MusicPointer $C004
.DEFINE Callback $C006
.DEFINE Enemy $C010

.BANK 0 SLOT 0
.ORG $0000
Boot:
  di
  im 1
  jp Start

.ORG $0010
RstTableJump:
  jp WordDispatch

.ORG $0038
Irq:
  push af
  in a,($BF)
  ld (FrameFlag),a
  call IrqMusic
  pop af
  ei
  reti

.ORG $0066
Nmi:
  retn

.ORG $0100
Start:
  ld sp,$DFF0
  ld a,:DataTiles
  ld ($FFFF),a
  ld hl,DataTiles
  ld bc,DataTilesEnd-DataTiles
  call CopyToVram
  xor a
  ld (State),a
MainLoop:
  call WaitFrame
  ld a,(State)
  cp 3
  jr nc,MainLoop
  ld hl,DataStates
  add a,a
  ld e,a
  ld d,0
  add hl,de
  ld e,(hl)
  inc hl
  ld d,(hl)
  ex de,hl
  jp (hl)

IrqMusic:
  ld a,:MusicUpdate
  ld ($FFFF),a
  call MusicUpdate
  ld a,(CurrentBank)
  ld ($FFFF),a
  ret

StateIntro:
  ld a,:IntroRun
  ld ($FFFF),a
  ld (CurrentBank),a
  call IntroRun
  jp MainLoop

StateLevel:
  ld a,:LevelRun
  ld ($FFFF),a
  ld (CurrentBank),a
  call LevelRun
  jp MainLoop

StateEnding:
  call EndingRun
  jp MainLoop

WaitFrame:
  ei
-:
  ld a,(FrameFlag)
  or a
  jr z,-
  xor a
  ld (FrameFlag),a
  ret

CopyToVram:
  ld a,(hl)
  out ($BE),a
  inc hl
  dec bc
  ld a,b
  or c
  jr nz,CopyToVram
  ret

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
  ld a,(hl)
  out ($BF),a
  inc hl
  ld a,(hl)
  out ($BF),a
  inc hl
  jp (hl)

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

CallHL:
  jp (hl)

DataStates:
  .dw StateIntro, StateLevel, StateEnding

.BANK 1 SLOT 1
.ORG $0000
EndingRun:
  call SetCursor
DataEndingCursor:
  .db $C3, $78
ResumeEndingCursor:
  call PrintInline
DataEndingText:
  .db "THE END", 0
ResumeEndingText:
  ret

.BANK 2 SLOT 2
.ORG $0000
IntroRun:
  ld a,(IntroStep)
  and 3
  ld hl,DataIntroSteps
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
  jp (hl)

IntroFadeIn:
  ld hl,IntroStep
  inc (hl)
  ret

IntroShowLogo:
  call PrintInline
DataLogoText:
  .db "BYTE SOFT", 0
ResumeLogo:
  jr IntroFadeIn

IntroWait:
  ld a,(FrameFlag)
  and $3F
  ret nz
  jr IntroFadeIn

IntroDone:
  ld a,1
  ld (State),a
  ret

DataIntroSteps:
  .dw IntroFadeIn, IntroShowLogo, IntroWait, IntroDone

.BANK 3 SLOT 2
.ORG $0000
MusicUpdate:
  ld hl,(MusicPointer)
  ld a,(hl)
  cp $F0
  jr nc,MusicCommand
  out ($7F),a
  inc hl
  ld (MusicPointer),hl
  ret

MusicCommand:
  and $03
  ld l,a
  ld h,0
  add hl,hl
  ld de,DataMusicCommands
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
  jp (hl)

MusicLoop:
  ld hl,DataSong
  ld (MusicPointer),hl
  ret

MusicStop:
  ld a,$9F
  out ($7F),a
  ret

MusicVolume:
  ld a,$90
  out ($7F),a
  ret

MusicTempo:
  ld hl,(MusicPointer)
  inc hl
  ld (MusicPointer),hl
  ret

DataMusicCommands:
  .dw MusicLoop, MusicStop, MusicVolume, MusicTempo
DataSong:
  .db $8F, $06, $90, $8F, $07, $91, $AC, $0A, $B2, $F1, $8E, $06, $92, $F0

.BANK 4 SLOT 2
.ORG $0000
DataTiles:
  .db $3C,$3C,$00,$00, $7E,$42,$3C,$00, $FF,$81,$7E,$18, $FF,$A5,$5A,$3C
  .db $FF,$81,$7E,$3C, $FF,$BD,$42,$18, $7E,$42,$3C,$00, $3C,$3C,$00,$00
  .db $10,$38,$7C,$FE, $7C,$38,$10,$00, $E7,$C3,$81,$00, $81,$C3,$E7,$FF
  .db $AA,$55,$AA,$55, $55,$AA,$55,$AA, $0F,$0F,$F0,$F0, $F0,$F0,$0F,$0F
DataTilesEnd:

.BANK 5 SLOT 2
.ORG $0000
LevelRun:
  ld hl,LevelCallback
  ld (Callback),hl
  call SetCursor
DataLevelCursor:
  .db $40, $79
ResumeLevelCursor:
  call LevelEnemy
  ld hl,(Callback)
  call CallHL
  ret

LevelEnemy:
  ld ix,Enemy
  ld a,(ix+0)
  and 1
  rst $10
DataEnemyHandlers:
  .dw EnemyIdle, EnemyChase

EnemyIdle:
  ret

EnemyChase:
  inc (ix+1)
  ld a,(ix+1)
  cp 200
  ret c
  ld (ix+0),0
  ret

LevelCallback:
  ld a,2
  ld (State),a
  ret

DataLevelMap:
  .db 1,1,1,2,3,3,3,2,1,1,4,5,6,4,5,6,7,7,8,9,9,8,7,7,1,2,3,4,5,6,7,8

.BANK 6 SLOT 2
.ORG $0000
DataStageNames:
  .db "STAGE ONE", 0, "STAGE TWO", 0, "FINAL STAGE", 0

.BANK 7 SLOT 2
.ORG $0000
DataEnemyPaths:
  .db $01,$01,$02,$03,$05,$08,$0D,$15,$22,$37,$59,$90,$E9,$79,$62,$DB
