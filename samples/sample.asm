; Bytegleaner sample cartridge: a tiny Master System "game" in three 16 KB banks.
;
; It is small, but laid out the way a real cartridge is, so that every kind of
; thing the examiner meets in the wild is here at least once: interrupt and
; restart vectors, subroutine calls across banks, loops, a jump table that only
; an indirect jump reaches, text and tables between routines, text that code
; jumps over, long graphics stretches and padding.
; No bank switching is done: the code calls into $4000-$BFFF directly.
;
; Assembler: pasmo (Debian package "pasmo"); build with build-sample.sh.

; ---------------------------------------------------------------------------
; Hardware ports
VdpData         equ $BE
VdpControl      equ $BF
VCounter        equ $7E
PsgPort         equ $7F
JoypadPort      equ $DC

; RAM ($C000-$DFFF)
VBlankFlag      equ $C000
PauseFlag       equ $C001
Joypad          equ $C002           ; buttons as 1 = pressed
GameState       equ $C003           ; index into StateTable
RandomSeed      equ $C004
FrameCount      equ $C005
Score           equ $C006
PlayerState     equ $C010           ; record walked with IX, see UpdatePlayer
SoundState      equ $C020           ; record walked with IY, see UpdateSound
StackTop        equ $DFF0

; VRAM write addresses, already or'ed with $4000 (the "write VRAM" command)
VramTiles       equ $4000
VramSpriteTiles equ $6000
VramSpriteTable equ $7F00
VramNameTable   equ $7800
CramWrite       equ $C000           ; palette write command, not a RAM address

; Name table cell (column, row) as a VRAM write address
HelloAt         equ VramNameTable + 2 * (10 * 32 + 10)
PromptAt        equ VramNameTable + 2 * (12 * 32 + 9)
StatusAt        equ VramNameTable + 2 * (16 * 32 + 11)
Credits1At      equ VramNameTable + 2 * (2 * 32 + 2)
Credits2At      equ VramNameTable + 2 * (3 * 32 + 2)

        org $0000

; ===========================================================================
; Bank 0 ($0000-$3FFF): vectors, the main program and the font
; ===========================================================================

Reset:
        di
        im 1
        ld sp,StackTop
        jr Boot                     ; a 3-byte jp would run into the rst $08 slot

        ds $0008 - $, 0
; rst $08: HL to the VDP control port, low byte first. One call sets a VRAM
; address or writes a register ($8r00 | value).
RstVdpControl:
        ld a,l
        out (VdpControl),a
        ld a,h
        out (VdpControl),a
        ret

        ds $0010 - $, 0
; rst $10: one byte to VRAM or CRAM at the address set last.
RstVdpData:
        out (VdpData),a
        ret

        ds $0018 - $, 0
; rst $18: print the zero-terminated text at HL.
RstPrint:
        jp PrintString

        ds $0028 - $, 0
; The reset code jumps here because $0000-$0007 has no room for the long jump.
Boot:
        jp Main

        ds $0038 - $, 0
; Frame interrupt (im 1). Reading the VDP status acknowledges it.
Irq:
        push af
        in a,(VdpControl)
        ld a,1
        ld (VBlankFlag),a
        pop af
        ei
        reti

        ds $0066 - $, 0
; Pause button.
Nmi:
        push af
        ld a,(PauseFlag)
        xor 1
        ld (PauseFlag),a
        pop af
        retn

        ds $0100 - $, 0

; ---------------------------------------------------------------------------
; Start-up: VDP registers, clear VRAM, palette, font, screen text, then the
; other banks' set-up routines, and finally the display and interrupts.
Main:
        ld hl,VdpRegisterInit
        ld b,VdpRegisterCount
        ld c,$80                    ; register-write command for register 0
InitVdpLoop:
        ld a,(hl)
        out (VdpControl),a
        ld a,c
        out (VdpControl),a
        inc hl
        inc c
        djnz InitVdpLoop

        ld hl,VramTiles             ; all 16 KB, from address 0
        rst $08
        ld bc,$4000
ClearVramLoop:
        xor a
        rst $10
        dec bc
        ld a,b
        or c
        jr nz,ClearVramLoop

        call LoadPalette
        call LoadFont

        ld hl,HelloAt
        rst $08
        ld hl,HelloText
        rst $18
        ld hl,PromptAt
        rst $08
        ld hl,PromptText
        rst $18

        ld ix,PlayerState
        ld (ix+$00),$01             ; alive
        ld (ix+$01),$78             ; x
        ld (ix+$02),$40             ; y
        ld (ix+$05),$01             ; vertical speed
        ld (ix+$07),$00             ; flags

        call InitSound              ; bank 1
        call ShowCredits            ; bank 2
        call LoadSpriteTiles        ; bank 2

        xor a
        ld (GameState),a
        ld (PauseFlag),a
        ld (VBlankFlag),a
        ld (FrameCount),a
        ld (Score),a
        ld hl,$81E0                 ; register 1: display and frame interrupt on
        rst $08
        ei

