#!/usr/bin/env bash
# Drives the desktop program in a virtual X server as a person would: the
# main window, About, Preferences with "Save", one examination through the
# requester and "Quit"; then a start with a preferences file of another
# version, whose message comes first, ended through the close box.
#
# Usage: desktop_window_test.sh PROGRAM SOURCE_FOLDER BUILD_FOLDER
# Exits 77 (skipped) where the program or the X tools are missing.
set -euo pipefail

program=$1
source_folder=$2
build_folder=$3

skip() {
  echo "SKIP: $*"
  exit 77
}
[[ -x $program ]] || skip "no desktop program at $program"
for tool in Xvfb xdotool xclip import python3; do
  command -v "$tool" > /dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  import -window root "$build_folder/desktop-failure.png" 2> /dev/null || true
  echo "screen saved as $build_folder/desktop-failure.png" >&2
  exit 1
}

# The program is copied so that its preferences file lands in a folder of
# the test's own, and it is started from yet another folder.
mkdir -p "$work/program" "$work/current" "$work/roms" "$work/home"
cp "$program" "$(dirname "$program")/opcodes.dat" "$work/program/"
cp "$source_folder/samples/sample.sms" "$work/roms/"
prefs=$work/program/Bytegleaner.prefs
export HOME=$work/home  # FLTK keeps its own settings there

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")

# Under the sanitizers, the font library's own caches are not our leaks.
printf 'leak:libfontconfig.so\n' > "$work/leaks.supp"
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/leaks.supp

start_program() {
  (cd "$work/current" && exec "$work/program/bytegleaner" ignored --arguments) > "$work/program.log" 2>&1 &
  app=$!
  pids+=("$app")
}

# Prints the id of the window titled exactly $1, waiting up to 10 s for it.
wait_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1) || true
    if [[ -n $id ]]; then
      echo "$id"
      return
    fi
    sleep 0.1
  done
  fail "no window titled \"$1\""
}

window_open() { xdotool search --onlyvisible --name "^$1\$" > /dev/null 2>&1; }

wait_closed() {
  for _ in $(seq 50); do
    window_open "$1" || return 0
    sleep 0.1
  done
  fail "window \"$1\" did not close"
}

# Sets X, Y, WIDTH and HEIGHT: the client area on the screen.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

# Clicks the middle of a control given in client coordinates.
click() {
  local id=$1 x=$2 y=$3 width=$4 height=$5
  geometry "$id"
  xdotool mousemove --sync $((X + x + width / 2)) $((Y + y + height / 2)) click 1
  sleep 0.2
}

keys() {
  xdotool windowfocus --sync "$1"
  shift
  xdotool key --delay 50 "$@"
  sleep 0.2
}

# What the close box sends; without a window manager nobody else would.
request_close() {
  python3 - "$1" << 'EOF'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.POINTER(Event)]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
window = int(sys.argv[1])
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
x11.XCloseDisplay(display)
EOF
  sleep 0.3
}

expect_prefs() {
  local bytes
  bytes=$(od -An -tx1 "$prefs" 2> /dev/null | tr -d ' \n') || true
  [[ $bytes == "$1" ]] || fail "$2: Bytegleaner.prefs holds \"$bytes\", expected \"$1\""
}

expect_running() {
  kill -0 "$app" 2> /dev/null || fail "$1: the program has ended"
}

expect_exit_zero() {
  local code=0
  for _ in $(seq 100); do
    kill -0 "$app" 2> /dev/null || break
    sleep 0.1
  done
  wait "$app" || code=$?
  [[ $code -eq 0 ]] || fail "$1: exit code $code; $(cat "$work/program.log")"
}

