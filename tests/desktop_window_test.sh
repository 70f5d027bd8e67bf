#!/usr/bin/env bash
# Drives the desktop program in a virtual X server as a person would
# (tests/window_driver.sh), and checks that no text is cut off.
# Usage: desktop_window_test.sh PROGRAM SOURCE_FOLDER BUILD_FOLDER
# Exits 77 (skipped) where the program or the X tools are missing.
set -eEuo pipefail
program=$1 golden=$2/tests/golden/sample.sms.asm shots=$3/desktop-
for tool in "$program" Xvfb xdotool xclip import python3; do
  command -v "$tool" > /dev/null || { echo "SKIP: no $tool"; exit 77; }
done
work=$(mktemp -d)
source "$2/tests/window_driver.sh"
start_x 800x600

# The program runs from a folder of the test's own, where its preferences
# file lands, and is started from yet another. The ROM's folder name is no
# ASCII; the status list shows it as the requester did.
prefs=$work/program/Bytegleaner.prefs rom=$work/röms/sample.sms rom_shown=$work/röms/sample.sms
mkdir -p "$work/program" "$work/current" "$work/röms" "$work/home"
cp "$program" "$(dirname "$program")/opcodes.dat" "$work/program/"
cp "$2/samples/sample.sms" "$rom"
export HOME=$work/home  # FLTK keeps its own settings there
# Under the sanitizers, the font library's own caches are not our leaks.
printf 'leak:libfontconfig.so\n' > "$work/leaks.supp"
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/leaks.supp

start_program() {
  (cd "$work/current" && exec "$work/program/bytegleaner" ignored --arguments) >> "$work/program.log" 2>&1 &
  app=$!
  pids+=("$app")
}
# The name goes in as one paste: typed key by key, FLTK's chooser follows
# each "/" into a folder at once.
choose_rom() {
  printf '%s' "$2" | xclip -quiet -selection clipboard > /dev/null 2>&1 &
  pids+=($!)
  sleep 0.2
  keys "$1" ctrl+a BackSpace ctrl+v Return
}
close_main() { request_close "$1"; }

run_session
# The program reports each text that its control cuts off.
! grep "px wide" "$work/program.log" || fail "texts are cut off"
echo "desktop window test passed in $SECONDS s"
