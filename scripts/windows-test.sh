#!/usr/bin/env bash
# The program on its own platform. Cross-builds the 32-bit release with
# mingw-w64 and checks what Windows will load; builds a 64-bit twin and
# drives it under wine on Xvfb as a user would; checks that the Windows
# command-line program writes what the Linux one writes.
# Exit status: 0 passed, 77 could not run here, anything else failed.
set -euo pipefail
cd "$(dirname "$0")/.."

say() { echo "windows-test: $*"; }
fail() { echo "windows-test: FAIL: $*" >&2; exit 1; }
trap 'echo "windows-test: FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
skip() { echo "windows-test: SKIP: $*" >&2; exit 77; }

now() { date +%s.%N; }
started=$(now)
phase_started=$started
phase_done() {
  local t
  t=$(now)
  awk -v a="$t" -v b="$phase_started" -v name="$1" 'BEGIN { printf "windows-test: %-34s %6.1f s\n", name, a - b }'
  phase_started=$t
}

# --- Tools -------------------------------------------------------------------
scripts/install-packages.sh g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xdotool imagemagick \
  file cmake g++ libgtest-dev ||
  skip "the cross compilers, wine and Xvfb are missing and could not be installed"
phase_done "packages"

# --- Builds --------------------------------------------------------------------
jobs=$(nproc)
cross_build() {
  cmake --no-warn-unused-cli -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE="cmake/$2.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBYTEGLEANER_WERROR=ON -DBYTEGLEANER_TESTS=OFF -DBYTEGLEANER_DESKTOP=OFF > /dev/null
  cmake --build "$1" -j "$jobs" > "$1/build.log" 2>&1 || { cat "$1/build.log"; fail "$1 did not build"; }
}

cross_build build-win32 mingw-w64-i686
phase_done "build-win32 (i686 release)"

# Windows loads nothing the program brings along: only these system DLLs.
allowed_dlls="kernel32.dll user32.dll gdi32.dll comdlg32.dll msvcrt.dll"
check_pe() {
  local exe=$1 objdump=$2 format=$3 magic=$4 subsystem=$5 dump dll
  dump=$("$objdump" -p "$exe")
  grep -q "file format $format\$" <<< "$dump" || fail "$exe is not $format"
  grep -Eq "^Magic[[:space:]]+$magic" <<< "$dump" || fail "$exe has no $magic header"
  grep -Eq "^Subsystem[[:space:]]+.*\($subsystem\)" <<< "$dump" || fail "$exe is not for the $subsystem subsystem"
  while read -r dll; do
    [[ " $allowed_dlls " == *" $dll "* ]] || fail "$exe needs $dll, which Windows does not bring"
  done < <(awk '/DLL Name:/ { print tolower($3) }' <<< "$dump")
}
check_pe build-win32/Bytegleaner.exe i686-w64-mingw32-objdump pei-i386 "010b" "Windows GUI"
check_pe build-win32/bytegleaner-cli.exe i686-w64-mingw32-objdump pei-i386 "010b" "Windows CUI"
file -b build-win32/Bytegleaner.exe | grep -q '^PE32 executable (GUI) Intel 80386' ||
  fail "file says: $(file -b build-win32/Bytegleaner.exe)"
say "build-win32/Bytegleaner.exe: $(file -b build-win32/Bytegleaner.exe)"
say "  imports: $(i686-w64-mingw32-objdump -p build-win32/Bytegleaner.exe | awk '/DLL Name:/ { printf "%s ", $3 }')"
[[ -f build-win32/opcodes.dat ]] || fail "opcodes.dat is not beside the 32-bit programs"
phase_done "PE checks"

# Debian's wine runs 64-bit programs only without i386 multiarch, so the
# same source is driven as a 64-bit build.
cross_build build-win64 mingw-w64-x86_64
check_pe build-win64/Bytegleaner.exe x86_64-w64-mingw32-objdump pei-x86-64 "020b" "Windows GUI"
phase_done "build-win64 (x86-64 twin)"

# The Linux build the Windows output is held against, as scripts/test.sh
# configures it, brought up to date with the sources.
if [[ ! -f build/CMakeCache.txt ]]; then
  cmake -S . -B build -DBYTEGLEANER_WERROR=ON -DBYTEGLEANER_TESTS=ON > /dev/null
fi
cmake --build build -j "$jobs" --target bytegleaner-cli > /dev/null
phase_done "Linux bytegleaner-cli"

