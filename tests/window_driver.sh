# Drives the desktop program's windows in a virtual X server with xdotool, as
# a person would; sourced by the tests that do. The caller sets `work`, a
# scratch folder removed at the end, `shots`, the start of the screenshots'
# paths, and `golden`, the sample's expected source file.
#
# Windows have a 3 px border and a 19 px caption above it, as on the
# platform; `frame_inside=1` where the toolkit draws them inside its X window
# (wine), 0 where it leaves them to a window manager (FLTK, and there is none).
frame_inside=${frame_inside:-0}
pids=()
stop_all() {
  kill "${pids[@]}" 2> /dev/null || true
  rm -rf "$work"
}
trap stop_all EXIT
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

fail() {
  echo "FAIL: $*" >&2
  for log in "$work"/*.log; do [[ -s $log ]] && { echo "--- $log" && tail -n 20 "$log"; } >&2; done
  import -window root "${shots}failure.png" 2> /dev/null && echo "the screen is in ${shots}failure.png" >&2
  exit 1
}

# Runs a command until it succeeds, at most $1 times, 0.1 s apart.
retry() {
  for ((i = 0; i < $1; i++)); do "${@:2}" && return 0 || sleep 0.1; done
  return 1
}

start_x() { # screen size
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
  pids+=($!)
  retry 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
}

window_open() { xdotool search --onlyvisible --name "^$1\$" > /dev/null 2>&1; }
window_closed() { ! window_open "$1"; }
wait_closed() { retry 100 window_closed "$1" || fail "window \"$1\" did not close"; }
# Prints the id of the window titled exactly $1.
# A loaded machine can take long to start the program, so the wait is long.
wait_window() {
  retry 600 window_open "$1" || fail "no window titled \"$1\""
  xdotool search --onlyvisible --name "^$1\$" | head -n 1
}

# Sets X, Y, WIDTH and HEIGHT of a window. On a loaded machine xdotool
# fails now and then with an X error, so the query is repeated.
geometry() {
  unset HEIGHT
  for _ in {1..20}; do
    eval "$(xdotool getwindowgeometry --shell "$1" 2> /dev/null || true)"
    [[ -v HEIGHT ]] && return || sleep 0.1
  done
  fail "xdotool could not tell the geometry of window $1"
}

expect_window() { # title, outer size and position as WxH+X+Y; prints the window's id
  local id outer outside=$((!frame_inside))
  id=$(wait_window "$1")
  geometry "$id"
  outer=$((WIDTH + 6 * outside))x$((HEIGHT + 25 * outside))+$((X - 3 * outside))+$((Y - 22 * outside))
  [[ $outer == "$2" ]] || fail "\"$1\" is $outer, not $2"
  echo "$id"
}

# Clicks the middle of a control given as x y width height in client coordinates.
click() {
  local x=$((3 * frame_inside + $2 + $4 / 2)) y=$((22 * frame_inside + $3 + $5 / 2))
  xdotool mousemove --sync --window "$1" "$x" "$y" click 1
  sleep 0.2
}

focus() { timeout 10 xdotool windowfocus --sync "$1" || fail "window $1 did not take the keyboard focus"; }
keys() {
  focus "$1"
  xdotool key --delay 50 "${@:2}"
  sleep 0.2
}

# What a window manager's close box sends (an XClientMessageEvent, whose
# fields each take one long on x86-64).
request_close() {
  python3 - "$1" << 'EOF'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x11.XOpenDisplay(None))
atom = lambda name: x11.XInternAtom(display, name, 0)
window = int(sys.argv[1])
event = (ctypes.c_long * 24)(33, 0, 0, 0, window, atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW"))
x11.XSendEvent(display, ctypes.c_ulong(window), 0, 0, event)
x11.XCloseDisplay(display)
EOF
  sleep 0.3
}

expect_prefs() { # bytes in hexadecimal, what was done
  local bytes
  bytes=$(od -An -tx1 "$prefs" 2> /dev/null | tr -d ' \n') || true
  [[ $bytes == "$1" ]] || fail "$2: Bytegleaner.prefs holds \"$bytes\", not \"$1\""
}

# Waits for the program to end by itself and expects exit code 0.
expect_exit_zero() { # what ended it
  local code=0
  retry 100 eval "! kill -0 $app 2> /dev/null" || fail "$1 did not end the program"
  wait "$app" || code=$?
  ((code == 0)) || fail "$1 ended the program with exit code $code"
}

about_opens() { click "$main" 185 160 50 20 && window_open "Bytegleaner"; }

# A session as both toolkits go through it. Needs the caller's
# start_program (which sets `app`), choose_rom (requester window, path),
# close_main (window), `prefs` (the preferences file), `rom` (the sample's
# path) and `rom_shown` (the path as the program gets it).
run_session() {
  start_program
  main=$(expect_window "Bytegleaner V1.0" 305x210+50+50)
  [[ ! -e $prefs ]] || fail "the preferences file was written at start-up"
  # About: close requests, Escape and "Quit" change nothing.
  click "$main" 185 160 50 20
  about=$(expect_window "Bytegleaner" 220x155+75+75)
  import -window "$about" "${shots}about-window.png"
  request_close "$about"
  request_close "$main"
  click "$main" 240 160 50 20
  keys "$about" Escape
  window_open "Bytegleaner" && kill -0 "$app" || fail "a close request, Escape or Quit closed About or the program"
  click "$about" 60 105 100 20
  wait_closed "Bytegleaner"
  # TAB moves through the list, Examine ROM, Preferences and About, and
  # space presses; in About only OK takes the focus.
  keys "$main" Tab Tab Tab Tab space
  keys "$(wait_window "Bytegleaner")" Tab space
  wait_closed "Bytegleaner"

  # Preferences by mouse, where the box starts ticked, then by keyboard, where
  # TAB visits box, Save, Use, Cancel, wraps to the box and on to Save.
  click "$main" 95 160 85 20
  preferences=$(expect_window "Preferences" 250x125+50+50)
  request_close "$preferences"
  click "$preferences" 5 30 175 15
  click "$preferences" 5 75 75 20
  wait_closed "Preferences"
  expect_prefs 01000d0a "box cleared, Save"
  click "$main" 95 160 85 20
  keys "$(wait_window "Preferences")" Tab space Tab Tab Tab Tab Tab space
  wait_closed "Preferences"
  expect_prefs 01010d0a "box ticked by keyboard, Save"

  # An examination; a click on "About" is lost until it has finished.
  click "$main" 5 160 85 20
  choose_rom "$(wait_window "Choose ROM file")" "$rom_shown"
  retry 300 about_opens || fail "About did not open after the examination"
  click "$(wait_window "Bytegleaner")" 60 105 100 20
  wait_closed "Bytegleaner"
  # The golden source names the ROM "ROM" where the real one has its path.
  source=$(< "$rom.asm")
  [[ ${source//"$rom_shown"/ROM} == "$(< "$golden")" ]] || fail "$rom.asm differs from $golden"
  sleep 0.3
  import -window "$main" "${shots}main-window.png"
  click "$main" 240 160 50 20
  expect_exit_zero "Quit"
  expect_prefs 01010d0a "Quit must not save the folder just learned"

  # The message on a preferences file of another version comes first, and
  # the file stays as it was.
  printf '\x02\x01\r\n' > "$prefs"
  start_program
  error=$(wait_window "Error")
  window_closed "Bytegleaner V1.0" || fail "the main window opened before the version message"
  keys "$error" Return
  close_main "$(wait_window "Bytegleaner V1.0")"
  expect_exit_zero "the close box"
  expect_prefs 02010d0a "a rejected file must stay untouched"
}
