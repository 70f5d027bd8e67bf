; Source code created by Bytegleaner V1.0
; Size: 49152 bytes

.MEMORYMAP
SLOTSIZE $4000
SLOT 0 $0000
SLOT 1 $4000
SLOT 2 $8000
DEFAULTSLOT 2
.ENDME

.ROMBANKMAP
BANKSTOTAL 3
BANKSIZE $4000
BANKS 3
.ENDRO


.BANK 0 SLOT 0
.ORG $0000

_START:
  di
  im 1
  ld sp,$DFF0
  jr _RST_28H

_RST_08H:
  ld a,l
  out ($BF),a
  ld a,h
  out ($BF),a
  ret


; Data from $F to $F (1 byte)
; (only NULL-bytes)
.db $00

_RST_10H:
  out ($BE),a
  ret


; Data from $13 to $17 (5 bytes)
; (only NULL-bytes)
.db $00, $00, $00, $00, $00

_RST_18H:
  jp _Label_A9C_12


; Data from $1B to $27 (13 bytes)
; (only NULL-bytes)
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00

_RST_28H:
  jp _Label_100_3


; Data from $2B to $37 (13 bytes)
; (only NULL-bytes)
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00

_IRQ_HANDLER:
  push af
  in a,($BF)
  ld a,$1
  ld ($C000),a
  pop af
  ei
  reti


; Data from $44 to $65 (34 bytes)
; (only NULL-bytes)
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00

_NMI_HANDLER:
  push af
  ld a,($C001)
  xor $1
  ld ($C001),a
  pop af
  retn


; Data from $72 to $FF (142 bytes)
; (only NULL-bytes)
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00
.db $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00, $00

_Label_100_3:
  ld hl,$208
  ld b,$B
  ld c,$80
_Label_107_4:
  ld a,(hl)
  out ($BF),a
  ld a,c
  out ($BF),a
  inc hl
  inc c
  djnz _Label_107_4
  ld hl,$4000
  rst $08
  ld bc,$4000
_Label_118_7:
  xor a
  rst $10
  dec bc
  ld a,b
  or c
  jr nz,_Label_118_7
  call _Label_23B_8
  call _Label_287_9
  ld hl,$7A94
  rst $08
  ld hl,$18E
  rst $18
  ld hl,$7B12
  rst $08
  ld hl,$1AA
  rst $18
  ld ix,$C010
  ld (ix+$0),$1
  ld (ix+$1),$78
  ld (ix+$2),$40
  ld (ix+$5),$1
  ld (ix+$7),$0
  call _Label_4000_13
  call _Label_8000_14
  call _Label_807D_18
  xor a
  ld ($C003),a
  ld ($C001),a
  ld ($C000),a
  ld ($C005),a
  ld ($C006),a
  ld hl,$81E0
  rst $08
  ei
_Label_16B_31:
  call _Label_19A_21
  call _Label_1B9_22
  call _Label_1DF_23
  call _Label_4030_27
  ld a,($C005)
  and $7
  call z,_Label_1C7_30
  ld a,($C001)
  or a
  jr nz,_Label_16B_31
  ld a,($C003)
  call _Label_249_32
  jp _Label_16B_31


; Data from $18E to $199 (12 bytes)
.db "HELLO WORLD", $00

_Label_19A_21:
  halt
  ld a,($C000)
  or a
  jr z,_Label_19A_21
  xor a
  ld ($C000),a
  ld hl,$C005
  inc (hl)
  ret


; Data from $1AA to $1B8 (15 bytes)
.db "PRESS BUTTON 1", $00

_Label_1B9_22:
  in a,($DC)
  cpl
  ld ($C002),a
  ret


; Data from $1C0 to $1C6 (7 bytes)
.db "PAUSED", $00

_Label_1C7_30:
  ex af,af'
  in a,($7E)
  ld b,a
  ld a,($C004)
  rlca
  xor b
  ld ($C004),a
  ex af,af'
  ret


; Data from $1D5 to $1DE (10 bytes)
.db "GAME OVER", $00

_Label_1DF_23:
  ld ix,$C010
  ld a,($C002)
  bit 2,a
  jr z,_Label_1ED_24
  dec (ix+$1)
_Label_1ED_24:
  bit 3,a
  jr z,_Label_1F4_25
  inc (ix+$1)
_Label_1F4_25:
  ld a,(ix+$2)
  add a,(ix+$5)
  cp $C0
  jr c,_Label_200_26
  ld a,$10
_Label_200_26:
  ld (ix+$2),a
  set 0,(ix+$7)
  ret


; Data from $208 to $23A (51 bytes)
.db $36, $80, $FF, $FF, $FF, $FF, $FB, $00, $00, $00, $FF, $00, $3F, $01, $02, $03
.db $07, $0B, $0F, $04, $08, $0C, $10, $14, $15, $2A, $3F, $00, $30, $0C, $03, $3C
.db $11, $0F, $15, $05, $0A, $11, $22, $1A, $25, $2A, $3F, $58, $02, $64, $02, $73
.db $02, $7D, $02