MainLoop:
        call WaitVBlank
        call ReadJoypad
        call UpdatePlayer
        call UpdateSound            ; bank 1
        ld a,(FrameCount)
        and $07
        call z,NextRandom           ; reseeding every frame would repeat the counter
        ld a,(PauseFlag)
        or a
        jr nz,MainLoop              ; paused: keep sound and input alive only
        ld a,(GameState)
        call RunState
        jp MainLoop

; Each message sits between two routines, as text often does in real
; cartridges, so that code ends right before it and starts right after it.
HelloText:
        db "HELLO WORLD", 0

; Sleeps until the frame interrupt has set the flag.
WaitVBlank:
        halt
        ld a,(VBlankFlag)
        or a
        jr z,WaitVBlank
        xor a
        ld (VBlankFlag),a
        ld hl,FrameCount
        inc (hl)
        ret

PromptText:
        db "PRESS BUTTON 1", 0

ReadJoypad:
        in a,(JoypadPort)
        cpl                         ; the port reads 0 for a pressed button
        ld (Joypad),a
        ret

PausedText:
        db "PAUSED", 0

; Stirs the beam's line counter into the seed. The caller's A survives in
; the shadow register.
NextRandom:
        ex af,af'
        in a,(VCounter)
        ld b,a
        ld a,(RandomSeed)
        rlca
        xor b
        ld (RandomSeed),a
        ex af,af'
        ret

GameOverText:
        db "GAME OVER", 0

; Left/right move the player; it falls at its own speed and wraps at the bottom.
UpdatePlayer:
        ld ix,PlayerState
        ld a,(Joypad)
        bit 2,a
        jr z,NotLeft
        dec (ix+$01)
NotLeft:
        bit 3,a
        jr z,NotRight
        inc (ix+$01)
NotRight:
        ld a,(ix+$02)
        add a,(ix+$05)
        cp $C0
        jr c,StoreY
        ld a,$10
StoreY:
        ld (ix+$02),a
        set 0,(ix+$07)              ; sprite table needs rewriting
        ret

; Registers 0-10: mode 4, display off, name table $3800, sprites at $3F00
; with tiles from $2000, border colour 0, no scrolling, line counter $FF.
VdpRegisterInit:
        db $36, $80, $FF, $FF, $FF, $FF, $FB, $00, $00, $00, $FF
VdpRegisterCount equ $ - VdpRegisterInit

; 16 background and 16 sprite colours, %00BBGGRR.
Palette:
        db $00, $3F, $01, $02, $03, $07, $0B, $0F, $04, $08, $0C, $10, $14, $15, $2A, $3F
        db $00, $30, $0C, $03, $3C, $11, $0F, $15, $05, $0A, $11, $22, $1A, $25, $2A, $3F
PaletteSize equ $ - Palette

StateTable:
        dw StateTitle, StatePlay, StatePaused, StateGameOver

LoadPalette:
        ld hl,CramWrite
        rst $08
        ld hl,Palette
        ld b,PaletteSize
        ld c,VdpData
        otir
        ret

; Runs the handler for state A through StateTable. The handlers are reached
; only through the table, never by a direct jump or call.
RunState:
        and $03
        add a,a
        ld e,a
        ld d,0
        ld hl,StateTable
        add hl,de
        ld a,(hl)
        inc hl
        ld h,(hl)
        ld l,a
        jp (hl)

; State 0: waits for button 1.
StateTitle:
        ld a,(Joypad)
        bit 4,a
        ret z
        ld a,1
        ld (GameState),a
        ret

; State 1: scores a point a frame until the player dies.
StatePlay:
        ld hl,Score
        inc (hl)
        ld a,(ix+$00)
        or a
        ret nz
        ld a,3
        ld (GameState),a
        ret

; State 2.
StatePaused:
        ld hl,StatusAt
        rst $08
        ld hl,PausedText
        jp PrintString

; State 3.
StateGameOver:
        ld hl,StatusAt
        rst $08
        ld hl,GameOverText
        jp PrintString

LoadFont:
        ld hl,VramTiles
        rst $08
        ld hl,FontTiles
        ld bc,FontTilesSize
FontLoop:
        ld a,(hl)
        out (VdpData),a
        inc hl
        dec bc
        ld a,b
        or c
        jp nz,FontLoop
        ret

; 64 font tiles (characters $20-$5F), 4 bitplanes x 8 rows each. The
; patterns are made up, not drawn glyphs; every byte has bit 7 set so that
; none of them is zero.
FontTiles:
tile    defl 0
        rept 64
row     defl 0
        rept 8
        db ((tile * $25 + row * $0B) AND $7F) OR $80
        db (((tile SHL 2) XOR (row * $13)) AND $7F) OR $80
        db ((tile + row * row) AND $7F) OR $C0
        db ((NOT (tile * 3 + row)) AND $7F) OR $80
row     defl row + 1
        endm
tile    defl tile + 1
        endm
FontTilesSize equ $ - FontTiles