# --- Wine on Xvfb --------------------------------------------------------------
work=$(mktemp -d /tmp/bytegleaner-windows.XXXXXX)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer: they would ask to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
gui_pid=
cleanup() {
  exec 4>&-
  if [[ -n $gui_pid ]]; then kill "$gui_pid" 2> /dev/null || true; fi
  if [[ -d $WINEPREFIX ]]; then wineserver -k 2> /dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2> /dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(cat "$work/display")
export DISPLAY

wine wineboot -i > "$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; fail "wineboot"; }
# Wine winds its session down for some seconds after its last program has
# ended, and a program started meanwhile waits ten seconds. A console that
# waits for input keeps the session up until the end of the run.
mkfifo "$work/keeper"
(wine cmd.exe < "$work/keeper" > /dev/null 2>&1 &)
exec 4> "$work/keeper"
# Wine draws the frame itself, as Windows does, so the X window is the
# whole window and its size is the real outer size.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1
phase_done "wine prefix (wineboot -i)"

# Win32 metrics of a fixed frame under wine: 3 px border, 19 px caption.
frame_left=3
frame_top=22

find_window() {
  local id
  for _ in $(seq 120); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1) || true
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.25
  done
  return 1
}
window_gone() {
  for _ in $(seq 80); do
    xdotool search --onlyvisible --name "^$1\$" > /dev/null 2>&1 || return 0
    sleep 0.25
  done
  return 1
}
# Keys go to the X window that has the input focus.
focus() { timeout 10 xdotool windowfocus --sync "$1" || fail "window $1 did not take the keyboard focus"; }
# Clicks at client coordinates, as the program's layout gives them.
click_client() { xdotool mousemove --window "$1" $(($2 + frame_left)) $(($3 + frame_top)) click 1; }
expect_geometry() {
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$1" | awk -F= '
    { value[$1] = $2 } END { printf "%sx%s+%s+%s", value["WIDTH"], value["HEIGHT"], value["X"], value["Y"] }')
  say "  \"$2\": $geometry"
  [[ $geometry == "$3" ]] || fail "\"$2\" is $geometry, not $3"
}
expect_preferences() {
  [[ $(od -An -tx1 "$app/Bytegleaner.prefs" | tr -d ' \n') == "$1" ]] ||
    fail "Bytegleaner.prefs holds $(od -An -tx1 "$app/Bytegleaner.prefs"), not $1"
}
# Waits for the desktop program to end by itself and checks its exit code.
expect_gui_exit_code_0() {
  local status=0
  for _ in $(seq 40); do kill -0 "$gui_pid" 2> /dev/null || break; sleep 0.25; done
  kill -0 "$gui_pid" 2> /dev/null && fail "Bytegleaner.exe is still running after $1"
  wait "$gui_pid" || status=$?
  gui_pid=
  [[ $status -eq 0 ]] || fail "$1 ended Bytegleaner.exe with exit code $status"
}
windows_path() { echo "Z:${1//\//\\}"; }

app=$work/app
mkdir -p "$app" "$work/elsewhere" "$work/roms" "$work/linux" "$work/cli"
cp build-win64/Bytegleaner.exe build-win64/bytegleaner-cli.exe build-win64/opcodes.dat "$app/"
cp samples/sample.sms "$work/roms/"

# Started from another folder, with an argument that must change nothing.
(cd "$work/elsewhere" && exec wine "$app/Bytegleaner.exe" --ignored > "$work/gui.log" 2>&1) &
gui_pid=$!
main=$(find_window "Bytegleaner V1.0") || fail "the main window did not appear"
phase_done "wine start of Bytegleaner.exe"

expect_geometry "$main" "Bytegleaner V1.0" "305x210+50+50"

click_client "$main" 210 170 # About
about=$(find_window "Bytegleaner") || fail "About did not open the About window"
expect_geometry "$about" "Bytegleaner" "220x155+75+75"
# The main window's close box does nothing while the About window is open.
xdotool mousemove --window "$main" 292 11 click 1
sleep 0.5
xdotool windowraise "$about"
click_client "$about" 110 115 # OK
window_gone "Bytegleaner" || fail "OK did not close the About window"
kill -0 "$gui_pid" 2> /dev/null || fail "the close box ended the program while the About window was open"
main=$(find_window "Bytegleaner V1.0") || fail "the close box closed the main window while About was open"

# TAB moves through the controls in their order: list, Examine ROM,
# Preferences, About; Space then presses the focused button.
focus "$main"
xdotool key Tab Tab Tab Tab space
about=$(find_window "Bytegleaner") || fail "TAB did not reach the About button"
focus "$about"
xdotool key Tab space
window_gone "Bytegleaner" || fail "TAB did not reach the About window's OK button"

