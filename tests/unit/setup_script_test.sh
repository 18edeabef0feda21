#!/usr/bin/env bash
# The README's set-up commands and scripts/setup.sh for the three kinds of
# user a fresh Debian machine has: root without sudo, a user with sudo, a user
# without it. The package tools, id and sudo are stand-ins on a PATH of our
# own that logs what was run and as whom; nothing is installed. Prints one
# GoogleTest-style line per case, so scripts/test.sh counts them.
#   bash tests/unit/setup_script_test.sh REPOSITORY
set -u
ROOT=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
WORK=$(mktemp -d /tmp/pelor-setup-test.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
failures=0

# A PATH with the few real tools setup.sh uses and stand-ins for the rest.
mkdir -p "$WORK/bin" "$WORK/home"
for tool in bash env grep cat mkdir rm; do ln -s "$(command -v "$tool")" "$WORK/bin/$tool"; done
stub() { printf '#!%s\n%s\n' "$(command -v bash)" "$2" >"$WORK/bin/$1"; chmod +x "$WORK/bin/$1"; }
stub id 'if [ "${1:-}" = -u ]; then echo "${FAKE_UID:-0}"; else echo "uid=${FAKE_UID:-0}"; fi'
# Every package is missing, and i386 is already known.
stub dpkg-query 'exit 1'
stub dpkg 'echo "dpkg uid=${FAKE_UID:-0} $*" >>"$LOG"; [ "$1" = --print-foreign-architectures ] && echo i386; exit 0'
stub apt-get 'echo "apt-get uid=${FAKE_UID:-0} $*" >>"$LOG"; [ "${FAKE_UID:-0}" = 0 ] || { echo "E: permission denied" >&2; exit 100; }'
stub i686-w64-mingw32-g++-posix 'exit 0'
with_sudo() { stub sudo 'echo "sudo $*" >>"$LOG"; FAKE_UID=0 exec "$@"'; }
without_sudo() { rm -f "$WORK/bin/sudo"; }

# run_setup UID: scripts/setup.sh on the stand-in PATH; its output in $OUT,
# its status in $STATUS, what it ran in $LOG.
run_setup() {
  LOG="$WORK/log.$RANDOM"; : >"$LOG"
  OUT=$(env -i PATH="$WORK/bin" HOME="$WORK/home" LOG="$LOG" FAKE_UID="$1" \
        "$WORK/bin/bash" "$ROOT/scripts/setup.sh" 2>&1)
  STATUS=$?
}

check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then
    echo "[       OK ] SetupScript.$name (0 ms)"
  else
    echo "$OUT" | sed 's/^/    /'
    sed 's/^/    ran: /' "$LOG" 2>/dev/null
    echo "[  FAILED  ] SetupScript.$name (0 ms)"
    failures=$((failures + 1))
  fi
}

installed_as_root() { grep -q '^apt-get uid=0 install ' "$LOG"; }

# The README names exactly two set-up commands, and each one's program is
# there on a machine that has no sudo.
mapfile -t commands < <(sed -n '/^## On a fresh Debian machine/,/^## /p' "$ROOT/README.md" |
  grep -E '^    [a-z]' | sed 's/^    //')
without_sudo
readme_ok() {
  [ "${#commands[@]}" = 2 ] || return 1
  local c
  for c in "${commands[@]}"; do
    PATH="$WORK/bin" command -v "${c%% *}" >/dev/null || return 1
    case $c in *scripts/demo.sh|*scripts/test.sh) ;; *) return 1 ;; esac
  done
}
OUT="README: ${commands[*]}"; LOG=/dev/null
check ReadmeCommandsNeedNoSudo readme_ok

without_sudo
run_setup 0
check RootWithoutSudoInstallsDirectly eval '[ "$STATUS" = 0 ] && installed_as_root && ! grep -q "sudo" "$LOG"'

with_sudo
run_setup 1000
check UserWithSudoInstallsThroughIt eval '[ "$STATUS" = 0 ] && installed_as_root && grep -q "^sudo .*apt-get .*install" "$LOG"'
check UserWithSudoKeepsTheSoundSettingInTheirHome grep -q 'type null' "$WORK/home/.asoundrc"

without_sudo
run_setup 1000
check UserWithoutSudoIsToldWhatToDo eval '[ "$STATUS" != 0 ] && ! grep -q "^apt-get .* install" "$LOG" && grep -q "as root" <<<"$OUT" && grep -q "no sudo" <<<"$OUT"'

[ "$failures" -eq 0 ]