_Label_23B_8:
  ld hl,$C000
  rst $08
  ld hl,$213
  ld b,$20
  ld c,$BE
  otir
  ret

_Label_249_32:
  and $3
  add a,a
  ld e,a
  ld d,$0
  ld hl,$233
  add hl,de
  ld a,(hl)
  inc hl
  ld h,(hl)
  ld l,a
  jp (hl)


; Data from $258 to $286 (47 bytes)
.db $3A, $02, $C0, $CB, $67, $C8, $3E, $01, $32, $03, $C0, $C9, $21, $06, $C0, $34
.db $DD, $7E, $00, $B7, $C0, $3E, $03, $32, $03, $C0, $C9, $21, $16, $7C, $CF, $21
.db $C0, $01, $C3, $9C, $0A, $21, $16, $7C, $CF, $21, $D5, $01, $C3, $9C, $0A

_Label_287_9:
  ld hl,$4000
  rst $08
  ld hl,$29C
  ld bc,$800
_Label_291_10:
  ld a,(hl)
  out ($BE),a
  inc hl
  dec bc
  ld a,b
  or c
  jp nz,_Label_291_10
  ret


; Data from $29C to $A9B (2048 bytes)
.incbin "ROM.dat.29C"

_Label_A9C_12:
  ld a,(hl)
  or a
  ret z
  sub $20
  out ($BE),a
  xor a
  out ($BE),a
  inc hl
  jr _Label_A9C_12


; Data from $AA9 to $3FFF (13655 bytes)
; (only NULL-bytes)
.incbin "ROM.dat.AA9"


.BANK 1 SLOT 1
.ORG $0000

_Label_4000_13:
  ld hl,$4016
  ld b,$4
  ld c,$7F
  otir
  ld iy,$C020
  ld (iy+$0),$0
  ld (iy+$1),$0
  ret


; Data from $4016 to $402F (26 bytes)
.db $9F, $BF, $DF, $FF, $8E, $0F, $10, $8D, $0E, $10, $8A, $0C, $08, $8E, $0F, $08
.db $85, $0B, $18, $8A, $0C, $10, $8D, $0E, $20, $FF

_Label_4030_27:
  ld iy,$C020
  ld a,(iy+$0)
  or a
  jr z,_Label_403E_28
  dec (iy+$0)
  ret

_Label_403E_28:
  ld e,(iy+$1)
  ld d,$0
  ld hl,$401A
  add hl,de
  ld a,(hl)
  cp $FF
  jr nz,_Label_4051_29
  ld (iy+$1),$0
  ret

_Label_4051_29:
  out ($7F),a
  inc hl
  ld a,(hl)
  out ($7F),a
  inc hl
  ld a,(hl)
  ld (iy+$0),a
  ld a,(iy+$1)
  add a,$3
  ld (iy+$1),a
  ret


; Data from $4065 to $7FFF (16283 bytes)
.incbin "ROM.dat.4065"


.BANK 2 SLOT 2
.ORG $0000

_Label_8000_14:
  call _Label_80F7_15
  ld hl,$7884
  ld de,$800E
  call _Label_8051_16
  jr _Label_802B_17


; Data from $800E to $802A (29 bytes)
.db "BYTEGLEANER SAMPLE CARTRIDGE", $00

_Label_802B_17:
  ld hl,$78C4
  ld de,$8034
  jp _Label_8051_16


; Data from $8034 to $8050 (29 bytes)
.db "A TINY GAME FOR THE EXAMINER", $00

_Label_8051_16:
  rst $08
  ex de,hl
  jp _Label_A9C_12


; Data from $8056 to $807C (39 bytes)
.db "BANK 0 HOLDS THE VECTORS AND MAIN CODE", $00

_Label_807D_18:
  ld hl,$6000
  rst $08
  ld hl,$8100
  ld de,$600
  call _Label_80AB_19
  jp _Label_80D9_20


; Data from $808D to $80AA (30 bytes)
.db "BANK 1 HOLDS THE SOUND DRIVER", $00

_Label_80AB_19:
  ld a,(hl)
  rst $10
  inc hl
  dec de
  ld a,d
  or e
  jr nz,_Label_80AB_19
  ret


; Data from $80B4 to $80D8 (37 bytes)
.db "BANK 2 HOLDS THESE LINES AND SPRITES", $00

_Label_80D9_20:
  ld hl,$7F00
  rst $08
  ld a,$D0
  rst $10
  ret


; Data from $80E1 to $80F6 (22 bytes)
.db "THANK YOU FOR PLAYING", $00

_Label_80F7_15:
  ld hl,$8800
  rst $08
  ld hl,$8900
  rst $08
  ret


; Data from $8100 to $BFFF (16128 bytes)
.incbin "ROM.dat.8100"

