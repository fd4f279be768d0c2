#!/usr/bin/env bash
# setup.exe and Uninstall.exe driven as a user drives them, from a scratch
# copy of the distribution's top folder:
#   escape  ESC at the first prompt (typed into a console window on the X
#           display: a terminal would swallow it) ends setup with status 1 and
#           no registry change; without a console setup ends the same way at
#           once instead of waiting.
#   return  keys typed in a terminal (tmux): other keys are swallowed without
#           echo, RETURN writes both registry values and copies both DLLs into
#           the system directory, then any key starts PexaDemo.bat. The
#           command interpreter is replaced (COMSPEC) by a program that only
#           records its command lines. Uninstall then removes the registry
#           record and the DLLs that setup copied.
#   denied  a folder stands where the second DLL would be copied: RETURN
#           ends setup with one line naming the DLL and the system's reason,
#           and the system's error code as its status.
# The registry key is restored afterwards.
#   tests/scripts/test_setup.sh <bin dir> escape|return|denied
set -euo pipefail
bin=$(cd "$1" && pwd)
mode=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
eval "$("$root/tools/wine-env.sh" start "${PEXA_WINE_DIR:-$bin/../wine}")"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
key='HKLM\Software\Brellan Software\Pexa\PexaPath'

work=$(mktemp -d "${TMPDIR:-/tmp}/pexa-setup.XXXXXX")
session=pexa-setup-$$
console_pid=""
saved=""
reg() { "$wine" reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
if reg query "$key" >/dev/null; then
  saved=$work/saved.reg
  reg export "$key" "$(winepath -w "$saved")" /y >/dev/null
fi
cleanup() {
  tmux kill-session -t "$session" 2>/dev/null || true
  [ -z "$console_pid" ] || kill "$console_pid" 2>/dev/null || true
  rm -rf "$WINEPREFIX"/drive_c/windows/system32/pexa[bv]16t.dll
  reg delete "$key" /f >/dev/null || true
  [ -z "$saved" ] || reg import "$(winepath -w "$saved")" >/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
reg delete "$key" /f >/dev/null || true
system_dir=$WINEPREFIX/drive_c/windows/system32
fail() { echo "FAIL: $*" >&2; exit 1; }

# A scratch distribution folder: the two programs, a demo batch file (which
# the recorder stands in for) and two DLL names that no other test uses.
inst=$work/inst
mkdir -p "$inst/pexaExamples"
cp "$bin/setup.exe" "$bin/Uninstall.exe" "$inst/"
printf '@echo Pexa Demo\r\n' >"$inst/pexaExamples/PexaDemo.bat"
for dll in pexab16t.dll pexav16t.dll; do echo "$dll" >"$inst/pexaExamples/$dll"; done
winst=$(winepath -w "$inst")

# Polls the tmux pane until it shows text (fixed string); bounded.
pane_shows() {
  for _ in $(seq 1 300); do
    tmux capture-pane -p -t "$session" 2>/dev/null | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  return 1
}
# Runs a command line in a terminal; its status lands in $work/status.
start_in_terminal() {
  rm -f "$work/status"
  tmux new-session -d -s "$session" -x 100 -y 50 -c "$inst" \
    "$1; echo \$? >'$work/status'; sleep 600"
}
wait_status() {
  for _ in $(seq 1 300); do [ -s "$work/status" ] && { cat "$work/status"; return; }; sleep 0.1; done
  echo timeout
}

case $mode in
escape)
  # In a console window of its own; the window is found by its title, the
  # program's path in our scratch folder.
  (cd "$inst" && exec timeout 60 "$wine" wineconsole setup.exe) &
  console_pid=$!
  window=""
  for _ in $(seq 1 300); do
    window=$(xdotool search --name "$(basename "$work").*setup.exe" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no console window for setup"
  xdotool key --window "$window" Escape 2>/dev/null || true # the key-up finds no window
  status=0
  wait "$console_pid" || status=$?
  console_pid=""
  [ "$status" = 1 ] || fail "ESC: status $status, expected 1"
  reg query "$key" >/dev/null && fail "ESC: the registry key was written"
  echo "ESC ends setup with status 1 and no registry change"
  # No console: no key can come, so setup ends at once, with a line saying so.
  status=0
  out=$(cd "$inst" && timeout 30 "$wine" setup.exe </dev/null 2>&1) || status=$?
  [ "$status" = 1 ] || fail "no console: status $status, expected 1"
  grep -q "no console" <<<"$out" || fail "no console: no line says why setup ended"
  reg query "$key" >/dev/null && fail "no console: the registry key was written"
  echo "without a console setup ends with status 1 and no registry change"
  ;;
return)
  printf '@set COMSPEC=%s\r\n@set PEXA_COMMAND_LOG=%s\r\n@setup.exe\r\n' \
    "$(winepath -w "$bin/record_command.exe")" "$winst\\commands.txt" >"$inst/run.bat"
  start_in_terminal "'$wine' cmd /c run.bat"
  pane_shows "Press ESC to abort the setup program." || fail "no banner"
  tmux send-keys -t "$session" q
  tmux send-keys -t "$session" Enter
  pane_shows "1 registry entry written." || fail "RETURN: nothing written"
  pane_shows "Press the any key to run the Pexa Demo application:" || fail "no demo prompt"
  tmux capture-pane -p -t "$session" | grep -q '^ *q *$' && fail "the key q was echoed"
  tmux send-keys -t "$session" x
  status=$(wait_status)
  [ "$status" = 0 ] || fail "RETURN: status $status, expected 0"
  [ "$(reg query "$key" /v PexaPath | awk '/REG_SZ/ {print $3}')" = "$winst\\" ] ||
    fail "PexaPath is not the folder with a backslash: $(reg query "$key")"
  [ "$(reg query "$key" /v PexaDocuPath | awk '/REG_SZ/ {print $3}')" = \
    "$winst\\pexaDocu\\pexaDocuHTML\\" ] || fail "PexaDocuPath: $(reg query "$key")"
  system=$(winepath -w "$WINEPREFIX/drive_c/windows/system32")
  for dll in pexab16t.dll pexav16t.dll; do
    cmp -s "$inst/pexaExamples/$dll" "$system_dir/$dll" || fail "$dll was not copied to $system"
  done
  expected="/s/c \"\"$winst\\pexaExamples\\PexaDemo.bat\"\""
  commands=$(sed -e 's/\r$//' -e 's/^[^ ]* //' "$inst/commands.txt")
  [ "$commands" = "$expected" ] || fail "commands: $commands, expected: $expected"
  echo "RETURN records $winst\\ and its help folder, copies both DLLs, starts the demo"

  # Uninstall, after the copies setup made.
  tmux kill-session -t "$session"
  start_in_terminal "'$wine' Uninstall.exe"
  pane_shows "Press ESC to keep it." || fail "no uninstall banner"
  tmux send-keys -t "$session" Enter
  status=$(wait_status)
  [ "$status" = 0 ] || fail "Uninstall: status $status"
  reg query "$key" >/dev/null && fail "Uninstall left the registry key"
  for dll in pexab16t.dll pexav16t.dll; do
    [ ! -e "$WINEPREFIX/drive_c/windows/system32/$dll" ] || fail "Uninstall left $system\\$dll"
  done
  echo "Uninstall removes the registry record and the copied DLLs"
  ;;
denied)
  mkdir "$system_dir/pexav16t.dll"
  start_in_terminal "'$wine' setup.exe"
  pane_shows "Press ESC to abort the setup program." || fail "no banner"
  tmux send-keys -t "$session" Enter
  status=$(wait_status)
  line=$(tmux capture-pane -p -t "$session" | grep "Setup failed" || true)
  [[ $line == " Setup failed: cannot copy pexav16t.dll to C:\windows\system32: "[A-Za-z]*" ($status)." ]] ||
    fail "status $status, failure line: '$line'"
  [ "$status" != 0 ] || fail "a failed copy ends setup with status 0"
  echo "a DLL that cannot be copied:$line, status $status"
  ;;
*)
  echo "usage: $0 <bin dir> escape|return|denied" >&2
  exit 2
  ;;
esac
