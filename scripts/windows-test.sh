#!/usr/bin/env bash
# The program on its own platform. Cross-builds the 32-bit release with
# mingw-w64 and checks what Windows will load; builds a 64-bit twin and
# drives it under wine in a virtual X server as a user would; checks that
# the Windows command-line program writes what the Linux one writes.
# Exit status: 0 passed, 77 could not run here, anything else failed.
set -eEuo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xdotool imagemagick \
  cmake g++ libgtest-dev ||
  { echo "windows-test: SKIP: the cross compilers, wine and Xvfb are missing and could not be installed"; exit 77; }
work=$(mktemp -d /tmp/bytegleaner-windows.XXXXXX) shots=build-win64/windows- golden=tests/golden/sample.sms.asm
source tests/window_driver.sh

cross_build() { # folder, toolchain
  cmake --no-warn-unused-cli -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE="cmake/$2.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBYTEGLEANER_WERROR=ON -DBYTEGLEANER_TESTS=OFF -DBYTEGLEANER_DESKTOP=OFF > /dev/null
  cmake --build "$1" -j "$(nproc)" > "$1/build.log" 2>&1 || fail "$1 did not build: $(cat "$1/build.log")"
}
check_pe() { # program, objdump, file format, header magic, subsystem
  local dump
  dump=$("$2" -p "$1")
  grep -q "file format $3\$" <<< "$dump" && grep -Eq "^Magic[[:space:]]+$4" <<< "$dump" &&
    grep -Eq "^Subsystem.*\($5\)" <<< "$dump" || fail "$1 is no $3 program ($4) for the $5 subsystem"
  # Windows loads nothing the program brings along: only its own DLLs.
  ! awk '/DLL Name:/ { print tolower($3) }' <<< "$dump" | grep -vxE '(kernel32|user32|gdi32|comdlg32|msvcrt)\.dll' ||
    fail "$1 needs the DLLs above, which Windows does not bring"
}
cross_build build-win32 mingw-w64-i686
check_pe build-win32/Bytegleaner.exe i686-w64-mingw32-objdump pei-i386 010b "Windows GUI"
check_pe build-win32/bytegleaner-cli.exe i686-w64-mingw32-objdump pei-i386 010b "Windows CUI"
# Debian's wine runs 64-bit programs only without i386 multiarch, so the
# same source is driven as a 64-bit build.
cross_build build-win64 mingw-w64-x86_64
check_pe build-win64/Bytegleaner.exe x86_64-w64-mingw32-objdump pei-x86-64 020b "Windows GUI"
[[ -f build/CMakeCache.txt ]] || cmake -S . -B build -DBYTEGLEANER_WERROR=ON > /dev/null
cmake --build build -j "$(nproc)" --target bytegleaner-cli > /dev/null

# No Mono or Gecko installer: they would ask to download.
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'exec 4>&-; wineserver -k 2> /dev/null; stop_all' EXIT
start_x 1024x768
wine wineboot -i > "$work/wineboot.log" 2>&1 || fail "wineboot: $(cat "$work/wineboot.log")"
# Wine winds its session down for some seconds after its last program has
# ended, and a program started meanwhile waits ten seconds. A console that
# waits for input keeps the session up until the end of the run.
mkfifo "$work/keeper"
(wine cmd.exe < "$work/keeper" > /dev/null 2>&1 &)
exec 4> "$work/keeper"
# Wine draws the frame itself, as Windows does.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1
frame_inside=1

prefs=$work/app/Bytegleaner.prefs rom=$work/roms/sample.sms
rom_shown="Z:${rom//\//\\}"
mkdir "$work/app" "$work/elsewhere"
cp build-win64/{Bytegleaner.exe,bytegleaner-cli.exe,opcodes.dat} "$work/app/"
for folder in roms cli linux; do mkdir "$work/$folder" && cp samples/sample.sms "$work/$folder/"; done
# Started from another folder, with an argument that must change nothing.
start_program() {
  (cd "$work/elsewhere" && exec wine "$work/app/Bytegleaner.exe" --ignored > "$work/gui.log" 2>&1) & app=$!
}
choose_rom() { focus "$1" && xdotool type --delay 10 "$2" && xdotool key Return; }
close_main() { xdotool mousemove --window "$1" 292 11 click 1; }
run_session

# Only the paths differ from Linux: "Filename: " and .incbin name the folder.
without_folders() { sed -E 's/^(Filename: |\.incbin ").*[\\/]/\1/' "$@"; }
# The desktop program writes what the exact analysis writes.
build/bytegleaner-cli --exact "$work/linux/sample.sms" | without_folders > "$work/linux.out"
same_as_linux() { # folder the Windows program wrote to
  [[ $(ls "$work/linux") == "$(ls "$1")" ]] || fail "$1 holds other files than on Linux"
  for file in "$work/linux"/*; do
    cmp -s <(without_folders "$file") <(without_folders "$1/${file##*/}") || fail "$1/${file##*/} differs from Linux"
  done
}
same_as_linux "$work/roms"
# A relative name, resolved against the folder the program was started in;
# the console writes its lines with CR LF.
(cd "$work/cli" && wine "$work/app/bytegleaner-cli.exe" --exact sample.sms) | tr -d '\r' | without_folders > "$work/cli.out"
same_as_linux "$work/cli"
cmp -s "$work/linux.out" "$work/cli.out" || fail "bytegleaner-cli.exe reports otherwise than on Linux"
# The thorough analysis, the command line's default, writes the same too.
build/bytegleaner-cli "$work/linux/sample.sms" > /dev/null
(cd "$work/cli" && wine "$work/app/bytegleaner-cli.exe" sample.sms > /dev/null)
same_as_linux "$work/cli"
# A source file marked read-only is not replaced: Windows refuses it.
chmod a-w "$work/cli/sample.sms.asm"
! (cd "$work/cli" && wine "$work/app/bytegleaner-cli.exe" sample.sms > /dev/null 2> "$work/cli-stderr") &&
  grep -q "Can't create ASM file." "$work/cli-stderr" || fail "bytegleaner-cli.exe replaced a read-only source file"
echo "windows-test: all passed in $SECONDS s"
