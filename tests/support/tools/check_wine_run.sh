#!/bin/sh
# Checks the test wrapper (cmake/wine-run.sh.in): the Windows exit code of a program reaches
# ctest, including when Wine's server killed the runner after the program ended.
#   check_wine_run.sh <wine-run.sh.in> <the build's wine-run.sh> <the build's exit_recorder.exe>
# The first cases configure the wrapper with a stand-in for wine that plays the runner; the
# last runs the build's own wrapper and runner under Wine.
set -u
template=$1 wrapper=$2 recorder=$3
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

# The stand-in for wine: "$1" is the runner, "$2" the result file (a Windows path on Z:),
# "$3" the program; it records $RECORD (when set) and then ends with $STATUS, or kills itself
# as the server would when STATUS is "kill".
cat >"$work/fake-wine" <<'EOF'
#!/bin/sh
result=$(printf '%s' "$2" | sed 's/^Z://' | tr '\\' /)
[ -n "${RECORD:-}" ] && printf '%s\n' "$RECORD" >"$result"
[ "$STATUS" = kill ] && kill -9 $$
exit "$STATUS"
EOF
chmod +x "$work/fake-wine"
: >"$work/exit_recorder.exe"
sed -e "s|@QUARNEL_WINE@|$work/fake-wine|g" -e "s|@CMAKE_RUNTIME_OUTPUT_DIRECTORY@|$work|g" \
    -e "s|@CMAKE_SOURCE_DIR@/cmake/wine-session.sh|true|" -e "s|@[A-Z_]*@|unused|g" \
    "$template" >"$work/wine-run.sh"

expect() {  # <what> <expected status> <RECORD> <STATUS>
  RECORD=$3 STATUS=$4 sh "$work/wine-run.sh" "$work/program.exe" 2>"$work/err"
  got=$?
  if [ "$got" -ne "$2" ]; then
    echo "FAILED: $1: status $got, expected $2 ($(cat "$work/err"))"
    failures=$((failures + 1))
  else
    echo "ok: $1"
  fi
}
expect "a program that passed" 0 0 0
expect "a program that failed" 3 3 3
expect "killed after the program passed" 0 0 kill
expect "killed after the program failed" 4 4 kill
expect "killed after a crash code" 1 3221225477 kill
expect "killed before anything was recorded" 137 "" kill
expect "killed with a record that is no code" 137 "x1" kill
expect "the runner's own failure" 126 "" 126

# The real wrapper and runner: the runner run as the program prints its usage and answers 126.
out=$("$wrapper" "$recorder" 2>&1)
got=$?
case "$got:$out" in
  126:*usage:*) echo "ok: the build's runner answers its program's exit code" ;;
  *) echo "FAILED: the build's runner: status $got, output: $out"; failures=$((failures + 1)) ;;
esac
# A wrapper killed as ctest kills a test that ran out of time takes the runner and its program
# with it. The program: the session keeper, which waits for the end of its input.
keeper="$(dirname "$recorder")/session_keeper.exe"
marker="wine-run-check-$$"
mkfifo "$work/input" && exec 7<>"$work/input"
"$wrapper" "$keeper" "$marker" <"$work/input" >/dev/null 2>&1 &
wrapper_pid=$!
running() { pgrep -f "$marker" >/dev/null; }
# The program's own process (its command line is the Windows one), not the wrapper's or runner's.
started() { pgrep -f "^Z:.*session_keeper.exe $marker" >/dev/null; }
waited=0
until started || [ "$waited" -ge 600 ]; do sleep 0.1; waited=$((waited + 1)); done
if ! started; then
  echo "FAILED: the program under the wrapper did not start"; failures=$((failures + 1))
else
  kill -9 "$wrapper_pid"
  waited=0
  while running && [ "$waited" -lt 600 ]; do sleep 0.1; waited=$((waited + 1)); done
  if running; then
    printf "FAILED: the program outlived its killed wrapper: %s\n" "$(pgrep -af "$marker")"
    pkill -9 -f "$marker"
    failures=$((failures + 1))
  else
    echo "ok: a killed wrapper takes its program with it"
  fi
fi
exec 7>&-

[ "$failures" -eq 0 ]