# The client area is the outer size less the frame, and must hold the layout.
expect_window() {
  local title=$1 outer_width=$2 outer_height=$3 need_width=$4 need_height=$5 id
  id=$(wait_window "$title")
  geometry "$id"
  ((WIDTH >= need_width && WIDTH <= outer_width && HEIGHT >= need_height && HEIGHT <= outer_height)) ||
    fail "\"$title\" has a client area of ${WIDTH}x$HEIGHT for an outer size of ${outer_width}x$outer_height"
  echo "$id"
}

began=$(date +%s)
start_program
main=$(expect_window "Bytegleaner V1.0" 305 210 295 180)
geometry "$main"
((X >= 50 && X <= 60 && Y >= 50 && Y <= 80)) || fail "main window client at $X,$Y for a window at 50,50"
[[ ! -e $prefs ]] || fail "the preferences file was written at start-up"

# About: close requests, Escape and "Quit" leave it and the program as they
# are; TAB reaches the only control that takes the focus, and space presses it.
click "$main" 185 160 50 20
about=$(expect_window "Bytegleaner" 220 155 160 125)
request_close "$about"
request_close "$main"
click "$main" 240 160 50 20
keys "$about" Escape
window_open "Bytegleaner" || fail "a close request, Escape or Quit closed the About window"
expect_running "close request or Quit while About is open"
keys "$about" Tab space
wait_closed "Bytegleaner"
expect_running "after About"

# Preferences by mouse: the box starts ticked, since the option is on.
click "$main" 95 160 85 20
preferences=$(expect_window "Preferences" 250 125 240 95)
request_close "$preferences"
window_open "Preferences" || fail "a close request closed the Preferences window"
click "$preferences" 5 30 175 15
click "$preferences" 5 75 75 20
wait_closed "Preferences"
expect_prefs 01000d0a "box cleared, Save"

# Preferences by keyboard: TAB visits box, Save, Use, Cancel, wraps to the
# box and on to Save.
click "$main" 95 160 85 20
preferences=$(wait_window "Preferences")
keys "$preferences" Tab space Tab Tab Tab Tab Tab space
wait_closed "Preferences"
expect_prefs 01010d0a "box ticked by keyboard, Save"

# An examination through the requester. The name goes in as one paste:
# typed key by key, FLTK's chooser follows each "/" into a folder at once.
click "$main" 5 160 85 20
chooser=$(wait_window "Choose ROM file")
printf '%s' "$work/roms/sample.sms" | xclip -quiet -selection clipboard > /dev/null 2>&1 &
pids+=($!)
sleep 0.2
keys "$chooser" ctrl+a BackSpace ctrl+v Return
wait_closed "Choose ROM file"

# The buttons come back when the examination has finished; until then a
# click on "About" is lost.
for _ in $(seq 60); do
  click "$main" 185 160 50 20
  window_open "Bytegleaner" && break
  sleep 0.3
done
about=$(wait_window "Bytegleaner")
click "$about" 60 105 100 20
wait_closed "Bytegleaner"
# The golden source names the ROM "ROM" where the real one has its path.
source=$(< "$work/roms/sample.sms.asm")
[[ ${source//"$work/roms/sample.sms"/ROM} == "$(< "$source_folder/tests/golden/sample.sms.asm")" ]] ||
  fail "the source file differs from tests/golden/sample.sms.asm"
sleep 0.3
import -window "$main" "$build_folder/desktop-main-window.png"

click "$main" 240 160 50 20
expect_exit_zero "Quit"
expect_prefs 01010d0a "Quit must not save the folder just learned"

# A second start with a preferences file of another version: the "Error"
# box comes before the main window, and the file stays as it was.
printf '\x02\x01\r\n' > "$prefs"
start_program
error=$(wait_window "Error")
! window_open "Bytegleaner V1.0" || fail "the main window opened before the version message"
keys "$error" Return
main=$(wait_window "Bytegleaner V1.0")
request_close "$main"
expect_exit_zero "close box"
expect_prefs 02010d0a "a rejected file must stay untouched"

echo "desktop window test passed in $(($(date +%s) - began)) s"