; Placed after the font so that code, not padding, follows the tiles.
; Text at HL to the name table at the VRAM address set last; font tile n
; holds character $20 + n.
PrintString:
        ld a,(hl)
        or a
        ret z
        sub $20
        out (VdpData),a
        xor a
        out (VdpData),a
        inc hl
        jr PrintString

        ds $4000 - $, 0

; ===========================================================================
; Bank 1 ($4000-$7FFF): sound driver and tune, then the cartridge header
; ===========================================================================

; Silences all four PSG channels and rewinds the tune.
InitSound:
        ld hl,PsgSilence
        ld b,PsgSilenceSize
        ld c,PsgPort
        otir
        ld iy,SoundState
        ld (iy+$00),$00             ; frames left of the current note
        ld (iy+$01),$00             ; offset of the next note in Tune
        ret

; The sound tables sit between the two routines, so code ends right before
; them and starts right after them.
; Attenuation 15 (silent) for channels 0-3.
PsgSilence:
        db $9F, $BF, $DF, $FF
PsgSilenceSize equ $ - PsgSilence

; Notes: tone latch, tone high bits, length in frames; $FF ends the tune.
Tune:
        db $8E, $0F, $10
        db $8D, $0E, $10
        db $8A, $0C, $08
        db $8E, $0F, $08
        db $85, $0B, $18
        db $8A, $0C, $10
        db $8D, $0E, $20
        db $FF

; Once a frame: holds the current note, or starts the next one.
UpdateSound:
        ld iy,SoundState
        ld a,(iy+$00)
        or a
        jr z,NextNote
        dec (iy+$00)
        ret
NextNote:
        ld e,(iy+$01)
        ld d,0
        ld hl,Tune
        add hl,de
        ld a,(hl)
        cp $FF
        jr nz,PlayNote
        ld (iy+$01),$00             ; end marker: loop the tune
        ret
PlayNote:
        out (PsgPort),a             ; latch: channel 0 tone, low 4 bits
        inc hl
        ld a,(hl)
        out (PsgPort),a             ; high 6 bits
        inc hl
        ld a,(hl)
        ld (iy+$00),a
        ld a,(iy+$01)
        add a,3
        ld (iy+$01),a
        ret

        ds $7FF0 - $, 0

; Cartridge header, checked by the console's boot ROM. build-sample.sh
; fills in the checksum of $0000-$7FEF.
        db "TMR SEGA"
        db $00, $00                 ; reserved
        dw $0000                    ; checksum
        db $26, $70                 ; product code 7026 (BCD, low digits first)
        db $00                      ; product code high digit 0, version 0
        db $4C                      ; export Master System, checksum covers 32 KB

; ===========================================================================
; Bank 2 ($8000-$BFFF): credits screen and sprite graphics
; ===========================================================================

ShowCredits:
        call ResetScroll
        ld hl,Credits1At
        ld de,CreditsText
        call PrintAt
        jr ShowSecondLine           ; over the text kept inline

; Credits and unused message lines, each zero-terminated. Each one sits
; between two pieces of code, so code ends right before it and starts right
; after it.
CreditsText:
        db "BYTEGLEANER SAMPLE CARTRIDGE", 0

ShowSecondLine:
        ld hl,Credits2At
        ld de,CreditsLine2
        jp PrintAt

CreditsLine2:
        db "A TINY GAME FOR THE EXAMINER", 0

; Text at DE to the name table address HL.
PrintAt:
        rst $08
        ex de,hl
        jp PrintString

        db "BANK 0 HOLDS THE VECTORS AND MAIN CODE", 0

LoadSpriteTiles:
        ld hl,VramSpriteTiles
        rst $08
        ld hl,SpriteTiles
        ld de,SpriteTilesSize
        call CopyToVram
        jp HideSprites

        db "BANK 1 HOLDS THE SOUND DRIVER", 0

; DE bytes from HL to VRAM at the address set last.
CopyToVram:
        ld a,(hl)
        rst $10
        inc hl
        dec de
        ld a,d
        or e
        jr nz,CopyToVram
        ret

        db "BANK 2 HOLDS THESE LINES AND SPRITES", 0

; A Y of $D0 ends the sprite list, so the still-empty table shows nothing.
HideSprites:
        ld hl,VramSpriteTable
        rst $08
        ld a,$D0
        rst $10
        ret

        db "THANK YOU FOR PLAYING", 0

; Registers 8 and 9: no horizontal or vertical scroll.
ResetScroll:
        ld hl,$8800
        rst $08
        ld hl,$8900
        rst $08
        ret

; 48 sprite tiles; made-up patterns again, bit 7 always set.
SpriteTiles:
tile    defl 0
        rept 48
row     defl 0
        rept 8
        db (((tile * $11) XOR (row * $09)) AND $7F) OR $80
        db ((tile * $07 + row * $1D) AND $7F) OR $80
        db (((row SHL 4) OR (tile AND $0F)) AND $7F) OR $80
        db ((tile * row + $21) AND $3F) OR $C0
row     defl row + 1
        endm
tile    defl tile + 1
        endm
SpriteTilesSize equ $ - SpriteTiles

; The rest of bank 2 is left empty; build-sample.sh pads it with zeros.
        end
