#!/bin/sh
# Times the program itself as a player meets it: Run with the time step "Continuously", from
# the key press of Ctrl+R until the program's main thread waits idle and the X server has
# caught up.
#
#   bench/key_press_timing.sh [graphs|every|none] [runs]     (from the repository folder)
#
# It starts build/shell/talvair on a fresh Xvfb at 1280 x 1024 with openbox and settings of
# its own, picks English in the language window and starts from the splash; opens the 19
# graphs (with "every" also the 9 tables and the 7 reports) through the menus, in menu order;
# chooses Time Step > Continuously; then, for each run, Restart and Ctrl+R. Before each
# command it waits until the program has used no processor time for a while.
#
# The times come from the kernel's record of the program's and the X server's waits
# (perf, syscall trace points; nothing in the program is changed or built for it): a Run
# starts when the main thread wakes for the key and ends when it enters a wait for events
# that lasts 50 ms or more, or later, when the X server has finished the requests sent
# before then. It prints each run and the median; with TALVAIR_KEY_PRESS_SHOT set to a file
# name it also saves a screenshot of the screen after the last run. Needs xvfb-run, openbox,
# xdotool, perf and python3 (Debian: xvfb, openbox, xdotool, linux-perf, python3; import
# from imagemagick for the screenshot), as root or with perf_event_paranoid at most 1.
set -eu

what=${1:-graphs}
runs=${2:-9}
case $what in graphs | every | none) ;; *)
  echo "usage: $0 [graphs|every|none] [runs]" >&2
  exit 2
  ;;
esac

if [ -z "${TALVAIR_KEY_PRESS_SCREEN:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1280x1024x24' env TALVAIR_KEY_PRESS_SCREEN=1 "$0" "$@"
fi

program=${TALVAIR_PROGRAM:-build/shell/talvair}
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
pids=
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

openbox >/dev/null 2>&1 &
pids="$!"
sleep 1
"$program" >/dev/null 2>&1 &
talvair=$!
pids="$talvair $pids"

# Until the program's main thread has used no processor time for 0.4 s.
settle() {
  last=
  while :; do
    now=$(awk '{ print $14 + $15 }' "/proc/$talvair/task/$talvair/stat")
    [ "$now" = "$last" ] && return
    last=$now
    sleep 0.4
  done
}
key() {
  xdotool key "$@"
  settle
}
# Opens a menu by its mnemonic and chooses its item at `position` (0 is the first shown).
menu() {
  key "alt+$1"
  i=0
  while [ "$i" -lt "$2" ]; do
    xdotool key Down
    i=$((i + 1))
  done
  key Return
}

timeout 30 xdotool search --sync --name '^Talvair$' >/dev/null
settle
key Return # the language window: English
key Return # the splash
sleep 1
settle

if [ "$what" != none ]; then
  for item in $(seq 0 18); do menu g "$item"; done
fi
if [ "$what" = every ]; then
  for item in $(seq 0 8); do menu t "$item"; done
  for item in $(seq 0 6); do menu r "$item"; done
fi
# Simulation > Time Step > Continuously, the last of seven.
xdotool key alt+s
key t
i=0
while [ "$i" -lt 6 ]; do
  xdotool key Down
  i=$((i + 1))
done
key Return

server=$(pgrep -o -f "^Xvfb $DISPLAY ")
perf record -q -k mono -o "$work/perf.data" \
  -e syscalls:sys_enter_poll,syscalls:sys_exit_poll \
  -e syscalls:sys_enter_epoll_wait,syscalls:sys_exit_epoll_wait \
  -p "$talvair,$server" >/dev/null 2>&1 &
recorder=$!
pids="$recorder $pids"
sleep 1

: >"$work/marks"
n=0
while [ "$n" -lt "$runs" ]; do
  # Simulation > Restart, yes to both questions (with windows open the second one keeps them).
  xdotool key alt+s e
  settle
  key Return
  [ "$what" = none ] || key Return
  xdotool keydown ctrl
  sleep 0.3
  python3 -c 'import time; print(time.monotonic())' >>"$work/marks"
  xdotool key r
  settle
  xdotool keyup ctrl
  settle
  n=$((n + 1))
done

[ -z "${TALVAIR_KEY_PRESS_SHOT:-}" ] || import -window root "$TALVAIR_KEY_PRESS_SHOT"
kill -INT "$recorder"
wait "$recorder" || true
perf script -i "$work/perf.data" -F tid,time,event,trace 2>/dev/null >"$work/waits"

awk -v program="$talvair" -v server="$server" -v what="$what" '
  function hex(s,   i, n) {
    n = 0; s = tolower(substr(s, 3))
    for (i = 1; i <= length(s); ++i) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return n
  }
  FNR == NR { marks[++nmarks] = $1; next }
  {
    tid = $1; time = $2 + 0; event = $3
    if (tid == program && event ~ /sys_enter_poll/) {
      # The event loop waits on two or more descriptors with a timeout; libxcb on one.
      nfds = hex(substr($0, index($0, "nfds: ") + 6, 10))
      timeout = hex(substr($0, index($0, "timeout_msecs: ") + 15, 10))
      entered = time; loopWait = nfds >= 2 && timeout != 0
    } else if (tid == program && event ~ /sys_exit_poll/ && entered) {
      if (loopWait) { n = ++programWaits; pFrom[n] = entered; pTo[n] = time }
      entered = 0
    } else if (tid == server && event ~ /sys_enter_epoll_wait/) {
      serverEntered = time
    } else if (tid == server && event ~ /sys_exit_epoll_wait/ && serverEntered) {
      n = ++serverWaits; sFrom[n] = serverEntered; sTo[n] = time; serverEntered = 0
    }
  }
  END {
    count = 0
    for (m = 1; m <= nmarks; ++m) {
      start = 0; idle = 0
      for (i = 1; i <= programWaits; ++i) {
        if (!start) { if (pTo[i] > marks[m]) start = pTo[i]; continue }
        if (pTo[i] - pFrom[i] >= 0.050) { idle = pFrom[i]; break }
      }
      if (!start || !idle) { printf "run %d: not found\n", m; continue }
      end = idle
      # The server caught up: at rest already, or once its next wait of 50 ms begins.
      for (i = 1; i <= serverWaits; ++i) {
        if (sFrom[i] <= idle && sTo[i] > idle) break
        if (sFrom[i] > idle && sTo[i] - sFrom[i] >= 0.050) { end = sFrom[i]; break }
      }
      # The share of the server: the time it spent out of its waits within the run.
      busy = 0
      for (i = 1; i <= serverWaits; ++i) {
        from = i > 1 ? sTo[i - 1] : start; to = sFrom[i]
        if (from < start) from = start
        if (to > end) to = end
        if (to > from) busy += to - from
      }
      ms = (end - start) * 1000
      times[++count] = ms
      printf "run %d: %.1f ms (program idle after %.1f ms; X server busy %.1f ms)\n", m, ms,
        (idle - start) * 1000, busy * 1000
    }
    if (count == 0) exit 1
    for (i = 1; i <= count; ++i)
      for (j = i + 1; j <= count; ++j)
        if (times[j] < times[i]) { t = times[i]; times[i] = times[j]; times[j] = t }
    median = count % 2 ? times[(count + 1) / 2] : (times[count / 2] + times[count / 2 + 1]) / 2
    printf "Run, %s: median %.1f ms of %d (%.1f to %.1f)\n", what, median, count, times[1], times[count]
  }' "$work/marks" "$work/waits"
