#!/bin/sh
# Makes sure the prefix in WINEPREFIX has a wineserver that stays a minute after its last
# client, with its background services (services.exe, rpcss.exe, ...) and its desktop's
# process (explorer.exe) started on /dev/null. Needs WINEPREFIX, WINELOADER and WINESERVER;
# QUARNEL_SESSION_KEEPER names the build's session_keeper.exe, which holds the desktop open
# while programs keep starting (each call counts; a minute without one lets it go).
#
# Why: a Wine program that finds no server starts one without persistence, and the first
# program of a session starts the services; the server and the services inherit that
# program's standard error and keep it open while they live; so does the desktop's process,
# which the first program with a window starts and which ends only once no program uses the
# desktop (with tests running side by side, that is when the run ends). A test run by ctest whose program
# started them ends, as far as ctest can tell, only when they do: long after its program
# passed, usually by its time-out. The same happens when a server without persistence ends
# between two test programs. A server that is still ending refuses a new one ("a server is
# already running"), so it is waited for first.
set -u

# The folder a server of this prefix works in ends in "server-<device>-<inode>" (hex).
prefix_id="server-$(printf '%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")"

# The command line of the prefix's server ("" when none runs).
server_line() {
  for p in /proc/[0-9]*; do
    case "$(readlink "$p/cwd" 2>/dev/null)" in
      */"$prefix_id") ;;
      *) continue ;;
    esac
    line=$(tr '\0' ' ' 2>/dev/null <"$p/cmdline") || continue
    case "$line" in *wineserver*) printf '%s\n' "$line"; return 0 ;; esac
  done
  printf '\n'
}

# One caller at a time: concurrent test programs must not each start a server or a session.
# What is started here must not inherit the lock (the server would hold it for its life).
lock="$WINEPREFIX/.wine-session.lock"
exec 9>"$lock"
flock 9

stamp="$WINEPREFIX/.wine-session.stamp"
touch "$stamp"

# The desktop's process of this prefix runs.
desktop_runs() {
  for p in /proc/[0-9]*; do
    case "$(tr '\0' ' ' 2>/dev/null <"$p/cmdline")" in *"explorer.exe /desktop"*) ;; *) continue ;; esac
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# Starts the keeper (unless one runs) and waits for the desktop it makes.
keep_desktop() {
  keeper="${QUARNEL_SESSION_KEEPER:-}"
  [ -n "$keeper" ] && [ -f "$keeper" ] || return 0
  pidfile="$WINEPREFIX/.wine-session.keeper"
  # (A pid left by an ended keeper may belong to another program by now.)
  pid=$(cat "$pidfile" 2>/dev/null)
  if [ -n "$pid" ]; then
    case "$(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline")" in *session_keeper*) return 0 ;; esac
  fi
  # Its input ends a minute after the last call.
  (while [ $(($(date +%s) - $(stat -c %Y "$stamp"))) -lt 60 ]; do sleep 2; done) </dev/null 2>/dev/null 9>&- |
    "$WINELOADER" "$keeper" >/dev/null 2>&1 9>&- &
  echo $! >"$pidfile"
  i=0
  while ! desktop_runs && [ "$i" -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
}

line=$(server_line)
case "$line" in
  *" -p60 "*) keep_desktop; exit 0 ;;  # ours: its services run on /dev/null
esac
# None, or one without persistence (ending or about to): wait for it, then start ours.
if [ -n "$line" ]; then
  timeout 60 "$WINESERVER" -w 2>/dev/null 9>&-
  i=0
  while [ -n "$(server_line)" ] && [ "$i" -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
fi
"$WINESERVER" -p60 2>/dev/null 9>&- || { echo "wine-session: no wineserver for $WINEPREFIX" >&2; exit 1; }
# The first program of the session starts the services, here with no handles to keep.
timeout 120 "$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1 9>&- ||
  { echo "wine-session: Wine does not start in $WINEPREFIX" >&2; exit 1; }
keep_desktop