click_client "$main" 137 170 # Preferences
prefs=$(find_window "Preferences") || fail "Preferences did not open its window"
expect_geometry "$prefs" "Preferences" "250x125+50+50"
click_client "$prefs" 12 37 # the check box, ticked at start
sleep 0.3
click_client "$prefs" 42 85 # Save
window_gone "Preferences" || fail "Save did not close the Preferences window"
expect_preferences 01000d0a
[[ ! -e $work/elsewhere/Bytegleaner.prefs ]] || fail "the preferences went to the current folder"
phase_done "About, TAB, Preferences"

click_client "$main" 47 170 # Examine ROM
requester=$(find_window "Choose ROM file") || fail "Examine ROM did not show the requester"
focus "$requester"
xdotool type --delay 10 "$(windows_path "$work/roms/sample.sms")"
xdotool key Return
for _ in $(seq 120); do [[ -f $work/roms/sample.sms.asm ]] && break; sleep 0.25; done
[[ -f $work/roms/sample.sms.asm ]] || fail "no sample.sms.asm after choosing the ROM"
sleep 1 # the last status lines and a repaint
import -window root -crop 305x210+50+50 +repage build-win64/windows-main-window.png
# The buttons stay disabled until the examination has finished.
for _ in $(seq 30); do
  kill -0 "$gui_pid" 2> /dev/null || break
  click_client "$main" 265 170 # Quit
  sleep 1
done
expect_gui_exit_code_0 "Quit"
# The folder learned from the examination is not saved by ending.
expect_preferences 01000d0a
phase_done "examination and Quit"

# The close box ends the program when no other window is open.
(cd "$work/elsewhere" && exec wine "$app/Bytegleaner.exe" > "$work/gui.log" 2>&1) &
gui_pid=$!
main=$(find_window "Bytegleaner V1.0") || fail "the main window did not appear again"
xdotool mousemove --window "$main" 292 11 click 1
expect_gui_exit_code_0 "the close box"
expect_preferences 01000d0a
phase_done "second start, close box"

# --- Same output as on Linux ------------------------------------------------
# Only the paths differ: "Filename: " and .incbin name the folder.
without_folders() { sed -E 's/^(Filename: |\.incbin ").*[\\/]/\1/' "$1"; }
same_files() { # reference folder, Windows folder
  local file name
  (cd "$1" && ls) > "$work/names-linux"
  (cd "$2" && ls) > "$work/names-windows"
  cmp -s "$work/names-linux" "$work/names-windows" || fail "$2 holds other files than $1"
  for file in "$1"/*; do
    name=$(basename "$file")
    if [[ $name == *.asm ]]; then
      cmp -s <(without_folders "$file") <(without_folders "$2/$name") || fail "$2/$name differs from Linux"
    else
      cmp -s "$file" "$2/$name" || fail "$2/$name differs from Linux"
    fi
  done
}

# The saved preferences turned the break at indirect jumps off.
cp samples/sample.sms "$work/linux/"
build/bytegleaner-cli --no-break-at-indirect-jump "$work/linux/sample.sms" > /dev/null
same_files "$work/linux" "$work/roms"

rm -f "$work/linux"/sample.sms.*
build/bytegleaner-cli "$work/linux/sample.sms" > "$work/linux-stdout"
cp samples/sample.sms "$work/cli/"
# A relative name, resolved against the folder the program was started in.
(cd "$work/cli" && wine "$app/bytegleaner-cli.exe" sample.sms > "$work/cli-stdout") ||
  fail "bytegleaner-cli.exe failed"
# The console writes its lines in text mode, with CR LF.
cmp -s <(without_folders "$work/linux-stdout") <(without_folders "$work/cli-stdout" | tr -d '\r') ||
  fail "bytegleaner-cli.exe reports otherwise than on Linux"
same_files "$work/linux" "$work/cli"

# A source file marked read-only is not replaced: Windows refuses it.
chmod a-w "$work/cli/sample.sms.asm"
refused=0
(cd "$work/cli" && wine "$app/bytegleaner-cli.exe" sample.sms > /dev/null 2> "$work/cli-stderr") || refused=$?
if [[ $refused -ne 1 ]] || ! grep -q "Can't create ASM file." "$work/cli-stderr"; then
  fail "bytegleaner-cli.exe replaced a read-only source file (exit code $refused)"
fi
phase_done "bytegleaner-cli.exe against Linux"

awk -v a="$(now)" -v b="$started" 'BEGIN { printf "windows-test: all passed in %.1f s\n", a - b }'
