#!/usr/bin/env bash
# The real XScreenSaver daemon runs the display mode: with a settings file that names only it,
# `xscreensaver-command -activate` shows the car on the screen and `-deactivate` ends the
# program. The daemon refuses to run display modes as root, so as root (as in CI) it runs as the
# system's `nobody`, with a home of its own and the display's authority handed over.
# Run inside xvfb-run.
#
#   daemon_check.sh PROGRAM        a built program, copied with the cars beside it
#   daemon_check.sh --installed    the installed package's program, by its name
set -euo pipefail
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run inside xvfb-run"; exit 1; }
command -v xscreensaver >/dev/null || { echo "needs xscreensaver (scripts/setup installs it)"; exit 1; }

work=$(mktemp -d)
daemon=
user=$(id -un)
program=
cleanup() {
  [ -z "$daemon" ] || kill "$daemon" 2>/dev/null || true
  # The program's processes, once the check has come far enough to know how to find them.
  ! declare -F hack_pids >/dev/null || hack_pids | xargs -r kill 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
home=$work/home
mkdir -p "$home"

if [ "$(id -u)" -eq 0 ]; then
  user=nobody
  as_user() { setpriv --reuid=nobody --regid=nogroup --init-groups "$@"; }
else
  user=$(id -un)
  as_user() { "$@"; }
fi

if [ "$1" = --installed ]; then
  program=varnoka  # found by the daemon in its folder of display modes
else
  install -d -m 755 "$work/program/models"
  install -m 755 "$1" "$work/program/varnoka"
  install -m 644 "$(dirname "$1")"/models/* "$work/program/models/"
  program=$work/program/varnoka
fi
hack="$program --root"
cp "${XAUTHORITY:?xvfb-run sets XAUTHORITY}" "$home/.Xauthority"
chown -R "$user" "$home"
run() { as_user env HOME="$home" DISPLAY="$DISPLAY" XAUTHORITY="$home/.Xauthority" "$@"; }
# The installed program adds itself to the user's list, made from the daemon's; a built one is
# the only program of a list written here. Either way it is the first, and the one shown.
if [ "$1" = --installed ]; then
  run /usr/libexec/xscreensaver/varnoka --add-to-xscreensaver >/dev/null
else
  printf 'programs:\t\\\n  %s\t\\n\n\n' "$hack" >"$home/.xscreensaver"
fi
printf 'mode:\t\tone\nselected:\t0\nlock:\t\tFalse\nsplash:\t\tFalse\nfade:\t\tFalse\nunfade:\t\tFalse\n' \
  >>"$home/.xscreensaver"
chown "$user" "$home/.xscreensaver"

# Waits up to $1 seconds for a command to succeed.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

daemon_answers() { run xscreensaver-command -version >/dev/null 2>&1; }
# Gone, or ended and not yet waited for.
daemon_ended() {
  local state
  state=$(ps -o stat= -p "$daemon" || true)
  [[ -z $state || $state == Z* ]]
}
answers_or_ended() { daemon_answers || daemon_ended; }
# Starts the daemon; whether it answers within a minute.
start_daemon() {
  run xscreensaver --no-splash -v >"$work/daemon.log" 2>&1 &
  daemon=$!
  wait_for 60 answers_or_ended && ! daemon_ended
}
# Once, on a machine busy building, the daemon ended at its start without a word, before our
# program had any part in it. It is then started once more, and what it said is shown.
if ! start_daemon && daemon_ended; then
  status=0
  wait "$daemon" || status=$?
  echo "the daemon ended at its start with status $status, and is started again; it had said:"
  sed 's/^/  /' "$work/daemon.log"
  start_daemon || true
fi
if ! daemon_answers; then
  cat "$work/daemon.log"
  echo "display $DISPLAY: $(xdpyinfo 2>&1 | head -1)"
  ps -o pid=,stat=,wchan:24=,etime=,args= -p "$daemon" || true
  if daemon_ended; then echo "the daemon ended without answering"; else echo "the daemon did not answer within 60 seconds"; fi
  exit 1
fi
run xscreensaver-command -activate >/dev/null

# The processes of this check's program, by the name the daemon starts it with: other checks may
# run display modes as the same user meanwhile. A program that ended but that no one has reaped
# yet (in a container whose first process reaps nothing) does not count.
hack_pids() {
  ps -u "$user" -o pid=,stat=,args= | awk -v program="$program" '$3 == program && $2 !~ /^Z/ { print $1 }'
}
hack_runs() { [ -n "$(hack_pids)" ]; }
hack_ended() { ! hack_runs; }

# The share of the screen's pixels that are not black.
lit_share() {
  import -window root "$work/screen.png" 2>/dev/null &&
    convert "$work/screen.png" -colorspace gray -threshold 1% -format '%[fx:mean]' info:
}
car_shows() {
  hack_runs && awk -v share="$(lit_share)" 'BEGIN { exit !(share > 0.03) }'
}
if ! wait_for 60 car_shows; then
  cat "$work/daemon.log"
  echo "no car on the screen (lit share: $(lit_share))"
  exit 1
fi
echo "the daemon shows the car: $(lit_share) of the screen is lit"

# The daemon gives a display mode a moment to end before it kills it; ours ends on SIGTERM at
# once (a tenth of a second here). The deadline is generous for a machine busy building, as in
# CI; the time taken is printed.
run xscreensaver-command -deactivate >/dev/null
start=$(date +%s.%N)
if ! wait_for 15 hack_ended; then
  cat "$work/daemon.log"
  ps -u "$user" -o pid=,ppid=,stat=,wchan:24=,etime=,args=
  echo "varnoka still runs 15 seconds after -deactivate"
  exit 1
fi
echo "varnoka ended $(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.2f", e - s }') s after -deactivate"
run xscreensaver-command -exit >/dev/null || true
